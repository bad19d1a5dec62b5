// RegionBench: how long the splash window's region takes to build from its mask (bitmap 140),
// from runs of pixels as the program does, against one GetPixel and one CombineRgn per pixel.
//
//   RegionBench [REPEATS]    default 20
//
// Each figure is one line "name: value".
#include "dialogs/CShapedWnd.h"
#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "resources/DustoraResource.h"
#include "support/PixelRegion.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

double Now()
{
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    CBitmap mask;
    if (!mask.LoadBitmap(IDB_SPLASH_MASK)) {
        std::printf("bitmap %d is missing\n", IDB_SPLASH_MASK);
        return 1;
    }
    const SIZE window = {375, 383};   // the splash window
    CClientDC screen(nullptr);

    double start = Now();
    HRGN reference = nullptr;
    for (int i = 0; i < repeats; ++i) {
        if (reference)
            ::DeleteObject(reference);
        reference = PixelByPixelRegion(screen, mask, window);
    }
    const double pixelMs = (Now() - start) * 1000.0 / repeats;

    start = Now();
    UniqueGdiObject<HRGN> runs;
    for (int i = 0; i < repeats; ++i)
        runs = CShapedWnd::RegionFromMask(screen, mask, window);
    const double runsMs = (Now() - start) * 1000.0 / repeats;

    // The two differ only by the strips of the window that the mask does not cover.
    SIZE maskSize = {};
    mask.GetSize(&maskSize);
    const HRGN maskArea = ::CreateRectRgn(0, 0, maskSize.cx, maskSize.cy);
    ::CombineRgn(reference, reference, maskArea, RGN_AND);
    const bool equal = ::EqualRgn(reference, runs.get()) != 0;
    ::DeleteObject(maskArea);
    ::DeleteObject(reference);

    std::printf("repeats: %d\n", repeats);
    std::printf("pixel by pixel ms: %.2f\n", pixelMs);
    std::printf("runs ms: %.3f\n", runsMs);
    std::printf("speed-up: %.0f x\n", runsMs > 0 ? pixelMs / runsMs : 0.0);
    std::printf("same region inside the mask: %s\n", equal ? "yes" : "NO");
    return equal ? 0 : 1;
}
