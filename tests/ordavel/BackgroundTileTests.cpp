// Dialog backgrounds tiled with a picture: the grid that covers a window and the drawing of it.
#include "framework/CBitmap.h"
#include "framework/TileBitmap.h"
#include "resources/OrdavelResource.h"
#include "support/Canvas.h"
#include "support/Picture.h"

#include <gtest/gtest.h>

namespace {

constexpr SIZE kTile = {217, 180};
constexpr COLORREF kSentinel = Canvas::kSentinel;

TEST(TileGrid, OneMoreTileThanFitsEachWay)
{
    const struct {
        int width, height;
        LONG columns, rows;
    } cases[] = {
        {450, 300, 3, 2},
        {434, 360, 3, 3},   // an exact multiple still gets one more
        {216, 179, 1, 1},
        {217, 180, 2, 2},
        {0, 0, 1, 1},
        {1280, 1024, 6, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const SIZE grid = TileGrid(c.width, c.height, kTile);
        EXPECT_EQ(c.columns, grid.cx);
        EXPECT_EQ(c.rows, grid.cy);
    }
    const SIZE none = TileGrid(450, 300, SIZE{0, 180});
    EXPECT_EQ(0, none.cx);
    EXPECT_EQ(0, none.cy);
}

// A 32-bit top-down picture whose every pixel tells where in the tile it is.
COLORREF PatternAt(int x, int y)
{
    return RGB(x & 0xFF, y & 0xFF, (x >> 8) * 16 + 1);
}

TEST(TileBitmap, CoversTheWholeAreaWithUnscaledCopiesFromTheCorner)
{
    const Picture tile(kTile, PatternAt);
    Canvas canvas(450, 300);
    ASSERT_TRUE(TileBitmap(canvas.dc, tile.m_bitmap, 450, 300));

    const POINT probes[] = {{0, 0}, {216, 179}, {217, 0}, {5, 180}, {433, 7}, {434, 179}, {440, 200}, {449, 299}};
    for (const POINT& p : probes) {
        SCOPED_TRACE(testing::Message() << "(" << p.x << ", " << p.y << ")");
        EXPECT_EQ(PatternAt(p.x % kTile.cx, p.y % kTile.cy), canvas.dc.GetPixel(p.x, p.y));
    }
}

TEST(TileBitmap, NoBitmapDrawsNothing)
{
    Canvas canvas(50, 40);
    EXPECT_FALSE(TileBitmap(canvas.dc, nullptr, 50, 40));
    EXPECT_EQ(kSentinel, canvas.dc.GetPixel(10, 10));
}

TEST(TileBitmap, OrdavelBackgroundIsOneTile)
{
    CBitmap background;
    ASSERT_TRUE(background.LoadBitmap(IDB_BACKGROUND));
    BITMAP info = {};
    ASSERT_TRUE(::GetObjectA(background, sizeof(info), &info));
    EXPECT_EQ(kTile.cx, info.bmWidth);
    EXPECT_EQ(kTile.cy, info.bmHeight);
}

}  // namespace
