// The clean report: its text for given figures, and the real dialog over the sandbox's drives
// (C: fixed, D: CD-ROM, E: fixed labelled SANDBOX, F: removable).
#include "app/CCleanerApp.h"
#include "dialogs/CCleanReportDlg.h"
#include "engine/CDriveScan.h"
#include "engine/CFreeSpaceGains.h"
#include "resources/DustoraResource.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

DriveGain Drive(char letter, const char* label, double before, double after)
{
    return DriveGain{letter, label, before, after, CFreeSpaceGains::GainOf(before, after)};
}

const char kTitle[] = " System Clean Report...\r\n\r\n";
const char kRule[] = "===============================\r\n";

TEST(CleanReportText, EachDriveGetsOneBlockOfFiguresWithOneDecimal)
{
    const struct {
        const char* name;
        std::vector<DriveGain> drives;
        std::string text;
    } cases[] = {
        {"no drive", {}, kTitle},
        {"rounding of the printed figures, saving from the unrounded ones",
         {Drive('C', "", 100.04, 150.26)},
         std::string(kTitle) + "Report for Drive [C:] \r\n" + kRule +
             "Free Space Before Cleaning: 100.0 MB\r\n"
             "Free Space After Cleaning: 150.3 MB\r\n"
             "Saved Disk Space: 50.2 MB\r\n\r\n\r\n"},
        {"a loss saves nothing",
         {Drive('D', "DATA", 812.3, 790.0)},
         std::string(kTitle) + "Report for Drive [D:] DATA\r\n" + kRule +
             "Free Space Before Cleaning: 812.3 MB\r\n"
             "Free Space After Cleaning: 790.0 MB\r\n"
             "Saved Disk Space: 0.0 MB\r\n\r\n\r\n"},
        {"failed measurements show -1.0 and save nothing",
         {Drive('F', "", -1.0, 20.0), Drive('G', "STICK", 20.0, -1.0)},
         std::string(kTitle) + "Report for Drive [F:] \r\n" + kRule +
             "Free Space Before Cleaning: -1.0 MB\r\n"
             "Free Space After Cleaning: 20.0 MB\r\n"
             "Saved Disk Space: 0.0 MB\r\n\r\n\r\n"
             "Report for Drive [G:] STICK\r\n" + kRule +
             "Free Space Before Cleaning: 20.0 MB\r\n"
             "Free Space After Cleaning: -1.0 MB\r\n"
             "Saved Disk Space: 0.0 MB\r\n\r\n\r\n"},
        {"large figures have no thousands separator",
         {Drive('E', "", 4768.37158203125, 123456.75)},
         std::string(kTitle) + "Report for Drive [E:] \r\n" + kRule +
             "Free Space Before Cleaning: 4768.4 MB\r\n"
             "Free Space After Cleaning: 123456.8 MB\r\n"
             "Saved Disk Space: 118688.4 MB\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, CCleanReportDlg::ReportText(c.drives).Str());
    }
}

TEST(CleanReportText, TotalAndRegistryLines)
{
    const std::vector<DriveGain> drives = {Drive('C', "", 500.0, 523.5), Drive('E', "", 100.0, 100.2),
                                           Drive('F', "", 300.0, 250.0)};
    EXPECT_EQ("Total Saved Disk(s) Space: 23.7 MB", CCleanReportDlg::TotalLine(CFreeSpaceGains::TotalOf(drives)).Str());
    EXPECT_EQ("Total Saved Disk(s) Space: 0.0 MB", CCleanReportDlg::TotalLine(0.0).Str());
    EXPECT_EQ("Removed 0 Registry Entries.", CCleanReportDlg::RegistryLine(0).Str());
    EXPECT_EQ("Removed 12 Registry Entries.", CCleanReportDlg::RegistryLine(12).Str());
}

// The report text's lines, without their line ends; fails the test on a lone CR or LF.
std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(text.size(), start) << "the text ends with a line end";
    for (const std::string& line : lines)
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << line;
    return lines;
}

class CleanReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::copy(std::begin(theApp.g_FreeBefore), std::end(theApp.g_FreeBefore), m_savedBefore);
        std::copy(std::begin(theApp.g_FreeBeforeDrive), std::end(theApp.g_FreeBeforeDrive), m_savedDrives);
    }
    void TearDown() override
    {
        std::copy(std::begin(m_savedBefore), std::end(m_savedBefore), theApp.g_FreeBefore);
        std::copy(std::begin(m_savedDrives), std::end(m_savedDrives), theApp.g_FreeBeforeDrive);
        theApp.m_registryEntriesRemoved = 0;
    }

    // The report's three texts, read while it is open; the dialog is then closed with Enter.
    struct Shown { std::string text, total, registry; };
    Shown RunReport()
    {
        Shown shown;
        CCleanReportDlg dlg;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            EXPECT_STREQ("Dustora Statistics...", d.GetWindowText());
            shown = {d.GetDlgItemText(IDC_REPORT_TEXT).Str(), d.GetDlgItemText(IDC_REPORT_TOTAL).Str(),
                     d.GetDlgItemText(IDC_REPORT_REGISTRY).Str()};
            // To the Close button, which has the focus unless a test window beside takes it.
            ::PostMessageA(::GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        });
        EXPECT_EQ(IDOK, result) << "Enter closes the report";
        return shown;
    }

private:
    double m_savedBefore[32] = {};
    SnapshotDrive m_savedDrives[32] = {};
};

TEST_F(CleanReport, ListsEveryFixedAndRemovableDriveWithItsOwnBeforeValue)
{
    RecordedBoxes boxes;
    const std::vector<MeasuredDrive> drives = CDriveScan::Scan();
    ASSERT_EQ(3u, drives.size());
    const double before[] = {1.0, 2.0, -1.0};
    for (size_t i = 0; i < drives.size(); ++i) {
        theApp.g_FreeBefore[i] = before[i];
        theApp.g_FreeBeforeDrive[i] = {drives[i].letter, drives[i].serial};
    }
    theApp.g_FreeBeforeDrive[3] = {'\0', 0};
    const Shown shown = RunReport();

    const std::vector<std::string> lines = LinesOf(shown.text);
    ASSERT_EQ(2u + 3u * 7u, lines.size()) << shown.text;
    EXPECT_EQ(" System Clean Report...", lines[0]);
    EXPECT_EQ("", lines[1]);
    const struct {
        const char* header;
        const char* before;
    } blocks[] = {
        {"Report for Drive [C:] ", "Free Space Before Cleaning: 1.0 MB"},
        {"Report for Drive [E:] SANDBOX", "Free Space Before Cleaning: 2.0 MB"},   // not D:'s slot
        {"Report for Drive [F:] ", "Free Space Before Cleaning: -1.0 MB"},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(blocks[i].header);
        const size_t first = 2 + 7 * i;
        EXPECT_EQ(blocks[i].header, lines[first]);
        EXPECT_EQ("===============================", lines[first + 1]);
        EXPECT_EQ(blocks[i].before, lines[first + 2]);
        EXPECT_EQ(0u, lines[first + 3].rfind("Free Space After Cleaning: ", 0));
        EXPECT_EQ(0u, lines[first + 4].rfind("Saved Disk Space: ", 0));
        EXPECT_EQ("", lines[first + 5]);
        EXPECT_EQ("", lines[first + 6]);
    }
    EXPECT_EQ("Saved Disk Space: 0.0 MB", lines[2 + 14 + 4]) << "a failed snapshot saves nothing";
    EXPECT_EQ(0u, shown.total.rfind("Total Saved Disk(s) Space: ", 0));
    EXPECT_NE("Total Saved Disk(s) Space: 0.0 MB", shown.total) << "C: and E: had almost nothing free before";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CleanReport, UsesUpTheRegistryCounter)
{
    theApp.g_FreeBeforeDrive[0] = {'\0', 0};
    theApp.m_registryEntriesRemoved = 7;
    EXPECT_EQ("Removed 7 Registry Entries.", RunReport().registry);
    EXPECT_EQ(0, theApp.m_registryEntriesRemoved);
    EXPECT_EQ("Removed 0 Registry Entries.", RunReport().registry);
}

TEST_F(CleanReport, TheResultLinesSitOnABlueBand)
{
    CCleanReportDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        for (int id : {IDC_REPORT_TOTAL, IDC_REPORT_REGISTRY}) {
            SCOPED_TRACE(id);
            const HWND line = ::GetDlgItem(d.GetSafeHwnd(), id);
            const HDC dc = ::GetDC(line);
            EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
                      d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(line)));
            EXPECT_EQ(RGB(255, 255, 64), ::GetTextColor(dc));
            EXPECT_EQ(OPAQUE, ::GetBkMode(dc));
            EXPECT_EQ(RGB(0, 0, 0xAF), ::GetBkColor(dc));
            EXPECT_EQ(RGB(0, 0, 0xAF), ::GetPixel(dc, 1, 1));
            ::ReleaseDC(line, dc);
        }
        d.PostMessage(WM_COMMAND, IDOK);
    });
}

}  // namespace
