// The colour-ramp progress bar: how much of it is filled, and the colours it paints, read back
// from a real control on the screen.
#include "controls/CRampProgressCtrl.h"
#include "framework/CClientDC.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RampProgress, FilledWidthDividesByTheUpperBoundAlone)
{
    const struct { int lower, upper, position, width, filled; } cases[] = {
        {0, 100, 50, 255, 127}, {0, 100, 1, 510, 5},
        {20, 40, 30, 200, 150},    // 30 / 40 of the width, not half of it
        {0, 100, 0, 255, 0},    {20, 40, 20, 200, 0}, {20, 40, 5, 200, 0},
        {0, 100, 100, 255, 255},   // a full bar is full
        {0, 21, 21, 300, 300},  {0, 100, 150, 255, 255},
        {-10, -2, -5, 100, 100},   // a negative range never fills past the edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " of " << c.lower << ".." << c.upper << " on " << c.width);
        EXPECT_EQ(c.filled, CRampProgressCtrl::FilledWidth(c.lower, c.upper, c.position, c.width));
    }
}

// A topmost pop-up holding one bar without a border, so the bar's client area is all of it.
struct BarHost {
    explicit BarHost(int width)
    {
        AfxInitProgressControls();
        const RECT rect = {0, 0, width, kHeight};
        host.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Ramp", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
        bar.SubclassWindow(::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, width, kHeight,
                                             host.GetSafeHwnd(), nullptr, nullptr, nullptr));
    }

    // Paints the bar now and reads the pixel at (x, y).
    COLORREF PixelAt(int x, int y = kHeight / 2)
    {
        bar.Invalidate(FALSE);
        bar.UpdateWindow();
        DrainMessages();
        return CClientDC(&bar).GetPixel(x, y);
    }

    static constexpr int kHeight = 12;
    CWnd host;
    CRampProgressCtrl bar;
};

COLORREF Ramp(int strip) { return RGB(255 - strip, 0, strip); }

// Each bar is given a new range at the end, which starts it again from the lower bound.
TEST(RampProgress, PaintsTheRampUpToTheStripThatHoldsThePosition)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    struct Probe { int x; COLORREF color; };
    const struct { const char* name; int lower, upper, position, width; std::vector<Probe> probes; } cases[] = {
        {"nothing done", 0, 100, 0, 255, {{0, face}, {254, face}}},
        {"below the range", 0, 100, -5, 255, {{0, face}, {128, face}}},
        {"half of 255 pixels", 0, 100, 50, 255, {{0, Ramp(0)}, {127, Ramp(127)}, {128, face}, {254, face}}},
        {"1 % of 510 pixels", 0, 100, 1, 510, {{0, Ramp(0)}, {5, Ramp(2)}, {6, face}, {509, face}}},
        {"30 of 20..40", 20, 40, 30, 255, {{127, Ramp(127)}, {191, Ramp(191)}, {192, face}}},
        {"full", 0, 100, 100, 255, {{0, RGB(255, 0, 0)}, {127, Ramp(127)}, {254, RGB(1, 0, 254)}}},
        {"past the end", 0, 21, 25, 255, {{0, RGB(255, 0, 0)}, {254, RGB(1, 0, 254)}}},
        {"full on a width that is no multiple of the strips", 0, 21, 21, 300, {{0, RGB(255, 0, 0)}, {299, RGB(1, 0, 254)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BarHost host(c.width);
        ASSERT_NE(nullptr, host.bar.GetSafeHwnd());
        host.bar.SetRange(c.lower, c.upper);
        host.bar.SetPos(c.position);
        for (const Probe& probe : c.probes) {
            for (int y : {0, BarHost::kHeight / 2, BarHost::kHeight - 1})
                EXPECT_EQ(probe.color, host.PixelAt(probe.x, y)) << "at " << probe.x << ", " << y;
        }
        host.bar.SetRange(0, 21);
        EXPECT_EQ(face, host.PixelAt(0)) << "a new range starts from its lower bound";
    }
}

}  // namespace
