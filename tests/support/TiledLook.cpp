#include "support/TiledLook.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

namespace {

HBITMAP MakeTestTile()
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kTileWidth;
    info.bmiHeader.biHeight = -kTileHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP tile = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!tile)
        return nullptr;
    auto* pixel = static_cast<DWORD*>(bits);
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            const COLORREF color = TestTileColor(x, y);
            *pixel++ = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        }
    }
    return tile;
}

}  // namespace

ScopedTestTile::ScopedTestTile(CBitmap& background) : m_background(background), m_saved(std::move(background))
{
    EXPECT_TRUE(m_background.Attach(MakeTestTile()));
}

ScopedTestTile::~ScopedTestTile()
{
    m_background = std::move(m_saved);
}

void ExpectTiledBackground(HWND window)
{
    RECT client;
    ::GetClientRect(window, &client);
    ASSERT_GT(client.right, kTileWidth) << "the window must be wider than a tile to show the tiling";
    Pixels pixels(client.right, client.bottom, RGB(1, 2, 3));
    EXPECT_NE(0, ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(pixels.Dc()), 0));
    const POINT points[] = {{0, 0}, {kTileWidth - 1, kTileHeight - 1}, {kTileWidth, 0}, {kTileWidth + 13, 10},
                            {client.right - 1, client.bottom - 1}};
    for (const POINT& p : points) {
        if (p.x >= client.right || p.y >= client.bottom)
            continue;
        SCOPED_TRACE(testing::Message() << "at " << p.x << "," << p.y);
        EXPECT_EQ(TestTileColor(p.x % kTileWidth, p.y % kTileHeight), pixels.At(p.x, p.y));
    }
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
