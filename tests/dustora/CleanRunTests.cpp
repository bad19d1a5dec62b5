// The clean run from the main dialog's Start: the calls it makes to its progress dialog, what the
// cleaners then delete in the test's own folders, the stop, the stamp and the report; the pump
// that keeps the progress window alive during a walk; the drives the run reads from the list.
#include "dialogs/CCleanProgressDlg.h"
#include "engine/CSystemFolders.h"
#include "engine/WalkProgress.h"
#include "resources/DustoraResource.h"
#include "support/MainDialogFixture.h"
#include "support/Pixels.h"
#include "support/RecordedBoxes.h"
#include "support/RecycleBin.h"
#include "support/RunModal.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

// Every call the run makes to its progress dialog; act may answer one.
class CallRecorder : public CRunProgress::Listener {
public:
    CallRecorder() : m_previous(CRunProgress::SetListener(this)) {}
    ~CallRecorder() override { CRunProgress::SetListener(m_previous); }
    void Heard(CCleanProgressDlg& dialog, const CString& call) override
    {
        calls.push_back(call.Str());
        if (act)
            act(dialog, call.Str());
    }

    Calls calls;
    std::function<void(CCleanProgressDlg&, const std::string&)> act;

private:
    CRunProgress::Listener* m_previous;
};

// Closes each report the run opens, as the user does, and keeps its text.
class ReportCloser {
public:
    explicit ReportCloser(const char* screenshot = nullptr) : m_screenshot(screenshot)
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 20, &Tick);
    }
    ~ReportCloser()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    std::vector<std::string> texts;

private:
    static BOOL CALLBACK FindReport(HWND window, LPARAM found)
    {
        char title[64] = "";
        ::GetWindowTextA(window, title, sizeof(title));
        if (lstrcmpA(title, "Dustora Statistics...") == 0 && ::IsWindowVisible(window) && window != s_current->m_closed)
            *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND report = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindReport, reinterpret_cast<LPARAM>(&report));
        if (!report)
            return;
        if (s_current->m_screenshot)
            SaveScreenshot(report, s_current->m_screenshot);
        char text[4096] = "";
        ::GetDlgItemTextA(report, IDC_REPORT_TEXT, text, sizeof(text));
        s_current->texts.push_back(text);
        s_current->m_closed = report;
        ::PostMessageA(report, WM_COMMAND, IDOK, 0);
    }

    static inline ReportCloser* s_current = nullptr;
    const char* m_screenshot;
    UINT_PTR m_timer = 0;
    HWND m_closed = nullptr;
};

CString g_windowsFolder;
CString WindowsFolder() { return g_windowsFolder; }
CString NoShellFolder(HWND, int) { return CString(); }
CString NoFolder() { return CString(); }

// A new user's main dialog whose folders all lie in the test's own folder: what the run can
// delete is there, or in the sandbox's Recycle Bin.
class CleanRun : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        m_savedFolders = {theApp.m_folderRecentDocs, theApp.m_folderTemp, theApp.m_folderIECache, theApp.m_folderIECookies};
        theApp.m_folderRecentDocs = m_sandbox.Below("Recent\\");
        theApp.m_folderTemp = m_sandbox.Below("Temp\\");
        theApp.m_folderIECache = m_sandbox.Below("Cache\\");
        theApp.m_folderIECookies = m_sandbox.Below("Cookies\\");
        g_windowsFolder = m_sandbox.Below("Win\\");
        m_savedLookups = CSystemFolders::SetLookups({NoShellFolder, NoFolder, WindowsFolder});
    }
    void TearDown() override
    {
        CSystemFolders::SetLookups(m_savedLookups);
        theApp.m_folderRecentDocs = m_savedFolders[0];
        theApp.m_folderTemp = m_savedFolders[1];
        theApp.m_folderIECache = m_savedFolders[2];
        theApp.m_folderIECookies = m_savedFolders[3];
        MainDialogFixture::TearDown();
    }

    // Unticks every drive and presses Start; the dialog is still open and enabled after the run.
    // The last-cleaned line it then shows.
    CString RunFromStart()
    {
        CString lastCleaned;
        RunModal(
            dlg,
            [&lastCleaned](CDialog& d) {
                CCheckListBox& drives = static_cast<CCleanerDlg&>(d).m_driveList;
                for (int i = 0; i < drives.GetCount(); ++i)
                    drives.SetCheck(i, BST_UNCHECKED);
                d.SendDlgItemMessage(IDOK, BM_CLICK);
                EXPECT_TRUE(d.IsModalLoopRunning());
                EXPECT_TRUE(d.IsWindowEnabled());
                lastCleaned = d.GetDlgItemText(IDC_LAST_CLEANED);
                d.PostMessage(WM_COMMAND, IDCANCEL);
            },
            30000);
        return lastCleaned;
    }

    NamedLock m_binLock{kRecycleBinLock};
    NamedLock m_backupLock{"DustoraTests.SYSBCKUP"};
    RecordedBoxes m_boxes;
    SandboxFolder m_sandbox;

private:
    std::vector<CString> m_savedFolders;
    CSystemFolders::Lookups m_savedLookups = {};
};

Calls Step(int position)
{
    return {"CheckStop 0", "SetPos " + std::to_string(position)};
}

Calls Texts(const char* action, const char* item)
{
    return {std::string("SetAction ") + action, std::string("SetItem ") + item};
}

const Calls kTemp = Texts("Cleaning:", "Windows Temp Dir...");
const Calls kBin = Texts("Empty:", "Recycle Bin...");
const Calls kAppLog = Texts("Empty:", "AppLog Folder...");
const Calls kRegBackups = Texts("Deleting:", "Windows98 Registry Old Backups...");
const Calls kIECache = Texts("Deleting:", "Internet Explorer Cache files...");
const Calls kTempFiles = Texts("Deleting:", "Temporary Files (TMP, BAK, CHK, etc.)...");
const Calls kNetscapeCache = Texts("Deleting:", "Netscape Navigator Cache Files...");
const Calls kNetscapeCookies = Texts("Deleting:", "Netscape Navigator Cookie Files...");

Calls Joined(std::initializer_list<Calls> parts)
{
    Calls all = {"SetRange 0 21", "SetPos 0", "SetPos 1"};
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    all.push_back("SetPos 21");
    return all;
}

struct Setting {
    const char* section;
    const char* key;
    int value;
};

// Each case starts from a new user's profile with one of everything to clean; stray.TMP lies on
// a drive that is never ticked.
TEST_F(CleanRun, EachStepRunsItsCleanerOnlyWhenItsOptionIsOnAndAStopSkipsTheRest)
{
    const struct {
        const char* name;
        std::vector<Setting> settings;
        bool netscapeFolder;
        const char* stopAfter;   // the call after which Stop is pressed
        Calls calls;
        std::set<std::string> emptied;
    } cases[] = {
        {"only the defaults", {}, false, nullptr,
         Joined({Step(2), kTemp, Step(3), Step(4), kBin, Step(5), kAppLog, Step(6), Step(11), Step(11), kIECache,
                 Step(13), Step(14), Step(15), Step(17)}),
         {"Temp", "bin", "AppLog", "Cache"}},
        // The end of the session asks for a second run meanwhile; none starts.
        {"a stop during the Recycle Bin step", {{"Schedule", "CleanAtShutdown", 1}}, false, "SetItem Recycle Bin...",
         Joined({Step(2), kTemp, Step(3), Step(4), kBin, {"CheckStop 1"}}),
         {"Temp", "bin"}},
        {"Internet Explorer unticked, registry backups on",
         {{"Items", "MSIE", 0}, {"Items", "DelRegBackup", 1}}, false, nullptr,
         Joined({Step(2), kTemp, Step(3), Step(4), kBin, Step(5), kAppLog, Step(6), Step(11), kRegBackups, Step(11),
                 Step(13), Step(14), Step(15), Step(17)}),
         {"Temp", "bin", "AppLog"}},
        {"Netscape ticked with both items off", {{"Netscape Items", "DelCacheFolder", 0}}, true, nullptr,
         Joined({Step(2), kTemp, Step(3), Step(4), kBin, Step(5), kAppLog, Step(6), Step(11), Step(11), kIECache,
                 Step(13), Step(14), Step(15), {"SetPos 16"}, Step(17)}),
         {"Temp", "bin", "AppLog", "Cache"}},
        {"Netscape cache and cookies on, everything else off",
         {{"Items", "DelWinTemp", 0}, {"Items", "EmptyRecycleBin", 0}, {"Items", "DelAppLog", 0},
          {"MSIE Items", "DelCacheFolder", 0}, {"Netscape Items", "DelCookiesFolder", 1}},
         true, nullptr,
         Joined({Step(2), Step(3), Step(4), Step(5), Step(6), Step(11), Step(11), Step(13), Step(14), Step(15),
                 kNetscapeCache, {"SetPos 16"}, kNetscapeCookies, Step(17)}),
         {"Netscape"}},
        {"temporary files on, no drive ticked",
         {{"Items", "DelCHKFiles", 1}, {"Items", "DelWinTemp", 0}, {"Items", "EmptyRecycleBin", 0},
          {"Items", "DelAppLog", 0}, {"Items", "MSIE", 0}},
         false, nullptr,
         Joined({Step(2), Step(3), Step(4), Step(5), Step(6), Step(11), Step(11), Step(13), Step(14), kTempFiles,
                 Step(15), Step(17)}),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_profile.Remove();
        for (const Setting& setting : c.settings)
            theApp.WriteProfileInt(setting.section, setting.key, setting.value);
        theApp.m_folderNSCache = c.netscapeFolder ? m_sandbox.Below("Netscape\\") : CString();
        const char* const clutter[][2] = {{"Temp", "Temp\\Sub\\a.txt"},   {"Cache", "Cache\\Content.IE5\\b.htm"},
                                          {"AppLog", "Win\\APPLOG\\c.lgc"}, {"Netscape", "Netscape\\d.dat"},
                                          {"stray", "stray.TMP"}};
        for (const auto& file : clutter)
            m_sandbox.MakeFile(file[1]);
        m_sandbox.MakeFile("binned.txt");
        EmptyBin();
        ASSERT_TRUE(PutInBin(m_sandbox.Below("binned.txt")));

        const bool isDefault = c.settings.empty() && !c.netscapeFolder;
        CallRecorder recorder;
        recorder.act = [&](CCleanProgressDlg& progress, const std::string& call) {
            if (call.rfind("SetItem", 0) == 0) {
                EXPECT_FALSE(dlg.IsWindowEnabled()) << call;
            }
            if (c.stopAfter && call == "SetItem Windows Temp Dir...")
                dlg.SendMessage(WM_ENDSESSION, TRUE, 0);
            if (c.stopAfter && call == c.stopAfter)
                ::PostMessageA(::GetDlgItem(progress.GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0);
            if (isDefault && call == "SetItem Internet Explorer Cache files...") {
                ::RedrawWindow(progress.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                SaveScreenshot(progress.GetSafeHwnd(), "progress");
            }
        };
        ReportCloser reports(isDefault ? "report" : nullptr);
        const CString stamp = RunFromStart();

        EXPECT_EQ(c.calls, recorder.calls);
        for (const auto& file : clutter) {
            const bool emptied = c.emptied.count(file[0]) > 0;
            EXPECT_EQ(!emptied, m_sandbox.IsListed(file[1])) << file[1];
        }
        EXPECT_EQ(c.emptied.count("bin") ? 0 : 1, ItemsInBin());
        for (const char* kept : {"Temp", "Cache", "Win\\APPLOG"})
            EXPECT_TRUE(m_sandbox.IsListed(kept)) << kept;

        EXPECT_EQ(0u, stamp.Str().rfind(" System was last Cleaned on ", 0)) << stamp.Str();
        EXPECT_EQ(stamp, theApp.GetProfileString("Stats", "LastCleaned"));
        ASSERT_EQ(1u, reports.texts.size());
        EXPECT_EQ(0u, reports.texts[0].rfind(" System Clean Report...\r\n\r\nReport for Drive [C:]", 0));
        EXPECT_TRUE(m_boxes.shown.empty());
    }
}

TEST(CleanRunStamp, IsTheLongLocalFormOfDateAndTime)
{
    std::tm june = {};
    june.tm_year = 2020 - 1900;
    june.tm_mon = 5;
    june.tm_mday = 1;
    june.tm_hour = 10;
    june.tm_isdst = -1;
    const std::string text = CCleanerDlg::LastCleanedText(std::mktime(&june)).Str();
    EXPECT_TRUE(std::regex_match(text, std::regex(R"( System was last Cleaned on \w+, \w+ 01, 2020 10:00:00)"))) << text;
}

TEST_F(CleanRun, TheDrivesAreTheRootsOfTheCheckedItems)
{
    RunModal(dlg, [](CDialog& d) {
        CCheckListBox& list = static_cast<CCleanerDlg&>(d).m_driveList;
        list.ResetContent();
        const struct {
            const char* item;
            int check;
        } items[] = {{"[D:] DATA", BST_CHECKED}, {"[E:] ", BST_CHECKED}, {"[F:] STICK", BST_UNCHECKED},
                     {"[:] ", BST_CHECKED},       {"", BST_CHECKED},      {"[g:]", BST_CHECKED}};
        for (const auto& item : items)
            list.SetCheck(list.AddString(item.item), item.check);
        const CStringArray roots = static_cast<CCleanerDlg&>(d).SelectedDriveRoots();
        ASSERT_EQ(3, roots.GetSize());
        EXPECT_STREQ("D:\\", roots[0]);
        EXPECT_STREQ("E:\\", roots[1]);
        EXPECT_STREQ("g:\\", roots[2]);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// While a walk goes on, the folders it enters show in the item line and the queue is drained,
// at most once in kPumpIntervalMs; a Stop press then waits for the next stop check.
TEST(CleanRunPump, ShowsTheWalksFoldersAndDrainsTheQueueAtMostEveryInterval)
{
    constexpr UINT kProbe = WM_APP + 7;
    CWnd owner;
    const RECT rect = {100, 100, 400, 300};
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP | WS_VISIBLE, rect, nullptr, 0));
    const WalkProgress before = SetWalkProgress({[](void*, const char*) {}, &owner});
    {
        CRunProgress progress;
        progress.Create(&owner);
        ::PostMessageA(::GetDlgItem(progress.Dialog().GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0);
        owner.PostMessage(kProbe);
        int shown = 0;
        const DWORD start = ::GetTickCount();
        for (int folder = 0; ::GetTickCount() - start < 350; ++folder) {
            const std::string path = "E:\\Walked\\" + std::to_string(folder) + "\\";
            ReportFolderEntered(path.c_str());
            if (progress.Dialog().GetDlgItemText(IDC_PROGRESS_ITEM) == path.c_str())
                ++shown;
        }
        const DWORD elapsed = ::GetTickCount() - start;
        EXPECT_GE(shown, 1);
        EXPECT_LE(static_cast<DWORD>(shown), elapsed / CRunProgress::kPumpIntervalMs);
        MSG msg;
        EXPECT_FALSE(::PeekMessageA(&msg, owner.GetSafeHwnd(), kProbe, kProbe, PM_NOREMOVE)) << "the queue was not drained";
        EXPECT_EQ(1, progress.Dialog().CheckStop());
        progress.Close();
    }
    const WalkProgress after = SetWalkProgress(before);
    EXPECT_EQ(&owner, after.context) << "the run's pump is still installed";
    owner.DestroyWindow();
}

}  // namespace
