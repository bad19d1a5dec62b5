// Canvas: a 32-bit drawing surface of the test's own, filled with a sentinel colour, whose
// pixels a test reads back after drawing into it.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDC.h"

class Canvas {
public:
    static constexpr COLORREF kSentinel = RGB(0xde, 0xad, 0xbe);

    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The smallest rectangle holding every pixel of colour; all zero when there is none.
    RECT BoundsOf(COLORREF colour) const;

    CDC dc;

private:
    int m_width;
    int m_height;
    CBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
};
