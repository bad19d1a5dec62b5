// The splash and the drawing it brings: the window region cut from a mask (checked against the
// pixel-by-pixel reference), the transparent-colour bitmap drawing, and the splash window
// closing on a press or at the first tick after the program lets it go.
#include "dialogs/CShapedWnd.h"
#include "dialogs/CSplashWnd.h"
#include "dialogs/DrawTransparentBitmap.h"
#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "resources/DustoraResource.h"
#include "support/Canvas.h"
#include "support/Picture.h"
#include "support/PixelRegion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// A 1-bit bitmap as the mask resource loads: white, with black wherever isBlack says so.
CBitmap MakeMask(SIZE size, const std::function<bool(int, int)>& isBlack)
{
    const int rowBytes = (size.cx + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<size_t>(rowBytes * size.cy), 0xFF);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (isBlack(x, y))
                bits[static_cast<size_t>(y * rowBytes + x / 8)] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
        }
    }
    CBitmap mask;
    mask.Attach(::CreateBitmap(size.cx, size.cy, 1, 1, bits.data()));
    return mask;
}

// Like the splash mask: a black frame two pixels wide that widens into rounded corners.
bool IsOutsideRoundedFrame(int x, int y, SIZE size)
{
    constexpr int kFrame = 2;
    constexpr int kRadius = 14;
    if (x < kFrame || y < kFrame || x >= size.cx - kFrame || y >= size.cy - kFrame)
        return true;
    const int cx = std::clamp(x, kRadius, static_cast<int>(size.cx) - 1 - kRadius);
    const int cy = std::clamp(y, kRadius, static_cast<int>(size.cy) - 1 - kRadius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) > (kRadius - kFrame) * (kRadius - kFrame);
}

bool IsNoise(int x, int y)
{
    const unsigned hash = static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761u;
    return (hash >> 28) < 5;   // about a third of the pixels
}

long AreaOf(HRGN region)
{
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(size);
    if (!size || !::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())))
        return -1;
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(data.data() + header->dwSize);
    long area = 0;
    for (DWORD i = 0; i < header->nCount; ++i)
        area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
    return area;
}

long BlackPixels(SIZE size, const std::function<bool(int, int)>& isBlack)
{
    long count = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            count += isBlack(x, y) ? 1 : 0;
    return count;
}

TEST(MaskRegion, EqualsThePixelByPixelRegionCutToTheMask)
{
    const SIZE splash = {369, 365};
    const SIZE noise = {53, 41};
    const struct {
        const char* name;
        SIZE mask;
        SIZE window;
        std::function<bool(int, int)> isBlack;
    } cases[] = {
        {"rounded frame in the splash's larger window", splash, {375, 383}, [&](int x, int y) { return IsOutsideRoundedFrame(x, y, splash); }},
        {"rounded frame, window of the mask's size", splash, splash, [&](int x, int y) { return IsOutsideRoundedFrame(x, y, splash); }},
        {"noise in a larger window", noise, {60, 45}, IsNoise},
        {"noise in a smaller window", noise, {40, 30}, IsNoise},
        {"all white", noise, noise, [](int, int) { return false; }},
        {"all black", noise, noise, [](int, int) { return true; }},
    };
    CClientDC screen(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CBitmap mask = MakeMask(c.mask, c.isBlack);
        ASSERT_NE(nullptr, mask.GetSafeHandle());
        const UniqueGdiObject<HRGN> fast = CShapedWnd::RegionFromMask(screen, mask, c.window);
        ASSERT_TRUE(fast);

        const UniqueGdiObject<HRGN> reference(PixelByPixelRegion(screen, mask, c.window));
        const UniqueGdiObject<HRGN> maskArea(::CreateRectRgn(0, 0, std::min(c.mask.cx, c.window.cx), std::min(c.mask.cy, c.window.cy)));
        const UniqueGdiObject<HRGN> expected(::CreateRectRgn(0, 0, 0, 0));
        ::CombineRgn(expected.get(), reference.get(), maskArea.get(), RGN_AND);
        EXPECT_TRUE(::EqualRgn(fast.get(), expected.get()));
        if (c.window.cx >= c.mask.cx && c.window.cy >= c.mask.cy) {
            EXPECT_EQ(c.mask.cx * c.mask.cy - BlackPixels(c.mask, c.isBlack), AreaOf(fast.get()));
        }
    }
}

TEST(MaskRegion, LeavesOutTheStripsTheMaskDoesNotCover)
{
    const SIZE mask = {369, 365};
    const CBitmap bitmap = MakeMask(mask, [](int, int) { return false; });
    CClientDC screen(nullptr);
    const UniqueGdiObject<HRGN> region = CShapedWnd::RegionFromMask(screen, bitmap, SIZE{375, 383});
    const UniqueGdiObject<HRGN> reference(PixelByPixelRegion(screen, bitmap, SIZE{375, 383}));
    const POINT inside[] = {{0, 0}, {368, 0}, {0, 364}, {368, 364}};
    const POINT strips[] = {{369, 0}, {374, 200}, {0, 365}, {200, 382}, {374, 382}};
    for (const POINT& p : inside)
        EXPECT_TRUE(::PtInRegion(region.get(), p.x, p.y)) << p.x << ", " << p.y;
    for (const POINT& p : strips) {
        EXPECT_FALSE(::PtInRegion(region.get(), p.x, p.y)) << p.x << ", " << p.y;
        EXPECT_TRUE(::PtInRegion(reference.get(), p.x, p.y)) << "the pixel-by-pixel region keeps " << p.x << ", " << p.y;
    }
}

TEST(MaskRegion, NoMaskGivesNoRegion)
{
    CClientDC screen(nullptr);
    EXPECT_FALSE(CShapedWnd::RegionFromMask(screen, nullptr, SIZE{10, 10}));
}

constexpr COLORREF kSentinel = Canvas::kSentinel;
constexpr COLORREF kRed = RGB(255, 0, 0);

const std::vector<COLORREF> kLogoColors = {
    kRed,             RGB(254, 0, 0),   RGB(255, 1, 0), RGB(255, 0, 1), kRed,
    RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 255), kRed,         RGB(12, 34, 56),
};

std::vector<COLORREF> PixelsOf(const Canvas& canvas, int width, int height)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(canvas.dc.GetPixel(x, y));
    return pixels;
}

Picture Logo()
{
    return Picture(SIZE{5, 2}, [](int x, int y) { return kLogoColors[static_cast<size_t>(y * 5 + x)]; });
}

TEST(TransparentBitmap, LeavesOutPureRedOnlyAndTheSourceAsItWas)
{
    const Picture logo = Logo();
    const std::vector<DWORD> logoBefore = logo.Bits();
    Canvas canvas(12, 8);
    DrawTransparentBitmap(&canvas.dc, logo.m_bitmap, 4, 3, kRed);

    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
            const bool onLogo = x >= 4 && x < 9 && y >= 3 && y < 5;
            const COLORREF logoColor = onLogo ? kLogoColors[static_cast<size_t>((y - 3) * 5 + (x - 4))] : kRed;
            EXPECT_EQ(logoColor == kRed ? kSentinel : logoColor, canvas.dc.GetPixel(x, y));
        }
    }
    EXPECT_EQ(logoBefore, logo.Bits()) << "the caller's bitmap is unchanged";

    const std::vector<COLORREF> once = PixelsOf(canvas, 12, 8);
    DrawTransparentBitmap(&canvas.dc, logo.m_bitmap, 4, 3, kRed);
    EXPECT_EQ(once, PixelsOf(canvas, 12, 8)) << "drawing it again gives the same picture";
}

TEST(TransparentBitmap, APartlyOutsidePositionDrawsThePartInside)
{
    const Picture logo = Logo();
    Canvas canvas(4, 2);
    DrawTransparentBitmap(&canvas.dc, logo.m_bitmap, -2, -1, kRed);
    EXPECT_EQ(RGB(0, 0, 255), canvas.dc.GetPixel(0, 0));     // the logo's (2, 1)
    EXPECT_EQ(kSentinel, canvas.dc.GetPixel(1, 0));          // its pure red (3, 1)
    EXPECT_EQ(RGB(12, 34, 56), canvas.dc.GetPixel(2, 0));
    EXPECT_EQ(kSentinel, canvas.dc.GetPixel(3, 0));          // right of the logo
    EXPECT_EQ(kSentinel, canvas.dc.GetPixel(0, 1));          // below it
}

TEST(TransparentBitmap, NoBitmapDrawsNothing)
{
    Canvas canvas(4, 4);
    DrawTransparentBitmap(&canvas.dc, nullptr, 0, 0, kRed);
    EXPECT_EQ(kSentinel, canvas.dc.GetPixel(1, 1));
}

int g_splashesFreed = 0;

class CCountedSplash : public CSplashWnd {
public:
    using CSplashWnd::CSplashWnd;
    ~CCountedSplash() override { ++g_splashesFreed; }
};

// Runs messages through the windows' PreTranslateMessage, as the main dialog's loop does, until
// the window is gone or the time is up; whether it went.
bool RunUntilGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::GetTickCount() - start < timeoutMs) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::Sleep(5);
            continue;
        }
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return !::IsWindow(window);
}

class Splash : public ::testing::Test {
protected:
    // A splash on the screen, owned by its window; nullptr (and a failure) when it cannot show.
    HWND ShowSplash(UINT intervalMs)
    {
        auto* splash = new CCountedSplash(IDB_SPLASH, intervalMs, m_hold);
        if (!splash->Show()) {
            delete splash;
            ADD_FAILURE() << "the splash did not show";
            return nullptr;
        }
        return splash->GetSafeHwnd();
    }
    void SetUp() override { g_splashesFreed = 0; }

    int m_hold = 1;
};

TEST_F(Splash, IsTheMaskedPictureCentredOnTheScreen)
{
    const HWND window = ShowSplash(500);
    ASSERT_NE(nullptr, window);
    char title[32] = "";
    ::GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Dustora", title);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_SYSMENU | WS_VISIBLE), ::GetWindowLongA(window, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    RECT outer;
    ::GetWindowRect(window, &outer);
    EXPECT_EQ(375, outer.right - outer.left);
    EXPECT_EQ(383, outer.bottom - outer.top);
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ((work.left + work.right) / 2 - 375 / 2, outer.left);
    EXPECT_EQ((work.top + work.bottom) / 2 - 383 / 2, outer.top);

    const UniqueGdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(window, region.get()));
    EXPECT_EQ(369 * 365 - 2968, AreaOf(region.get()));
    EXPECT_FALSE(::PtInRegion(region.get(), 370, 100)) << "the strip beside the picture is no part of the window";

    m_hold = 0;
    EXPECT_TRUE(RunUntilGone(window, 3000));
}

TEST_F(Splash, AKeyOrAMousePressClosesItAtOnceWhileTheProgramStillHoldsIt)
{
    for (UINT press : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        SCOPED_TRACE(press);
        const HWND window = ShowSplash(10000);
        ASSERT_NE(nullptr, window);
        RECT before;
        ::GetWindowRect(window, &before);
        ::PostMessageA(window, press, 0, MAKELPARAM(100, 100));
        EXPECT_TRUE(RunUntilGone(window, 1000));
        EXPECT_EQ(1, g_splashesFreed) << "the splash frees itself";
        g_splashesFreed = 0;
    }
}

TEST_F(Splash, ClosesAtTheFirstTickAfterTheProgramLetsItGo)
{
    const HWND window = ShowSplash(50);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(RunUntilGone(window, 400)) << "held: several ticks pass and it stays";
    EXPECT_EQ(0, g_splashesFreed);
    m_hold = 0;
    EXPECT_TRUE(RunUntilGone(window, 400));
    EXPECT_EQ(1, g_splashesFreed);
}

}  // namespace
