// Pictures in memory for drawing tests:
//   Picture  a 32-bit top-down bitmap whose pixels are given as colours, with its raw pixels
//   Canvas   a memory context that draws on a picture of one colour
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDC.h"

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

class Canvas {
public:
    Canvas(SIZE size, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    std::vector<DWORD> Bits() const { return m_picture.Bits(); }

    CDC dc;

private:
    Picture m_picture;
    HGDIOBJ m_previous = nullptr;
};
