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
#include <functional>
#include <memory>
#include <vector>

namespace {

// A 1-bit bitmap as the mask resource loads: white, with black wherever isBlack says so.
CBitmap MakeMask(SIZE size, const std::function<bool(int, int)>& isBlack)
{
    const int rowBytes = (size.cx + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<size_t>(rowBytes * size.cy), 0xFF);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (isBlack(x, y))
                bits[static_cast<size_t>(y * rowBytes + x / 8)] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    CBitmap mask;
    mask.Attach(::CreateBitmap(size.cx, size.cy, 1, 1, bits.data()));
    return mask;
}

bool IsNoise(int x, int y)   // about a third of the pixels
{
    return (static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761u >> 28) < 5;
}

// The strips of a window larger than its mask are no part of the region, though the
// pixel-by-pixel reference keeps them: the expected region is the reference cut to the mask.
TEST(MaskRegion, EqualsThePixelByPixelRegionCutToTheMask)
{
    const SIZE splash = {369, 365}, noise = {53, 41};
    CBitmap splashMask;
    ASSERT_TRUE(splashMask.LoadBitmap(IDB_SPLASH_MASK));
    const CBitmap noisy = MakeMask(noise, IsNoise), white = MakeMask(noise, [](int, int) { return false; }),
                  black = MakeMask(noise, [](int, int) { return true; });
    const struct { const char* name; HBITMAP mask; SIZE size, window; } cases[] = {
        {"the splash's mask in its larger window", splashMask, splash, {375, 383}},
        {"the splash's mask in a window of its size", splashMask, splash, splash},
        {"noise in a larger window", noisy, noise, {60, 45}},
        {"noise in a smaller window", noisy, noise, {40, 30}},
        {"all white", white, noise, noise},
        {"all black", black, noise, noise},
    };
    CClientDC screen(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(nullptr, c.mask);
        const UniqueGdiObject<HRGN> fast = CShapedWnd::RegionFromMask(screen, c.mask, c.window);
        ASSERT_TRUE(fast);
        const UniqueGdiObject<HRGN> reference(PixelByPixelRegion(screen, c.mask, c.window));
        const UniqueGdiObject<HRGN> expected(::CreateRectRgn(0, 0, std::min(c.size.cx, c.window.cx), std::min(c.size.cy, c.window.cy)));
        ::CombineRgn(expected.get(), reference.get(), expected.get(), RGN_AND);
        EXPECT_TRUE(::EqualRgn(fast.get(), expected.get()));
    }
    EXPECT_FALSE(CShapedWnd::RegionFromMask(screen, nullptr, SIZE{10, 10})) << "no mask, no region";
}

constexpr COLORREF kRed = RGB(255, 0, 0);
const COLORREF kLogoColors[2][5] = {
    {kRed, RGB(254, 0, 0), RGB(255, 1, 0), RGB(255, 0, 1), kRed},
    {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 255), kRed, RGB(12, 34, 56)},
};

// Pure red lets the canvas through; every other colour, however near, is drawn. Drawing twice
// gives the same picture and leaves the caller's bitmap as it was.
TEST(TransparentBitmap, DrawsAllButPureRedWhereverTheBitmapFallsOnTheTarget)
{
    const Picture logo(SIZE{5, 2}, [](int x, int y) { return kLogoColors[y][x]; });
    const std::vector<DWORD> logoBefore = logo.Bits();
    const struct { const char* name; SIZE canvas; POINT at; HBITMAP bitmap; } cases[] = {
        {"inside", {12, 8}, {4, 3}, logo.m_bitmap},
        {"partly outside", {4, 2}, {-2, -1}, logo.m_bitmap},
        {"no bitmap", {4, 4}, {0, 0}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(c.canvas.cx, c.canvas.cy);
        for (int pass = 1; pass <= 2; ++pass) {
            DrawTransparentBitmap(&canvas.dc, c.bitmap, static_cast<short>(c.at.x), static_cast<short>(c.at.y), kRed);
            for (int y = 0; y < c.canvas.cy; ++y) {
                for (int x = 0; x < c.canvas.cx; ++x) {
                    const int lx = x - c.at.x, ly = y - c.at.y;
                    const bool onLogo = c.bitmap && lx >= 0 && lx < 5 && ly >= 0 && ly < 2;
                    const COLORREF colour = onLogo ? kLogoColors[ly][lx] : kRed;
                    EXPECT_EQ(colour == kRed ? Canvas::kSentinel : colour, canvas.dc.GetPixel(x, y))
                        << "pass " << pass << " at " << x << ", " << y;
                }
            }
        }
    }
    EXPECT_EQ(logoBefore, logo.Bits()) << "the caller's bitmap is unchanged";
}

int g_splashesFreed = 0;
int g_hold = 1;   // the program's hold on the splash

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
        } else if (!CWnd::WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return !::IsWindow(window);
}

// The picture less the mask's black pixels, centred on the screen; held by the program, it stays
// through several ticks; then a key or mouse press closes it at once, or else the first tick
// after the program lets it go. It frees itself.
TEST(Splash, ShowsTheMaskedPictureCentredUntilAPressOrTheFirstTickAfterItIsLetGo)
{
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (UINT press : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, 0}) {
        SCOPED_TRACE(press);
        g_splashesFreed = 0;
        g_hold = 1;
        std::unique_ptr<CCountedSplash> splash(new CCountedSplash(IDB_SPLASH, press ? 10000 : 50, g_hold));
        ASSERT_TRUE(splash->Show());
        const HWND window = splash.release()->GetSafeHwnd();   // the window owns it now
        RECT outer;
        ::GetWindowRect(window, &outer);
        EXPECT_EQ(375, outer.right - outer.left);
        EXPECT_EQ(383, outer.bottom - outer.top);
        EXPECT_EQ((work.left + work.right) / 2 - 375 / 2, outer.left);
        EXPECT_EQ((work.top + work.bottom) / 2 - 383 / 2, outer.top);
        const UniqueGdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(window, region.get()));
        long area = 0;   // the strips beside and below the picture are no part of the window
        for (int y = 0; y < 383; ++y)
            for (int x = 0; x < 375; ++x)
                area += ::PtInRegion(region.get(), x, y) ? 1 : 0;
        EXPECT_EQ(369 * 365 - 2968, area);

        EXPECT_FALSE(RunUntilGone(window, press ? 100 : 400)) << "held, it stays";
        EXPECT_EQ(0, g_splashesFreed);
        if (press)
            ::PostMessageA(window, press, 0, MAKELPARAM(100, 100));
        else
            g_hold = 0;
        EXPECT_TRUE(RunUntilGone(window, press ? 1000 : 400));
        EXPECT_EQ(1, g_splashesFreed);
    }
}

}  // namespace
