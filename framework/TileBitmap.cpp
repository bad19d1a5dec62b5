#include "TileBitmap.h"

SIZE TileGrid(int width, int height, SIZE tile)
{
    if (tile.cx <= 0 || tile.cy <= 0)
        return SIZE{0, 0};
    return SIZE{width / tile.cx + 1, height / tile.cy + 1};
}

BOOL TileBitmap(CDC& dc, HBITMAP bitmap, int width, int height)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info))
        return FALSE;
    const SIZE tile = {info.bmWidth, info.bmHeight};
    const SIZE grid = TileGrid(width, height, tile);

    CDC source;
    if (!source.CreateCompatibleDC(&dc))
        return FALSE;
    const HGDIOBJ previous = source.SelectObject(bitmap);
    for (int row = 0; row < grid.cy; ++row) {
        for (int column = 0; column < grid.cx; ++column)
            dc.BitBlt(column * tile.cx, row * tile.cy, tile.cx, tile.cy, &source, 0, 0, SRCCOPY);
    }
    source.SelectObject(previous);
    return TRUE;
}

BOOL TileWindowBackground(CDC& dc, HBITMAP bitmap, const CWnd& window)
{
    RECT outer;
    window.GetWindowRect(&outer);
    return TileBitmap(dc, bitmap, outer.right - outer.left, outer.bottom - outer.top);
}
