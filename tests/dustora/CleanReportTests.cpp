// The clean report: its text for given figures, and the real dialog over the sandbox's drives
// (C: fixed, D: CD-ROM, E: fixed labelled SANDBOX, F: removable).
#include "dialogs/CCleanReportDlg.h"
#include "engine/CDriveScan.h"
#include "engine/CFreeSpaceGains.h"
#include "resources/DustoraResource.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

namespace {

DriveGain Drive(char letter, const char* label, double before, double after)
{
    return DriveGain{letter, label, before, after, CFreeSpaceGains::GainOf(before, after)};
}

const char kTitle[] = " System Clean Report...\r\n\r\n";

// One drive's block of the report text; the figures as printed.
std::string BlockEndingWith(const char* drive, const char* before, const char* after, const std::string& last)
{
    return std::string("Report for Drive ") + drive + "\r\n===============================\r\n" +
           "Free Space Before Cleaning: " + before + " MB\r\nFree Space After Cleaning: " + after +
           " MB\r\n" + last + "\r\n\r\n\r\n";
}

std::string Block(const char* drive, const char* before, const char* after, const char* saved)
{
    return BlockEndingWith(drive, before, after, std::string("Saved Disk Space: ") + saved + " MB");
}

std::string SharedBlock(const char* drive, const char* before, const char* after, const char* firstDrive)
{
    return BlockEndingWith(drive, before, after, std::string("Shares its disk with drive ") + firstDrive + ".");
}

TEST(CleanReportText, EachDriveGetsOneBlockOfFiguresWithOneDecimal)
{
    const struct { const char* name; std::vector<DriveGain> drives; std::string blocks; } cases[] = {
        {"no drive", {}, ""},
        {"rounding of the printed figures, saving from the unrounded ones", {Drive('C', "", 100.04, 150.26)},
         Block("[C:] ", "100.0", "150.3", "50.2")},
        {"a loss saves nothing", {Drive('D', "DATA", 812.3, 790.0)}, Block("[D:] DATA", "812.3", "790.0", "0.0")},
        {"failed measurements show -1.0 and save nothing", {Drive('F', "", -1.0, 20.0), Drive('G', "STICK", 20.0, -1.0)},
         Block("[F:] ", "-1.0", "20.0", "0.0") + Block("[G:] STICK", "20.0", "-1.0", "0.0")},
        {"large figures have no thousands separator", {Drive('E', "", 4768.37158203125, 123456.75)},
         Block("[E:] ", "4768.4", "123456.8", "118688.4")},
        {"a drive of a volume listed before names that drive in place of its saving",
         {Drive('C', "", 100.0, 111.0), DriveGain{'E', "SANDBOX", 100.0, 111.0, 11.0, 'C'}, Drive('G', "", 5.0, 6.0)},
         Block("[C:] ", "100.0", "111.0", "11.0") + SharedBlock("[E:] SANDBOX", "100.0", "111.0", "[C:]") +
             Block("[G:] ", "5.0", "6.0", "1.0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kTitle + c.blocks, CCleanReportDlg::ReportText(c.drives).Str());
    }
}

// A cleaner's line names what it counted; the total counts the bin's items with the files.
TEST(CleanReportText, OneLinePerCleanerAndTheirTotal)
{
    const auto tally = [](unsigned long files, ULONGLONG bytes, unsigned long entries, bool bin, ULONGLONG items) {
        RemovalTally counted;
        counted.files = files;
        counted.bytes = bytes;
        counted.registryEntries = entries;
        counted.binCounted = bin;
        counted.binItems = items;
        counted.binBytes = items * 1048576;
        return counted;
    };
    const std::vector<CleanerRemoval> removals = {
        {"Windows Temp Dir", tally(1204, 40055193, 0, false, 0)},
        {"Recycle Bin", tally(0, 0, 0, true, 3)},
        {"Windows Run History", tally(0, 0, 12, false, 0)},
        {"Windows Documents History", tally(2, 2048, 1234567, false, 0)},
        {"AppLog Folder", tally(0, 0, 0, false, 0)},
    };
    const char* const lines[] = {
        "Windows Temp Dir: 1,204 files, 38.2 MB", "Recycle Bin: 3 items, 3.0 MB",
        "Windows Run History: 12 registry entries", "Windows Documents History: 2 files, 0.0 MB, 1,234,567 registry entries",
        "AppLog Folder: 0 files, 0.0 MB",
    };
    for (size_t i = 0; i < removals.size(); ++i)
        EXPECT_EQ(lines[i], CCleanReportDlg::RemovalLine(removals[i]).Str());
    EXPECT_EQ("Total removed: 1,209 files, 41.2 MB", CCleanReportDlg::RemovalTotalLine(removals, false).Str());
    EXPECT_EQ("Total to remove: 0 files, 0.0 MB", CCleanReportDlg::RemovalTotalLine({}, true).Str());
}

TEST(CleanReportText, TotalAndRegistryLines)
{
    EXPECT_EQ("Total Saved Disk(s) Space: 23.7 MB", CCleanReportDlg::TotalLine(23.74).Str());
    EXPECT_EQ("Total Saved Disk(s) Space: 0.0 MB", CCleanReportDlg::TotalLine(0.0).Str());
    EXPECT_EQ("Removed 0 Registry Entries.", CCleanReportDlg::RegistryLine(0).Str());
    EXPECT_EQ("Removed 12 Registry Entries.", CCleanReportDlg::RegistryLine(12).Str());
    EXPECT_EQ("", CCleanReportDlg::BackupLine("").Str());
    EXPECT_EQ("Registry Backup File: C:\\B\\2026-12-08 19-24-05.reg\r\n",
              CCleanReportDlg::BackupLine("C:\\B\\2026-12-08 19-24-05.reg").Str());
}

class CleanReport : public ::testing::Test {
protected:
    // The report's three texts, read while it is open; the dialog is then closed with Enter.
    // The result lines sit on a blue band.
    struct Shown { std::string text, total, registry; };
    Shown RunReport(LONG registryEntriesRemoved)
    {
        Shown shown;
        CCleanReportDlg dlg;
        dlg.SetFigures(m_freeBefore, m_beforeDrive, registryEntriesRemoved, &m_boxes);
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            EXPECT_STREQ("Dustora Statistics...", d.GetWindowText());
            shown = {d.GetDlgItemText(IDC_REPORT_TEXT).Str(), d.GetDlgItemText(IDC_REPORT_TOTAL).Str(),
                     d.GetDlgItemText(IDC_REPORT_REGISTRY).Str()};
            for (int id : {IDC_REPORT_TOTAL, IDC_REPORT_REGISTRY}) {
                const HWND line = ::GetDlgItem(d.GetSafeHwnd(), id);
                const HDC dc = ::GetDC(line);
                EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
                          d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(line)));
                EXPECT_EQ(RGB(255, 255, 64), ::GetTextColor(dc)) << id;
                EXPECT_EQ(OPAQUE, ::GetBkMode(dc)) << id;
                EXPECT_EQ(RGB(0, 0, 0xAF), ::GetPixel(dc, 1, 1)) << id;
                ::ReleaseDC(line, dc);
            }
            // To the Close button, which has the focus unless a test window beside takes it.
            ::PostMessageA(::GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        });
        EXPECT_EQ(IDOK, result) << "Enter closes the report";
        return shown;
    }

    RecordedBoxes m_boxes;
    double m_freeBefore[32] = {};
    SnapshotDrive m_beforeDrive[32] = {};
};

// The free space after the run is measured, so its figures read as x; C: had almost nothing free
// before and so saved something. E: and F: lie on C:'s volume (the sandbox gives them its serial):
// they show their own before-values, F:'s failed one too, and name C: in place of a saving, which
// the total counts once.
TEST_F(CleanReport, ListsEveryFixedAndRemovableDriveWithItsOwnBeforeValue)
{
    const std::vector<MeasuredDrive> drives = CDriveScan::Scan();
    ASSERT_EQ(3u, drives.size());
    const double before[] = {1.0, 2.0, -1.0};
    for (size_t i = 0; i < drives.size(); ++i) {
        m_freeBefore[i] = before[i];
        m_beforeDrive[i] = {drives[i].letter, drives[i].serial, drives[i].totalBytes};
    }
    const Shown shown = RunReport(7);

    std::string text = std::regex_replace(shown.text, std::regex(R"(After Cleaning: -?\d+\.\d)"), "After Cleaning: x");
    text = std::regex_replace(text, std::regex(R"(Saved Disk Space: (?!0\.0 )\d+\.\d)"), "Saved Disk Space: x");
    EXPECT_EQ(kTitle + Block("[C:] ", "1.0", "x", "x") + SharedBlock("[E:] SANDBOX", "2.0", "x", "[C:]")   // not D:'s slot
                  + SharedBlock("[F:] ", "-1.0", "x", "[C:]"),
              text);
    std::smatch savedOnC;
    ASSERT_TRUE(std::regex_search(shown.text, savedOnC, std::regex(R"(Saved Disk Space: (\d+\.\d) MB)")));
    EXPECT_EQ("Total Saved Disk(s) Space: " + savedOnC[1].str() + " MB", shown.total);
    EXPECT_NE("Total Saved Disk(s) Space: 0.0 MB", shown.total);
    EXPECT_EQ("Removed 7 Registry Entries.", shown.registry);
    EXPECT_EQ("Removed 0 Registry Entries.", RunReport(0).registry);
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
