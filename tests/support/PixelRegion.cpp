#include "support/PixelRegion.h"

HRGN PixelByPixelRegion(HDC dc, HBITMAP mask, SIZE window)
{
    const HDC memory = ::CreateCompatibleDC(dc);
    const HGDIOBJ previous = ::SelectObject(memory, mask);
    const HRGN region = ::CreateRectRgn(0, 0, window.cx, window.cy);
    for (int x = 0; x <= window.cx; ++x) {
        for (int y = 0; y <= window.cy; ++y) {
            if (::GetPixel(memory, x, y) != 0)
                continue;
            const HRGN pixel = ::CreateRectRgn(x, y, x + 1, y + 1);
            ::CombineRgn(region, region, pixel, RGN_XOR);
            ::DeleteObject(pixel);
        }
    }
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return region;
}
