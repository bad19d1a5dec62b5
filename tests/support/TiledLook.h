// What the program's tiled dialogs look like, checked without the program's own pictures:
//   ScopedTestTile        while it lives, the application's background tile is a 217 x 180
//                         picture whose every pixel tells its place (TestTileColor)
//   ExpectTiledBackground a window's erase covers its client area with those tiles from (0, 0)
//   AskColour             what a window answers a control's colour request with
#pragma once

#include "framework/CBitmap.h"

#include <windows.h>

constexpr int kTileWidth = 217;
constexpr int kTileHeight = 180;

// The colour of the test tile at (x, y).
constexpr COLORREF TestTileColor(int x, int y)
{
    return RGB(x, y, 0x7F);
}

class ScopedTestTile {
public:
    explicit ScopedTestTile(CBitmap& background);
    ~ScopedTestTile();
    ScopedTestTile(const ScopedTestTile&) = delete;
    ScopedTestTile& operator=(const ScopedTestTile&) = delete;

private:
    CBitmap& m_background;
    CBitmap m_saved;
};

void ExpectTiledBackground(HWND window);

struct ColourAnswer {
    HBRUSH brush;
    int backgroundMode;
    COLORREF text;
    COLORREF background;
};

// Sends message (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, ...) about control to window on a context
// whose colours are black on white and opaque to start with.
ColourAnswer AskColour(HWND window, HWND control, UINT message = WM_CTLCOLORSTATIC);
