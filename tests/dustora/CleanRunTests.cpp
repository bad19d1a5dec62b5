// The clean run from the main dialog's Start: the calls it makes to its progress dialog, what the
// cleaners then delete in the test's own folders, the stop, the stamp and the report; the pump
// that keeps the progress window alive during a walk; the drives the run reads from the list.
#include "dialogs/CCleanProgressDlg.h"
#include "engine/CHistoryLists.h"
#include "engine/CSystemFolders.h"
#include "engine/WalkProgress.h"
#include "framework/UniqueHandle.h"
#include "resources/DustoraResource.h"
#include "support/MainDialogFixture.h"
#include "support/Pixels.h"
#include "support/RecordedBoxes.h"
#include "support/RecycleBin.h"
#include "support/RunModal.h"
#include "support/SandboxFolder.h"
#include "support/ScratchRegistryKey.h"
#include "support/ShellShortcut.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

// Every call the run makes to its progress dialog; act may answer one.
struct CallRecorder : CRunProgress::Listener {
    CallRecorder() : previous(CRunProgress::SetListener(this)) {}
    ~CallRecorder() override { CRunProgress::SetListener(previous); }
    void Heard(CCleanProgressDlg& dialog, const CString& call) override
    {
        calls.push_back(call.Str());
        act(dialog, call.Str());
    }

    Listener* previous;
    Calls calls;
    std::function<void(CCleanProgressDlg&, const std::string&)> act;
};

// Closes the report the run ends with once it shows; keeps its text and, when asked, a
// screenshot. Only this thread's report will do: other test programs show theirs too.
struct ReportCloser {
    static inline std::vector<std::string> texts;
    static inline std::vector<std::string> registryLines;
    static inline const char* screenshot = nullptr;
    static inline const char* title = "Dustora Statistics...";   // a preview's is "Dustora Preview..."

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND report = nullptr;
        while ((report = ::FindWindowExA(nullptr, report, nullptr, title)) &&
               (::GetWindowThreadProcessId(report, nullptr) != ::GetCurrentThreadId() || !::IsWindowVisible(report))) {
        }
        if (!report)
            return;
        if (screenshot)
            SaveScreenshot(report, screenshot);
        char text[4096] = "";
        ::GetDlgItemTextA(report, IDC_REPORT_TEXT, text, sizeof(text));
        texts.push_back(text);
        ::GetDlgItemTextA(report, IDC_REPORT_REGISTRY, text, sizeof(text));
        registryLines.push_back(text);
        ::PostMessageA(report, WM_COMMAND, IDOK, 0);
    }
};

CString g_windowsFolder;
CString g_desktopFolder;

// Texts in a key of the current user's registry where the system keeps them; the key from
// removeFrom down goes again at the end.
class SeededKey {
public:
    SeededKey(const char* path, const char* removeFrom, const std::vector<std::pair<const char*, CString>>& texts)
        : m_removeFrom(removeFrom)
    {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
        for (const auto& text : texts)
            WriteRawValue(key, text.first, REG_SZ, std::vector<BYTE>(text.second.GetString(), text.second.GetString() + text.second.GetLength() + 1));
        ::RegCloseKey(key);
    }
    ~SeededKey() { DeleteRegistryTree(HKEY_CURRENT_USER, m_removeFrom); }
    SeededKey(const SeededKey&) = delete;
    SeededKey& operator=(const SeededKey&) = delete;

private:
    const char* m_removeFrom;
};

// A new user's main dialog whose folders all lie in the test's own folder: what the run can
// delete is there, or in the sandbox's Recycle Bin.
class CleanRun : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        const char* const below[] = {"Recent\\", "Temp\\", "Cache\\", "Cookies\\"};
        for (size_t i = 0; i < std::size(m_folders); ++i) {
            m_saved[i] = *m_folders[i];
            *m_folders[i] = m_sandbox.Below(below[i]);
        }
        g_windowsFolder = m_sandbox.Below("Win\\");
        g_desktopFolder = m_sandbox.Below("Desktop\\");
        m_savedLookups = CSystemFolders::SetLookups(
            {[](HWND, int csidl) { return csidl == CSIDL_DESKTOPDIRECTORY ? g_desktopFolder : CString(); },
             [] { return CString(); }, [] { return g_windowsFolder; }});
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    }
    void TearDown() override
    {
        ::OleUninitialize();
        CSystemFolders::SetLookups(m_savedLookups);
        for (size_t i = 0; i < std::size(m_folders); ++i)
            *m_folders[i] = m_saved[i];
        MainDialogFixture::TearDown();
    }

    NamedLock m_binLock{kRecycleBinLock};
    NamedLock m_backupLock{"DustoraTests.SYSBCKUP"};
    // The registry's lists and applications the run cleans are the sandbox's own.
    NamedLock m_recentDocsLock{"DustoraTests.RecentDocs"};
    NamedLock m_officeLock{"DustoraTests.OfficeKeys"};
    NamedLock m_outlookLock{"DustoraTests.OutlookExpressKey"};
    RecordedBoxes m_boxes;
    SandboxFolder m_sandbox;

private:
    CString* const m_folders[4] = {&theApp.m_folderRecentDocs, &theApp.m_folderTemp, &theApp.m_folderIECache,
                                   &theApp.m_folderIECookies};
    CString m_saved[4];
    CSystemFolders::Lookups m_savedLookups = {};
};

// The run's calls to its progress dialog from a list of its steps: "6" is a stop check and
// position 6, "=16" position 16 alone, "stop" the check that finds Stop pressed, a name the
// texts of the step that works. The bar's start and end go around them.
Calls RunCalls(const std::string& steps)
{
    const std::map<std::string, std::pair<std::string, std::string>> named = {
        {"Temp", {"Cleaning:", "Windows Temp Dir..."}}, {"Bin", {"Empty:", "Recycle Bin..."}},
        {"AppLog", {"Empty:", "AppLog Folder..."}}, {"RegBackups", {"Deleting:", "Windows98 Registry Old Backups..."}},
        {"IECache", {"Deleting:", "Internet Explorer Cache files..."}},
        {"TempFiles", {"Deleting:", "Temporary Files (TMP, BAK, CHK, etc.)..."}},
        {"NetscapeCache", {"Deleting:", "Netscape Navigator Cache Files..."}},
        {"NetscapeCookies", {"Deleting:", "Netscape Navigator Cookie Files..."}},
        {"DocHistory", {"Deleting:", "Windows Documents History..."}},
        {"RunHistory", {"Deleting:", "Windows Run History..."}},
        {"Shortcuts", {"Deleting:", "Invalid Desktop Shortcuts..."}},
        {"IECookies", {"Deleting:", "Internet Explorer Cookies..."}},
        {"TypedURLs", {"Deleting:", "Internet Explorer Typed URL History..."}},
        {"OutlookDeleted", {"Empty:", "Outlook Deleted Items Folder..."}},
        {"OfficeMRU", {"Deleting:", "Microsoft Office MRU Lists..."}},
        {"Uninstall", {"Deleting:", "Invalid UnInstall Entries..."}}, {"COM", {"Deleting:", "Invalid COM/OLE Entries..."}},
    };
    Calls all = {"SetRange 0 21", "SetPos 0", "SetPos 1"};
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        if (named.count(step))
            all.insert(all.end(), {"SetAction " + named.at(step).first, "SetItem " + named.at(step).second});
        else if (step == "stop")
            all.push_back("CheckStop 1");
        else if (step[0] == '=')
            all.push_back("SetPos " + step.substr(1));
        else
            all.insert(all.end(), {"CheckStop 0", "SetPos " + step});
    }
    all.push_back("SetPos 21");
    return all;
}

struct Setting { const char* section; const char* key; int value; };

// Each case starts from a new user's profile with one of everything to clean; stray.TMP lies on
// a drive that is never ticked.
TEST_F(CleanRun, EachStepRunsItsCleanerOnlyWhenItsOptionIsOnAndAStopSkipsTheRest)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());   // the windows as the program shows them
    const struct {
        const char* name;
        std::vector<Setting> settings;
        bool netscapeFolder;
        const char* stopAfter;   // the call after which Stop is pressed
        Calls calls;
        std::set<std::string> emptied;
        int registryEntries;
    } cases[] = {
        {"only the defaults", {}, false, nullptr,
         RunCalls("2 Temp 3 DocHistory 4 Bin 5 AppLog 6 7 8 9 11 11 IECache 12 13 14 15 17 18"),
         {"Temp", "bin", "AppLog", "Cache", "Recent"}, 0},
        // The end of the session asks for a second run meanwhile; none starts.
        {"a stop during the Recycle Bin step", {{"Schedule", "CleanAtShutdown", 1}}, false, "SetItem Recycle Bin...",
         RunCalls("2 Temp 3 DocHistory 4 Bin stop"), {"Temp", "bin", "Recent"}, 0},
        {"Internet Explorer unticked, its items and registry backups on",
         {{"Items", "MSIE", 0}, {"Items", "DelRegBackup", 1}, {"MSIE Items", "EmtpyCookies", 1},
          {"MSIE Items", "DelTypedURL", 1}},
         false, nullptr, RunCalls("2 Temp 3 DocHistory 4 Bin 5 AppLog 6 7 8 9 11 RegBackups 11 12 13 14 15 17 18"),
         {"Temp", "bin", "AppLog", "Recent"}, 0},
        {"Netscape ticked with both items off", {{"Netscape Items", "DelCacheFolder", 0}}, true, nullptr,
         RunCalls("2 Temp 3 DocHistory 4 Bin 5 AppLog 6 7 8 9 11 11 IECache 12 13 14 15 =16 17 18"),
         {"Temp", "bin", "AppLog", "Cache", "Recent"}, 0},
        {"Netscape cache and cookies on, everything else off",
         {{"Items", "DelWinTemp", 0}, {"Items", "EmptyRecycleBin", 0}, {"Items", "DelAppLog", 0},
          {"Items", "DelWindowsDocHistory", 0}, {"MSIE Items", "DelCacheFolder", 0},
          {"Netscape Items", "DelCookiesFolder", 1}},
         true, nullptr, RunCalls("2 3 4 5 6 7 8 9 11 11 12 13 14 15 NetscapeCache =16 NetscapeCookies 17 18"),
         {"Netscape"}, 0},
        {"temporary files on, no drive ticked",
         {{"Items", "DelCHKFiles", 1}, {"Items", "DelWinTemp", 0}, {"Items", "EmptyRecycleBin", 0},
          {"Items", "DelAppLog", 0}, {"Items", "DelWindowsDocHistory", 0}, {"Items", "MSIE", 0}},
         false, nullptr, RunCalls("2 3 4 5 6 7 8 9 11 11 12 13 14 TempFiles 15 17 18"), {}, 0},
        // Word's option adds no list: its list is kept inside its settings.
        {"the histories, shortcuts, cookies, deleted mail and Excel's list on, everything else off",
         {{"Items", "DelWinTemp", 0}, {"Items", "EmptyRecycleBin", 0}, {"Items", "DelAppLog", 0},
          {"MSIE Items", "DelCacheFolder", 0}, {"Items", "DelWinRunHistory", 1}, {"Items", "DelInvalidShortcuts", 1},
          {"MSIE Items", "EmtpyCookies", 1}, {"MSIE Items", "DelTypedURL", 1}, {"OutLook Items", "DelRecycleBin", 1},
          {"Items", "Office", 1}, {"Office Items", "DelExcelMRU", 1}, {"Office Items", "DelWordMRU", 1}},
         false, nullptr,
         RunCalls("2 3 DocHistory 4 5 6 RunHistory 7 Shortcuts 8 9 11 11 12 IECookies 13 TypedURLs 14 15 17 "
                  "OutlookDeleted 18 OfficeMRU"),
         {"Recent", "Cookies", "Desktop", "Store"}, 4},
        {"Outlook and Office unticked with their items on",
         {{"Items", "DelWindowsDocHistory", 0}, {"Items", "Outlook", 0}, {"OutLook Items", "DelRecycleBin", 1},
          {"Office Items", "DelExcelMRU", 1}},
         false, nullptr, RunCalls("2 Temp 3 4 Bin 5 AppLog 6 7 8 9 11 11 IECache 12 13 14 15 17 18"),
         {"Temp", "bin", "AppLog", "Cache"}, 0},
    };
    const char* const clutter[][2] = {{"Temp", "Temp\\Sub\\a.txt"},   {"Cache", "Cache\\Content.IE5\\b.htm"},
                                      {"AppLog", "Win\\APPLOG\\c.lgc"}, {"Netscape", "Netscape\\d.dat"},
                                      {"stray", "stray.TMP"},          {"Recent", "Recent\\e.doc.lnk"},
                                      {"Cookies", "Cookies\\user@f.txt"}, {"Store", "Store\\Deleted Items.dbx"}};
    const char* const canaries[] = {"Temp", "Cache", "Win\\APPLOG", "Recent\\g.doc", "Cookies", "Desktop\\valid.lnk",
                                    "Store\\Inbox.dbx"};
    const SeededKey runHistory(CHistoryLists::kRunHistoryKey, CHistoryLists::kRunHistoryKey, {{"a", "notepad"}, {"MRUList", "a"}});
    const SeededKey typedUrls(CHistoryLists::kTypedUrlsKey, CHistoryLists::kTypedUrlsKey, {{"url1", "http://example.com/"}});
    const SeededKey excel97("Software\\Microsoft\\Office\\8.0\\Excel\\Recent File List", "Software\\Microsoft\\Office",
                            {{"File1", "C:\\a.xls"}});
    const SeededKey outlook("Software\\Microsoft\\Outlook Express", "Software\\Microsoft\\Outlook Express",
                            {{"Store Root", m_sandbox.Below("Store")}});
    CHistoryLists::ClearRecentDocs(HKEY_CURRENT_USER);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_profile.Remove();
        for (const Setting& setting : c.settings)
            theApp.WriteProfileInt(setting.section, setting.key, setting.value);
        theApp.m_folderNSCache = c.netscapeFolder ? m_sandbox.Below("Netscape\\") : CString();
        for (const auto& file : clutter)
            m_sandbox.MakeFile(file[1]);
        for (const char* file : {"Recent\\g.doc", "Store\\Inbox.dbx", "valid.txt"})
            m_sandbox.MakeFile(file);
        m_sandbox.MakeFile("gone.txt");
        m_sandbox.MakeFolder("Desktop");
        ASSERT_TRUE(MakeShellShortcut(m_sandbox.Below("Desktop\\gone.lnk"), m_sandbox.Below("gone.txt")));
        ASSERT_TRUE(MakeShellShortcut(m_sandbox.Below("Desktop\\valid.lnk"), m_sandbox.Below("valid.txt")));
        ASSERT_TRUE(::DeleteFileA(m_sandbox.Below("gone.txt")));
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
        ReportCloser::texts.clear();
        ReportCloser::registryLines.clear();
        ReportCloser::screenshot = isDefault ? "report" : nullptr;
        const UINT_PTR closer = ::SetTimer(nullptr, 0, 20, &ReportCloser::Tick);
        CString stamp;
        RunModal(dlg, [&stamp](CDialog& d) {   // no drive ticked
            CCheckListBox& drives = static_cast<CCleanerDlg&>(d).m_driveList;
            for (int i = 0; i < drives.GetCount(); ++i)
                drives.SetCheck(i, BST_UNCHECKED);
            d.SendDlgItemMessage(IDOK, BM_CLICK);
            EXPECT_TRUE(d.IsModalLoopRunning() && d.IsWindowEnabled()) << "the dialog is open and enabled after the run";
            stamp = d.GetDlgItemText(IDC_LAST_CLEANED);
            d.PostMessage(WM_COMMAND, IDCANCEL);
        }, 30000);
        ::KillTimer(nullptr, closer);

        EXPECT_EQ(c.calls, recorder.calls);
        for (const auto& file : clutter)
            EXPECT_EQ(c.emptied.count(file[0]) == 0, m_sandbox.IsListed(file[1])) << file[1];
        EXPECT_EQ(c.emptied.count("Desktop") == 0, m_sandbox.IsListed("Desktop\\gone.lnk"));
        EXPECT_EQ(c.emptied.count("bin") ? 0 : 1, ItemsInBin());
        for (const char* kept : canaries)
            EXPECT_TRUE(m_sandbox.IsListed(kept)) << kept;
        // The long form of the local date and time, whatever the day.
        EXPECT_TRUE(std::regex_match(stamp.Str(), std::regex(R"( System was last Cleaned on \w+, \w+ \d\d, \d{4} \d\d:\d\d:\d\d)")))
            << stamp.Str();
        EXPECT_EQ(stamp, theApp.GetProfileString("Stats", "LastCleaned"));
        ASSERT_EQ(1u, ReportCloser::texts.size());
        EXPECT_EQ("Removed " + std::to_string(c.registryEntries) + " Registry Entries.", ReportCloser::registryLines[0]);
        EXPECT_EQ(0u, ReportCloser::texts[0].rfind(" System Clean Report...\r\n\r\nReport for Drive [C:]", 0));
        EXPECT_TRUE(m_boxes.shown.empty());
    }
}

// A class whose server is gone, in the user's classes: the COM step removes it, the report
// counts it and names the run's backup, which holds it.
TEST_F(CleanRun, TheRegistryStepsRemoveABrokenClassAndTheReportNamesTheBackup)
{
    const NamedLock realPlaces("DustoraTests.RealRegistryPlaces");
    const CString classKey = "Software\\Classes\\CLSID\\{D0570A40-0000-0000-0000-000000000001}";
    UniqueKey server;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, classKey + "\\InprocServer32", 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, server.receive(), nullptr));
    const CString gone = m_sandbox.Below("gone.dll");
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(server.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone.GetString()),
                                              static_cast<DWORD>(gone.GetLength() + 1)));
    server.reset();
    for (const char* option : {"DelWinTemp", "EmptyRecycleBin", "DelAppLog", "DelWindowsDocHistory", "MSIE"})
        theApp.WriteProfileInt("Items", option, 0);
    for (const char* option : {"CleanRegUninstall", "DelRegInvalidOLE"})
        theApp.WriteProfileInt("Items", option, 1);
    CallRecorder recorder;
    recorder.act = [](CCleanProgressDlg&, const std::string&) {};
    ReportCloser::texts.clear();
    ReportCloser::registryLines.clear();
    const UINT_PTR closer = ::SetTimer(nullptr, 0, 20, &ReportCloser::Tick);
    RunModal(dlg, [](CDialog& d) {
        d.SendDlgItemMessage(IDOK, BM_CLICK);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    }, 30000);
    ::KillTimer(nullptr, closer);

    EXPECT_EQ(RunCalls("2 3 4 5 6 7 8 Uninstall 9 COM 11 11 12 13 14 15 17 18"), recorder.calls);
    UniqueKey removed;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegOpenKeyExA(HKEY_CURRENT_USER, classKey, 0, KEY_READ, removed.receive()));
    ASSERT_EQ(1u, ReportCloser::texts.size());
    const std::string& text = ReportCloser::texts[0];
    const size_t named = text.find("Registry Backup File: ");
    ASSERT_NE(std::string::npos, named) << text;
    const std::string file = text.substr(named + 22, text.size() - named - 24);
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
    UniqueFile backup(::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char start[64] = "";
    DWORD read = 0;
    ASSERT_TRUE(backup && ::ReadFile(backup.get(), start, sizeof start - 1, &read, nullptr)) << file;
    EXPECT_EQ(0, std::string(start).rfind("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{D0570A40", 0)) << start;
    backup.reset();
    EXPECT_TRUE(::DeleteFileA(file.c_str()));
    EXPECT_EQ(std::vector<std::string>{"Removed 1 Registry Entries."}, ReportCloser::registryLines);
}

// The lines of a report's text from the one that starts with header on.
std::vector<std::string> LinesFrom(const std::string& text, const std::string& header)
{
    std::vector<std::string> lines;
    std::istringstream in(text.substr(std::min(text.find(header), text.size())));
    for (std::string line; std::getline(in, line) && line != "\r";)
        lines.push_back(line);
    return lines;
}

// A preview walks what the clean would, behind "Checking:", removes nothing (every file stays,
// byte for byte) and stamps nothing; the clean that follows removes what the preview counted.
TEST_F(CleanRun, APreviewRemovesNothingAndTheCleanAfterItRemovesWhatItCounted)
{
    const std::pair<const char*, std::string> files[] = {
        {"Temp\\a.txt", "12345"}, {"Temp\\Sub\\b.dat", std::string(3000, 'b')}, {"Cache\\c.htm", "<html/>"}};
    for (const auto& file : files)
        m_sandbox.MakeFile(file.first, file.second.c_str());
    for (const char* option : {"EmptyRecycleBin", "DelAppLog", "DelWindowsDocHistory"})
        theApp.WriteProfileInt("Items", option, 0);
    const CString stamp = theApp.GetProfileString("Stats", "LastCleaned", "never");
    CallRecorder recorder;
    recorder.act = [](CCleanProgressDlg&, const std::string&) {};
    ReportCloser::texts.clear();
    const UINT_PTR closer = ::SetTimer(nullptr, 0, 20, &ReportCloser::Tick);
    ReportCloser::title = "Dustora Preview...";
    RunModal(dlg, [](CDialog& d) {
        d.SendMessage(WM_SYSCOMMAND, IDM_PREVIEW_CLEAN);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    }, 30000);
    ReportCloser::title = "Dustora Statistics...";

    EXPECT_EQ(2, std::count(recorder.calls.begin(), recorder.calls.end(), "SetAction Checking:"));
    EXPECT_EQ(0, std::count(recorder.calls.begin(), recorder.calls.end(), "SetAction Cleaning:"));
    for (const auto& file : files)
        EXPECT_EQ(file.second, m_sandbox.ReadFile(file.first)) << file.first;
    EXPECT_EQ(stamp, theApp.GetProfileString("Stats", "LastCleaned", "never"));
    ASSERT_EQ(1u, ReportCloser::texts.size());
    const std::vector<std::string> preview = LinesFrom(ReportCloser::texts[0], "Would be removed");
    EXPECT_EQ((std::vector<std::string>{"Would be removed by each cleaner:\r", "Windows Temp Dir: 2 files, 0.0 MB\r",
                                        "Internet Explorer Cache files: 1 files, 0.0 MB\r",
                                        "Total to remove: 3 files, 0.0 MB\r"}),
              preview);

    RunModal(dlg, [](CDialog& d) {
        d.SendDlgItemMessage(IDOK, BM_CLICK);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    }, 30000);
    ::KillTimer(nullptr, closer);

    ASSERT_EQ(2u, ReportCloser::texts.size());
    std::vector<std::string> clean = LinesFrom(ReportCloser::texts[1], "Removed by each");
    ASSERT_EQ(preview.size(), clean.size()) << ReportCloser::texts[1];
    EXPECT_EQ(std::vector<std::string>(preview.begin() + 1, preview.end() - 1),
              std::vector<std::string>(clean.begin() + 1, clean.end() - 1));
    EXPECT_EQ("Total removed: 3 files, 0.0 MB\r", clean.back());
    for (const auto& file : files)
        EXPECT_FALSE(m_sandbox.IsListed(file.first)) << file.first;
}

TEST_F(CleanRun, TheDrivesAreTheRootsOfTheCheckedItems)
{
    RunModal(dlg, [](CDialog& d) {
        CCheckListBox& list = static_cast<CCleanerDlg&>(d).m_driveList;
        list.ResetContent();
        for (const char* item : {"[D:] DATA", "[E:] ", "[F:] STICK", "[:] ", ""})
            list.SetCheck(list.AddString(item), BST_CHECKED);
        list.SetCheck(2, BST_UNCHECKED);
        const CStringArray roots = static_cast<CCleanerDlg&>(d).SelectedDriveRoots();
        ASSERT_EQ(2, roots.GetSize());
        EXPECT_STREQ("D:\\", roots[0]);
        EXPECT_STREQ("E:\\", roots[1]);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// While a walk goes on, the folders it enters show in the item line and the queue is drained,
// at most once in kPumpIntervalMs; a Stop press then waits for the next stop check. Close puts
// back the observer that was there before.
TEST(CleanRunPump, ShowsTheWalksFoldersAndDrainsTheQueueAtMostEveryInterval)
{
    constexpr UINT kProbe = WM_APP + 7;
    CWnd owner;
    const RECT rect = {100, 100, 400, 300};
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP | WS_VISIBLE, rect, nullptr, 0));
    const WalkProgress before = SetWalkProgress({[](void*, const char*) {}, &owner});
    CRunProgress progress;
    progress.Create(&owner);
    ::PostMessageA(::GetDlgItem(progress.Dialog().GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0);
    owner.PostMessage(kProbe);
    DWORD shown = 0;
    const DWORD start = ::GetTickCount();
    for (int folder = 0; ::GetTickCount() - start < 350; ++folder) {
        const std::string path = "E:\\Walked\\" + std::to_string(folder) + "\\";
        ReportFolderEntered(path.c_str());
        shown += progress.Dialog().GetDlgItemText(IDC_PROGRESS_ITEM) == path.c_str() ? 1 : 0;
    }
    EXPECT_GE(shown, 1u);
    EXPECT_LE(shown, (::GetTickCount() - start) / CRunProgress::kPumpIntervalMs);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, owner.GetSafeHwnd(), kProbe, kProbe, PM_NOREMOVE)) << "the queue was not drained";
    EXPECT_EQ(1, progress.CheckStop());
    progress.Close();
    EXPECT_EQ(&owner, SetWalkProgress(before).context) << "the run's pump is still installed";
    owner.DestroyWindow();
}

}  // namespace
