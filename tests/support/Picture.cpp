#include "support/Picture.h"

Picture::Picture(SIZE size, const std::function<COLORREF(int x, int y)>& colorAt) : m_size(size)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<DWORD*>(bits);
    for (int y = 0; m_bits && y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF c = colorAt(x, y);
            m_bits[y * size.cx + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
}

std::vector<DWORD> Picture::Bits() const
{
    ::GdiFlush();
    if (!m_bits)
        return {};
    return std::vector<DWORD>(m_bits, m_bits + m_size.cx * m_size.cy);
}
