// Picture: a 32-bit top-down bitmap of a test's own, its pixels given as colours, for drawing
// tests to draw from; its raw pixels show whether drawing changed it.
#pragma once

#include "framework/CBitmap.h"

#include <windows.h>

#include <functional>
#include <vector>

class Picture {
public:
    Picture(SIZE size, const std::function<COLORREF(int x, int y)>& colorAt);
    // The pixels as stored (0x00RRGGBB), top row first, after GDI's pending drawing.
    std::vector<DWORD> Bits() const;

    CBitmap m_bitmap;

private:
    SIZE m_size;
    DWORD* m_bits = nullptr;
};
