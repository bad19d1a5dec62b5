// Pixels: a 32-bit picture in memory with its own device context, for checking what a window
// draws, colour by colour.
// CaptureWindow: the pixels a top-level window shows in a screen rectangle, whatever covers it.
// SaveScreenshot: when the environment variable DUSTORA_SCREENSHOTS names a folder, a window is
// shown and saved there as <name>.bmp as the screen shows it, for people to look at; otherwise
// nothing happens.
#pragma once

#include <windows.h>

class Pixels {
public:
    Pixels(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~Pixels();
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;
    Pixels(Pixels&& other) noexcept;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at (x, y); 0xFFFFFFFF outside the picture.
    COLORREF At(int x, int y) const;
    // How many pixels of rect (clipped to the picture) have exactly this colour.
    int Count(COLORREF color, const RECT& rect) const;
    int Count(COLORREF color) const;
    bool SaveBitmapFile(const char* path) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};

// Gives Wine the moment it needs to show what was drawn on the screen.
void LetTheScreenCatchUp();
Pixels CaptureWindow(HWND window, const RECT& screenRect);
void SaveScreenshot(HWND window, const char* name);
