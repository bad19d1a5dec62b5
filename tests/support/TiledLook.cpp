#include "support/TiledLook.h"

#include "resources/DustoraResource.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

ScopedTile::ScopedTile(CBitmap& background, HBITMAP tile) : m_background(background), m_saved(std::move(background))
{
    EXPECT_TRUE(m_background.Attach(tile)) << "no tile to show";
}

ScopedTile::~ScopedTile()
{
    m_background = std::move(m_saved);
}

HBITMAP ProgramTile()
{
    return ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BACKGROUND));
}

void ExpectTiledBackground(HWND window, HBITMAP tile)
{
    BITMAP size = {};
    ASSERT_TRUE(::GetObjectA(tile, sizeof size, &size));
    Pixels tilePixels(size.bmWidth, size.bmHeight);
    const HDC source = ::CreateCompatibleDC(tilePixels.Dc());
    const HGDIOBJ previous = ::SelectObject(source, tile);
    ::BitBlt(tilePixels.Dc(), 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);

    RECT client;
    ::GetClientRect(window, &client);
    ASSERT_GT(client.right, size.bmWidth) << "the window must be wider than a tile to show the tiling";
    Pixels pixels(client.right, client.bottom, RGB(1, 2, 3));
    EXPECT_NE(0, ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(pixels.Dc()), 0));
    int wrong = 0;
    for (int y = 0; y < client.bottom; y += 3) {
        for (int x = 0; x < client.right; x += 3)
            wrong += pixels.At(x, y) == tilePixels.At(x % size.bmWidth, y % size.bmHeight) ? 0 : 1;
    }
    EXPECT_EQ(0, wrong) << "pixels that are not the tile's";
}

ColourAnswer AskColour(HWND window, HWND control, UINT message)
{
    const HDC dc = ::GetDC(control);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::SetBkMode(dc, OPAQUE);
    ColourAnswer answer;
    answer.brush = reinterpret_cast<HBRUSH>(::SendMessageA(window, message, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(control)));
    answer.backgroundMode = ::GetBkMode(dc);
    answer.text = ::GetTextColor(dc);
    answer.background = ::GetBkColor(dc);
    ::ReleaseDC(control, dc);
    return answer;
}
