#include "support/Pixels.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

Pixels::Pixels(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_dc = ::CreateCompatibleDC(nullptr);
    m_previous = ::SelectObject(m_dc, m_bitmap);
    const RECT all = {0, 0, width, height};
    const HBRUSH brush = ::CreateSolidBrush(fill);
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
}

Pixels::Pixels(Pixels&& other) noexcept
    : m_width(other.m_width), m_height(other.m_height), m_dc(other.m_dc), m_bitmap(other.m_bitmap),
      m_previous(other.m_previous), m_bits(other.m_bits)
{
    other.m_dc = nullptr;
    other.m_bitmap = nullptr;
    other.m_bits = nullptr;
}

Pixels::~Pixels()
{
    if (m_dc) {
        ::SelectObject(m_dc, m_previous);
        ::DeleteDC(m_dc);
    }
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

COLORREF Pixels::At(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xFFFFFFFF;
    ::GdiFlush();
    const DWORD pixel = m_bits[y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Pixels::Count(COLORREF color, const RECT& rect) const
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            count += At(x, y) == color ? 1 : 0;
    }
    return count;
}

int Pixels::Count(COLORREF color) const
{
    const RECT all = {0, 0, m_width, m_height};
    return Count(color, all);
}

bool Pixels::SaveBitmapFile(const char* path) const
{
    if (!m_bits)
        return false;
    ::GdiFlush();
    const DWORD imageSize = static_cast<DWORD>(m_width) * static_cast<DWORD>(m_height) * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + imageSize;
    header.biSize = sizeof(header);
    header.biWidth = m_width;
    header.biHeight = -m_height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    // The fourth byte of each pixel is unused by GDI; viewers that take it for opacity would
    // show the picture see-through.
    std::vector<DWORD> opaque(m_bits, m_bits + static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
    for (DWORD& pixel : opaque)
        pixel |= 0xFF000000u;
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&header, sizeof(header), 1, out) == 1 &&
                         std::fwrite(opaque.data(), imageSize, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

// Wine draws a window into memory and hands it to the X server while the thread looks at its
// queue: a capture first lets that happen.
void LetTheScreenCatchUp()
{
    ::GdiFlush();
    MSG msg;
    for (int i = 0; i < 10; ++i) {
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Wine keeps each top-level window's pixels, its children's included, apart from the screen's:
// what other windows cover is read all the same.
Pixels CaptureWindow(HWND window, const RECT& screenRect)
{
    Pixels pixels(screenRect.right - screenRect.left, screenRect.bottom - screenRect.top);
    RECT outer;
    ::GetWindowRect(window, &outer);
    const HDC dc = ::GetWindowDC(window);
    ::BitBlt(pixels.Dc(), 0, 0, pixels.Width(), pixels.Height(), dc, screenRect.left - outer.left,
             screenRect.top - outer.top, SRCCOPY);
    ::ReleaseDC(window, dc);
    return pixels;
}

void SaveScreenshot(HWND window, const char* name)
{
    const char* folder = std::getenv("DUSTORA_SCREENSHOTS");
    if (!folder || !*folder || !window)
        return;
    // A modal dialog shows itself only once its loop is idle.
    if (!::IsWindowVisible(window)) {
        ::ShowWindow(window, SW_SHOWNA);
        ::UpdateWindow(window);
    }
    LetTheScreenCatchUp();
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::CreateDirectoryA(folder, nullptr);
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    CaptureWindow(window, rect).SaveBitmapFile(path.c_str());
}
