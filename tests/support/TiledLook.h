// What the program's tiled dialogs look like:
//   ScopedTile            while it lives, the application's background is the given tile
//   ProgramTile           the program's own background picture (bitmap 130)
//   ExpectTiledBackground a window's erase covers its client area with copies of a tile from (0, 0)
//   AskColour             what a window answers a control's colour request with
#pragma once

#include "framework/CBitmap.h"

#include <windows.h>

class ScopedTile {
public:
    // Takes tile over; the background held before comes back at the end.
    ScopedTile(CBitmap& background, HBITMAP tile);
    ~ScopedTile();
    ScopedTile(const ScopedTile&) = delete;
    ScopedTile& operator=(const ScopedTile&) = delete;

    HBITMAP Tile() const { return m_background.GetSafeHandle(); }

private:
    CBitmap& m_background;
    CBitmap m_saved;
};

HBITMAP ProgramTile();

void ExpectTiledBackground(HWND window, HBITMAP tile);

struct ColourAnswer {
    HBRUSH brush;
    int backgroundMode;
    COLORREF text;
    COLORREF background;
};

// Sends message (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, ...) about control to window on a context
// whose colours are black on white and opaque to start with.
ColourAnswer AskColour(HWND window, HWND control, UINT message = WM_CTLCOLORSTATIC);
