// Free space: the unit, the drives measured, and how before and after pair into gains.
#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "engine/CDiskSpace.h"
#include "engine/CDriveScan.h"
#include "engine/CFreeSpaceGains.h"
#include "framework/MessageBox.h"
#include "resources/DustoraResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

// Free space by drive letter, as scripted by a test; a missing letter fails like the platform.
class ScriptedDiskSpace : public CDiskSpace {
public:
    std::map<char, double> freeMB;
    double GetFreeMB(const char* root) override
    {
        const auto found = freeMB.find(root[0]);
        return found == freeMB.end() ? kFailed : found->second;
    }
};

std::vector<MeasuredDrive> Drives(const char* letters)
{
    std::vector<MeasuredDrive> drives;
    for (const char* letter = letters; *letter; ++letter)
        drives.push_back({*letter, CDriveScan::RootOf(*letter), ""});
    return drives;
}

struct RecordedBox { std::string text; UINT type; };
std::vector<RecordedBox> g_boxes;
int RecordBox(HWND, const char* text, const char*, UINT type)
{
    g_boxes.push_back({text, type});
    return IDOK;
}

}  // namespace

TEST(DiskSpace, MegabytesAreExactBinaryMegabytes)
{
    EXPECT_EQ(1.0, CDiskSpace::BytesToMB(1048576ull));
    EXPECT_EQ(4768.37158203125, CDiskSpace::BytesToMB(5000000000ull));
    EXPECT_EQ(0.0, CDiskSpace::BytesToMB(0ull));
}

TEST(DiskSpace, MeasuresSandboxDriveAndFailsLoudlyOnAMissingOne)
{
    g_boxes.clear();
    const MessageBoxFn previous = SetMessageBoxFn(RecordBox);
    CDiskSpace space;
    const double freeOnE = space.GetFreeMB("E:\\");
    const double freeOnMissing = space.GetFreeMB("Q:\\");
    SetMessageBoxFn(previous);

    EXPECT_GT(freeOnE, 0.0);
    EXPECT_EQ(CDiskSpace::kFailed, freeOnMissing);
    ASSERT_EQ(1u, g_boxes.size());
    CString expected;
    expected.LoadString(IDS_FREE_SPACE_FAILED);
    EXPECT_EQ(std::string(expected), g_boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP | MB_OK), g_boxes[0].type);
}

TEST(DriveScan, TakesFixedAndRemovableDrivesInLetterOrder)
{
    // The sandbox has C: fixed, D: CD-ROM, E: fixed (labelled SANDBOX) and F: removable.
    const std::vector<MeasuredDrive> drives = CDriveScan::Scan();
    ASSERT_EQ(3u, drives.size());
    EXPECT_EQ('C', drives[0].letter);
    EXPECT_EQ('E', drives[1].letter);
    EXPECT_EQ('F', drives[2].letter);
    EXPECT_EQ(CString("E:\\"), drives[1].root);
    EXPECT_EQ(CString("SANDBOX"), drives[1].label);
}

TEST(FreeSpaceGains, GainIsNeverNegativeNaNOrBuiltOnAFailure)
{
    struct GainCase { double before; double after; double gain; };
    static const GainCase kCases[] = {
        {812.3, 790.0, 0.0},
        {500.0, 523.5, 23.5},
        {-1.0, 900.0, 0.0},      // a failed snapshot is no reason to claim the whole drive
        {900.0, -1.0, 0.0},
        {NAN, 10.0, 0.0},
        {100.0, 100.0, 0.0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.before << " -> " << c.after);
        EXPECT_EQ(c.gain, CFreeSpaceGains::GainOf(c.before, c.after));
    }
}

TEST(FreeSpaceGains, SumsGainsOfEveryDrive)
{
    ScriptedDiskSpace space;
    double freeBefore[32] = {};
    char beforeDrive[32] = {};
    space.freeMB = {{'C', 500.0}, {'E', 100.0}};
    CFreeSpaceGains::RecordSnapshot(space, Drives("CE"), freeBefore, beforeDrive);
    space.freeMB = {{'C', 523.5}, {'E', 100.2}};
    const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, Drives("CE"), freeBefore, beforeDrive);

    ASSERT_EQ(2u, gains.size());
    EXPECT_EQ(523.5 - 500.0, gains[0].gain);
    EXPECT_EQ(100.2 - 100.0, gains[1].gain);
    EXPECT_EQ((523.5 - 500.0) + (100.2 - 100.0), CFreeSpaceGains::TotalOf(gains));
}

TEST(FreeSpaceGains, PairsByDriveLetterWhenDrivesComeAndGo)
{
    ScriptedDiskSpace space;
    double freeBefore[32];
    char beforeDrive[32];
    std::fill(std::begin(freeBefore), std::end(freeBefore), 7777.0);   // left by an earlier run
    std::fill(std::begin(beforeDrive), std::end(beforeDrive), 'X');

    space.freeMB = {{'C', 500.0}, {'G', 40.0}, {'H', 70.0}};
    CFreeSpaceGains::RecordSnapshot(space, Drives("CGH"), freeBefore, beforeDrive);
    EXPECT_EQ('\0', beforeDrive[3]) << "an earlier run's letters must not pair";

    // F: appeared after the snapshot and H: vanished; G: must still meet its own value.
    space.freeMB = {{'C', 510.0}, {'F', 300.0}, {'G', 45.0}};
    const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, Drives("CFG"), freeBefore, beforeDrive);

    ASSERT_EQ(3u, gains.size());
    EXPECT_EQ(10.0, gains[0].gain);
    EXPECT_EQ('F', gains[1].letter);
    EXPECT_EQ(-1.0, gains[1].before);
    EXPECT_EQ(0.0, gains[1].gain);
    EXPECT_EQ(40.0, gains[2].before);
    EXPECT_EQ(5.0, gains[2].gain);
    EXPECT_EQ(15.0, CFreeSpaceGains::TotalOf(gains));
}

TEST(FreeSpaceGains, MainDialogRecordsTheSandboxDrivesIntoTheApplication)
{
    std::fill(std::begin(theApp.g_FreeBefore), std::end(theApp.g_FreeBefore), 0.0);
    CCleanerDlg dlg;
    dlg.RecordFreeSpaceBefore();
    EXPECT_EQ(std::string("CEF"), std::string(theApp.g_FreeBeforeDrive));
    for (int entry = 0; entry < 3; ++entry)
        EXPECT_GT(theApp.g_FreeBefore[entry], 0.0) << entry;
    EXPECT_EQ(0.0, theApp.g_FreeBefore[3]);
}
