#include "support/Canvas.h"

#include <algorithm>

Canvas::Canvas(int width, int height) : m_width(width), m_height(height)
{
    dc.CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_previous = dc.SelectObject(m_bitmap);
    dc.FillSolidRect(RECT{0, 0, width, height}, kSentinel);
}

Canvas::~Canvas()
{
    dc.SelectObject(m_previous);
}

RECT Canvas::BoundsOf(COLORREF colour) const
{
    RECT bounds = {m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (dc.GetPixel(x, y) != colour)
                continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    return bounds.right ? bounds : RECT{0, 0, 0, 0};
}
