// The program's pictures as its windows take them from its resources: sizes and colour depths,
// the splash mask's frame, the report logo's see-through red, and every icon image at both
// sizes with see-through corners.
#include "framework/UniqueHandle.h"
#include "resources/DustoraResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kBlack = 0x000000, kWhite = 0xFFFFFF, kPureRed = 0xFF0000;  // as 0x00RRGGBB

// A bitmap resource as a DIB section, which keeps the depth the file has.
UniqueGdiObject<HBITMAP> LoadDib(int id)
{
    return UniqueGdiObject<HBITMAP>(static_cast<HBITMAP>(::LoadImageA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// The pixels of any bitmap as 0x00RRGGBB, rows from the top.
struct Pixels {
    explicit Pixels(HBITMAP bitmap)
    {
        BITMAP info = {};
        ::GetObjectA(bitmap, sizeof(info), &info);
        width = info.bmWidth;
        BITMAPINFO request = {{sizeof(BITMAPINFOHEADER), width, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        values.assign(static_cast<size_t>(width) * info.bmHeight, 0xDEADBEEF);
        const HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, bitmap, 0, info.bmHeight, values.data(), &request, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        for (DWORD& value : values)
            value &= 0xFFFFFF;
    }
    DWORD At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    size_t Count(DWORD colour) const { return std::count(values.begin(), values.end(), colour); }

    LONG width = 0;
    std::vector<DWORD> values;
};

TEST(Art, BitmapsHaveTheSizesAndDepthsTheWindowsDrawThemAt)
{
    const struct { int id; LONG width, height; WORD bits; } cases[] = {
        {IDB_BACKGROUND, 217, 180, 8},      {IDB_BANNER, 468, 49, 24}, {IDB_PROGRESS_BANNER, 500, 23, 24},
        {IDB_REPORT_LOGO, 160, 36, 24},     {IDB_SPLASH, 369, 365, 24}, {IDB_SPLASH_MASK, 369, 365, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "bitmap " << c.id);
        const auto bitmap = LoadDib(c.id);
        DIBSECTION dib = {};
        ASSERT_EQ(static_cast<int>(sizeof(dib)), ::GetObjectA(bitmap.get(), sizeof(dib), &dib));
        EXPECT_EQ(c.width, dib.dsBm.bmWidth);
        EXPECT_EQ(c.height, dib.dsBm.bmHeight);
        EXPECT_EQ(c.bits, dib.dsBmih.biBitCount);
    }
}

// The splash window's shape is cut from this mask's black pixels.
TEST(Art, SplashMaskCutsAwayATwoPixelFrameWithRoundedCorners)
{
    const auto mask = LoadDib(IDB_SPLASH_MASK);
    ASSERT_TRUE(mask);
    const Pixels pixels(mask.get());
    EXPECT_EQ(2968u, pixels.Count(kBlack));
    EXPECT_EQ(2968u + pixels.Count(kWhite), pixels.values.size());
    const struct { int x, y; DWORD colour; } probes[] = {
        {184, 182, kWhite}, {0, 0, kBlack}, {368, 364, kBlack},      // the middle and the corners
        {1, 182, kBlack}, {2, 182, kWhite}, {184, 1, kBlack}, {184, 2, kWhite},   // the straight frame
        {2, 2, kBlack}, {366, 362, kBlack}, {7, 7, kWhite},          // the corners widen it
    };
    for (const auto& p : probes)
        EXPECT_EQ(p.colour, pixels.At(p.x, p.y)) << p.x << ", " << p.y;
}

TEST(Art, ReportLogoShowsTheBackgroundThroughPureRedAroundIt)
{
    const auto logo = LoadDib(IDB_REPORT_LOGO);
    ASSERT_TRUE(logo);
    const Pixels pixels(logo.get());
    for (const POINT& corner : {POINT{0, 0}, POINT{159, 0}, POINT{0, 35}, POINT{159, 35}})
        EXPECT_EQ(kPureRed, pixels.At(corner.x, corner.y)) << corner.x << ", " << corner.y;
    EXPECT_GT(pixels.values.size() - pixels.Count(kPureRed), pixels.values.size() / 4);  // a logo is there
}

#pragma pack(push, 2)
struct GroupIconHeader { WORD reserved, type, count; };   // then `count` entries
struct GroupIconEntry { BYTE width, height, colours, reserved; WORD planes, bits; DWORD bytes; WORD id; };
#pragma pack(pop)

// Each icon holds 32 x 32 and 16 x 16 images in 256 colours and in 32 bits, as systems from
// Windows 95 on pick from; every image carries an AND mask that lets the screen through at its
// corners and leaves it untouched there (black), or the button's background would show a square.
TEST(Art, EveryIconImageIsSeeThroughAtItsCorners)
{
    const HMODULE module = ::GetModuleHandleA(nullptr);
    for (int id : {IDR_MAINFRAME, IDI_EXIT, IDI_HELP, IDI_START, IDI_IE_ITEMS, IDI_NETSCAPE_ITEMS, IDI_NOTE,
                   IDI_OUTLOOK_ITEMS, IDI_SCHEDULE, IDI_ADVANCED_SCHEDULER, IDI_FOLDERS, IDI_OFFICE_ITEMS}) {
        const HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_TRUE(group) << "icon " << id;
        const auto* header = static_cast<const GroupIconHeader*>(::LockResource(::LoadResource(module, group)));
        const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
        std::vector<int> forms;
        for (const GroupIconEntry* entry = entries; entry < entries + header->count; ++entry) {
            const int size = entry->width;
            SCOPED_TRACE(testing::Message() << "icon " << id << ", " << size << " at " << entry->bits << " bits");
            forms.push_back(size * 100 + entry->bits);
            const HRSRC image = ::FindResourceA(module, MAKEINTRESOURCEA(entry->id), MAKEINTRESOURCEA(3));  // RT_ICON
            ASSERT_TRUE(image);
            const UniqueIcon icon(::CreateIconFromResourceEx(
                static_cast<BYTE*>(::LockResource(::LoadResource(module, image))), ::SizeofResource(module, image),
                TRUE, 0x00030000, size, size, 0));
            ICONINFO info = {};
            ASSERT_TRUE(icon && ::GetIconInfo(icon.get(), &info));
            const UniqueGdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
            const Pixels colours(colour.get()), seeThrough(mask.get());
            EXPECT_EQ(size, colours.width);
            for (const POINT& corner : {POINT{0, 0}, POINT{size - 1, 0}, POINT{0, size - 1}, POINT{size - 1, size - 1}}) {
                EXPECT_EQ(kWhite, seeThrough.At(corner.x, corner.y)) << corner.x << ", " << corner.y;
                EXPECT_EQ(kBlack, colours.At(corner.x, corner.y)) << corner.x << ", " << corner.y;
            }
            EXPECT_LT(seeThrough.Count(kWhite), seeThrough.values.size() * 3 / 4);   // something is drawn
        }
        std::sort(forms.begin(), forms.end());
        EXPECT_EQ((std::vector<int>{1608, 1632, 3208, 3232}), forms) << "icon " << id;
    }
}

}  // namespace
