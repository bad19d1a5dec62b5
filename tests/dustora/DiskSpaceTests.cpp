// Free space: the unit, the drives measured, and how before and after pair into gains.
#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "engine/CDiskSpace.h"
#include "engine/CDriveScan.h"
#include "engine/CFreeSpaceGains.h"
#include "resources/DustoraResource.h"
#include "support/RecordedBoxes.h"
#include "support/SandboxDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

// Free space by drive letter, as scripted by a test; a missing letter fails like the platform.
class ScriptedDiskSpace : public CDiskSpace {
public:
    std::map<char, double> freeMB;
    bool QueryFreeMB(const char* root, double& free) override
    {
        const auto found = freeMB.find(root[0]);
        if (found == freeMB.end())
            return false;
        free = found->second;
        return true;
    }
};

// Fixed drives with these letters, each a volume of its own: its serial number is its letter.
std::vector<MeasuredDrive> Drives(const char* letters)
{
    std::vector<MeasuredDrive> drives;
    for (const char* letter = letters; *letter; ++letter)
        drives.push_back({*letter, CDriveScan::RootOf(*letter), "", static_cast<DWORD>(*letter), false});
    return drives;
}

std::string SharedWith(const std::vector<DriveGain>& gains)
{
    std::string letters;
    for (const DriveGain& drive : gains)
        letters += drive.sharesDiskWith ? drive.sharesDiskWith : '-';
    return letters;
}

std::string Letters(const SnapshotDrive (&drives)[32])
{
    std::string letters;
    for (int entry = 0; entry < 32 && drives[entry].letter; ++entry)
        letters += drives[entry].letter;
    return letters;
}

std::string Letters(const std::vector<DriveGain>& gains)
{
    std::string letters;
    for (const DriveGain& drive : gains)
        letters += drive.letter;
    return letters;
}

void ExpectFreeSpaceFailureBox(const ShownBox& box)
{
    CString expected;
    expected.LoadString(IDS_FREE_SPACE_FAILED);
    EXPECT_EQ(std::string(expected), box.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP | MB_OK), box.type);
}

// The sandbox's own removable drive for media tests: the drive scan never looks at B:.
constexpr char kCardReader = 'B';

MeasuredDrive CardReader()
{
    MeasuredDrive drive{};
    EXPECT_TRUE(CDriveScan::Examine(kCardReader, drive));
    EXPECT_TRUE(drive.removable);
    return drive;
}

// A file of exactly this many megabytes of data (not a sparse one: its pages are taken).
void WriteFileOfMB(const char* path, unsigned megabytes)
{
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path << " error " << ::GetLastError();
    const std::vector<char> megabyte(1048576, 'x');
    DWORD written = 0;
    for (unsigned made = 0; made < megabytes; ++made)
        EXPECT_TRUE(::WriteFile(file, megabyte.data(), 1048576, &written, nullptr) && written == 1048576);
    ::CloseHandle(file);
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
    RecordedBoxes boxes;
    CDiskSpace space(&boxes);
    const double freeOnE = space.GetFreeMB("E:\\");
    const double freeOnMissing = space.GetFreeMB("Q:\\");

    EXPECT_GT(freeOnE, 0.0);
    EXPECT_EQ(CDiskSpace::kFailed, freeOnMissing);
    ASSERT_EQ(1u, boxes.shown.size());
    ExpectFreeSpaceFailureBox(boxes.shown[0]);

    double untouched = 12.5;
    EXPECT_FALSE(space.QueryFreeMB("Q:\\", untouched));
    EXPECT_EQ(12.5, untouched);
    EXPECT_EQ(1u, boxes.shown.size()) << "the quiet query shows nothing";
}

TEST(DiskSpace, TotalBytesOfAVolumeAndNoneOfAMissingOne)
{
    unsigned long long totalOnE = 0;
    EXPECT_TRUE(CDiskSpace::QueryTotalBytes("E:\\", totalOnE));
    EXPECT_GE(CDiskSpace::BytesToMB(totalOnE), CDiskSpace().GetFreeMB("E:\\"));

    unsigned long long untouched = 12345;
    EXPECT_FALSE(CDiskSpace::QueryTotalBytes("Q:\\", untouched));
    EXPECT_EQ(12345u, untouched);
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
    for (const MeasuredDrive& drive : drives) {
        unsigned long long total = 0;
        EXPECT_TRUE(CDiskSpace::QueryTotalBytes(drive.root, total)) << drive.letter;
        EXPECT_GT(drive.totalBytes, 0u) << drive.letter;
        EXPECT_EQ(total, drive.totalBytes) << drive.letter;
        // The sandbox's drives lie on one Linux file system, and it gives them one serial.
        EXPECT_NE(0u, drive.serial) << drive.letter;
        EXPECT_TRUE(CFreeSpaceGains::SameVolume(drives[0], drive)) << drive.letter;
    }
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
    SnapshotDrive beforeDrive[32] = {};
    space.freeMB = {{'C', 500.0}, {'E', 100.0}};
    CFreeSpaceGains::RecordSnapshot(space, Drives("CE"), freeBefore, beforeDrive);
    space.freeMB = {{'C', 523.5}, {'E', 100.2}};
    const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, Drives("CE"), freeBefore, beforeDrive);

    ASSERT_EQ(2u, gains.size());
    EXPECT_EQ(523.5 - 500.0, gains[0].gain);
    EXPECT_EQ(100.2 - 100.0, gains[1].gain);
    EXPECT_EQ((523.5 - 500.0) + (100.2 - 100.0), CFreeSpaceGains::TotalOf(gains));
}

// Drives C:, E:, F:, G: with these serials and sizes; a serial or size that cannot be read (0)
// never makes two drives one volume.
TEST(FreeSpaceGains, CountsEachVolumeOnceThroughItsFirstDrive)
{
    constexpr unsigned long long S = 80ull << 30;
    const struct { const char* name; DWORD serials[4]; unsigned long long sizes[4]; const char* shared; double total; } cases[] = {
        {"E: and G: letters of C:'s volume", {7, 7, 9, 7}, {S, S, S, S}, "-C-C", 11.0 + 3.0},
        {"E: same serial, other size", {7, 7, 9, 7}, {S, S / 2, S, S}, "---C", 11.0 + 5.0 + 3.0},
        {"E: other serial", {7, 8, 9, 7}, {S, S, S, S}, "---C", 11.0 + 5.0 + 3.0},
        {"serials unread", {0, 0, 9, 0}, {S, S, S, S}, "----", 11.0 + 5.0 + 3.0 + 11.0},
        {"sizes unknown", {7, 7, 9, 7}, {0, 0, S, 0}, "----", 11.0 + 5.0 + 3.0 + 11.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<MeasuredDrive> drives = Drives("CEFG");
        for (size_t i = 0; i < drives.size(); ++i) {
            drives[i].serial = c.serials[i];
            drives[i].totalBytes = c.sizes[i];
        }
        ScriptedDiskSpace space;
        double freeBefore[32] = {};
        SnapshotDrive beforeDrive[32] = {};
        space.freeMB = {{'C', 100.0}, {'E', 100.0}, {'F', 50.0}, {'G', 100.0}};
        CFreeSpaceGains::RecordSnapshot(space, drives, freeBefore, beforeDrive);
        space.freeMB = {{'C', 111.0}, {'E', 105.0}, {'F', 53.0}, {'G', 111.0}};
        const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, drives, freeBefore, beforeDrive);

        EXPECT_EQ(c.shared, SharedWith(gains));
        EXPECT_EQ(11.0, gains[3].gain) << "a shared drive keeps its own figures";
        EXPECT_EQ(c.total, CFreeSpaceGains::TotalOf(gains));
    }
}

TEST(FreeSpaceGains, PairsByDriveLetterWhenDrivesComeAndGo)
{
    ScriptedDiskSpace space;
    double freeBefore[32];
    SnapshotDrive beforeDrive[32];
    std::fill(std::begin(freeBefore), std::end(freeBefore), 7777.0);   // left by an earlier run
    std::fill(std::begin(beforeDrive), std::end(beforeDrive), SnapshotDrive{'X', 1, 0});

    space.freeMB = {{'C', 500.0}, {'G', 40.0}, {'H', 70.0}};
    CFreeSpaceGains::RecordSnapshot(space, Drives("CGH"), freeBefore, beforeDrive);
    EXPECT_EQ("CGH", Letters(beforeDrive)) << "an earlier run's letters must not pair";

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

// A drive that holds a volume of another size holds another volume, whatever its serial number.
TEST(FreeSpaceGains, PairsOnlyADriveOfTheSameLetterSerialAndSize)
{
    ScriptedDiskSpace space;
    double freeBefore[32] = {};
    SnapshotDrive beforeDrive[32] = {};
    std::vector<MeasuredDrive> drives = Drives("CE");
    for (MeasuredDrive& drive : drives)
        drive.totalBytes = 16ull << 20;
    space.freeMB = {{'C', 10.0}, {'E', 12.0}};
    CFreeSpaceGains::RecordSnapshot(space, drives, freeBefore, beforeDrive);
    EXPECT_EQ(16ull << 20, beforeDrive[1].totalBytes);

    drives[1].totalBytes = 64ull << 20;
    space.freeMB = {{'C', 11.5}, {'E', 60.0}};
    const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, drives, freeBefore, beforeDrive);

    ASSERT_EQ(2u, gains.size());
    EXPECT_EQ(10.0, gains[0].before);
    EXPECT_EQ(1.5, gains[0].gain);
    EXPECT_EQ(CDiskSpace::kFailed, gains[1].before);
    EXPECT_EQ(60.0, gains[1].after);
    EXPECT_EQ(0.0, gains[1].gain);
    EXPECT_EQ(1.5, CFreeSpaceGains::TotalOf(gains));
}

TEST(FreeSpaceGains, MainDialogRecordsTheSandboxDrivesIntoTheApplication)
{
    std::fill(std::begin(theApp.g_FreeBefore), std::end(theApp.g_FreeBefore), 0.0);
    CCleanerDlg dlg;
    dlg.RecordFreeSpaceBefore();
    EXPECT_EQ("CEF", Letters(theApp.g_FreeBeforeDrive));
    for (int entry = 0; entry < 3; ++entry)
        EXPECT_GT(theApp.g_FreeBefore[entry], 0.0) << entry;
    EXPECT_EQ(0.0, theApp.g_FreeBefore[3]);
}

TEST(FreeSpaceGains, RemovableDrivePairsOnlyWithTheMediumItHeldAtTheSnapshot)
{
    // Serial 0: no medium in the drive.
    struct MediumCase { const char* name; DWORD atSnapshot; DWORD atReport; bool listed; bool paired; };
    const MediumCase cases[] = {
        {"same medium", 0x1111AAAA, 0x1111AAAA, true, true},
        {"medium changed", 0x1111AAAA, 0x2222BBBB, true, false},
        {"medium put in", 0, 0x2222BBBB, true, false},
        {"medium taken out", 0x1111AAAA, 0, false, false},
    };
    for (const MediumCase& c : cases) {
        SCOPED_TRACE(c.name);
        SandboxDrive card(kCardReader);
        RecordedBoxes boxes;
        CDiskSpace space(&boxes);
        double freeBefore[32] = {};
        SnapshotDrive beforeDrive[32] = {};
        const auto putIn = [&card](DWORD serial) { serial ? card.InsertMedium(serial) : card.RemoveMedium(); };

        putIn(c.atSnapshot);
        CFreeSpaceGains::RecordSnapshot(space, {CardReader()}, freeBefore, beforeDrive);
        EXPECT_EQ(c.atSnapshot ? 1u : 0u, Letters(beforeDrive).size());
        putIn(c.atReport);
        const MeasuredDrive atReport = CardReader();
        if (c.atReport) {   // an empty drive keeps reporting its last medium's serial under Wine
            EXPECT_EQ(c.atReport, atReport.serial);
        }
        const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, {atReport}, freeBefore, beforeDrive);

        EXPECT_TRUE(boxes.shown.empty());
        ASSERT_EQ(c.listed ? 1u : 0u, gains.size());
        if (!c.listed)
            continue;
        EXPECT_GT(gains[0].after, 0.0);
        EXPECT_EQ(c.paired ? freeBefore[0] : CDiskSpace::kFailed, gains[0].before);
        EXPECT_EQ(c.paired ? CFreeSpaceGains::GainOf(freeBefore[0], gains[0].after) : 0.0, gains[0].gain);
    }
}

// Wine gives every medium of a removable drive without a serial file of its own the same serial
// (0x46000000 for F:): a medium swapped for one of another size pairs with nothing, though the
// serial is the same, while a medium left in the drive still reports what was freed on it. Each
// medium is a tmpfs of its own, so the figures are exact.
TEST(FreeSpaceGains, RemovableDrivePairsOnlyWithAMediumOfTheSizeItHeldAtTheSnapshot)
{
    constexpr DWORD kSharedSerial = 0x46000000;
    struct SizeCase { const char* name; unsigned atSnapshotMB; unsigned atReportMB; };   // 0: not swapped
    const SizeCase cases[] = {
        {"same medium", 16, 0},
        {"larger medium, same serial", 16, 64},
        {"smaller medium, same serial", 64, 16},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SandboxDrive card(kCardReader);
        RecordedBoxes boxes;
        CDiskSpace space(&boxes);
        double freeBefore[32] = {};
        SnapshotDrive beforeDrive[32] = {};
        if (!card.InsertMediumOfSize(kSharedSerial, c.atSnapshotMB))
            GTEST_SKIP() << "no file system can be mounted here";
        WriteFileOfMB("B:\\freed.bin", 4);
        const MeasuredDrive atSnapshot = CardReader();
        CFreeSpaceGains::RecordSnapshot(space, {atSnapshot}, freeBefore, beforeDrive);
        ASSERT_TRUE(::DeleteFileA("B:\\freed.bin"));
        if (c.atReportMB) {
            ASSERT_TRUE(card.InsertMediumOfSize(kSharedSerial, c.atReportMB));
        }
        const MeasuredDrive atReport = CardReader();
        EXPECT_EQ(kSharedSerial, atReport.serial) << "the serial alone cannot tell the media apart";
        EXPECT_EQ((c.atReportMB ? c.atReportMB : c.atSnapshotMB) * 1048576ull, atReport.totalBytes);
        const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, {atReport}, freeBefore, beforeDrive);

        EXPECT_TRUE(boxes.shown.empty());
        ASSERT_EQ(1u, gains.size());
        const bool sameMedium = c.atReportMB == 0;
        EXPECT_EQ(sameMedium ? freeBefore[0] : CDiskSpace::kFailed, gains[0].before);
        EXPECT_EQ(sameMedium ? 4.0 : 0.0, gains[0].gain);
    }
}

// An empty card reader is left out without a word; a fixed drive that cannot be measured still
// says so, at the snapshot and again at the report.
TEST(FreeSpaceGains, RemovableDriveWithoutMediumIsLeftOutWithoutAWord)
{
    SandboxDrive emptyCardReader(kCardReader);
    RecordedBoxes boxes;
    CDiskSpace space(&boxes);
    std::vector<MeasuredDrive> drives = CDriveScan::Scan();   // C:, E: and the removable F:
    drives.push_back(CardReader());
    drives.push_back({'Q', "Q:\\", "", 0, false});            // a fixed drive gone missing
    double freeBefore[32] = {};
    SnapshotDrive beforeDrive[32] = {};

    CFreeSpaceGains::RecordSnapshot(space, drives, freeBefore, beforeDrive);
    EXPECT_EQ("CEFQ", Letters(beforeDrive));
    EXPECT_EQ(CDiskSpace::kFailed, freeBefore[3]);
    EXPECT_EQ(1u, boxes.shown.size());
    const std::vector<DriveGain> gains = CFreeSpaceGains::Measure(space, drives, freeBefore, beforeDrive);
    EXPECT_EQ("CEFQ", Letters(gains));

    ASSERT_EQ(2u, boxes.shown.size());
    for (const ShownBox& box : boxes.shown)
        ExpectFreeSpaceFailureBox(box);
    EXPECT_EQ(0.0, gains.back().gain);
}
