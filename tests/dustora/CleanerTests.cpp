// The item cleaners: temporary files on the chosen drives, the Recycle Bin, the temporary,
// application-log and cache folders, and Netscape's cache and cookie file.
#include "engine/CInternetAppInfo.h"
#include "engine/COfficeInfo.h"
#include "engine/CSystemFolders.h"

#include "support/EntrySwap.h"
#include "support/HostileTrees.h"
#include "support/NamedLock.h"
#include "support/RecycleBin.h"
#include "support/RecordedBoxes.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Every test that puts files on F: or sweeps the whole of it takes this lock.
const char kDriveFLock[] = "DustoraTests.DriveF";

CString NoLookup(HWND, int) { return CString(); }
CString NoFolder() { return CString(); }

CStringArray Roots(std::initializer_list<CString> roots)
{
    CStringArray list;
    for (const CString& root : roots)
        list.Add(root);
    return list;
}

// The extensions the main dialog installs and folder settings kept off the system: a test sets
// what it needs, and whatever detection would ask for shows up as a box.
class Cleaner : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* extension : {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"})
            m_settings.tempExtensions.Add(extension);
        m_previousLookups = CSystemFolders::SetLookups({NoLookup, NoFolder, NoFolder});
        char current[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, current);
        m_savedCurrent = current;
    }

    void TearDown() override
    {
        ::SetCurrentDirectoryA(m_savedCurrent);
        CSystemFolders::SetLookups(m_previousLookups);
    }

    // The temporary and cache folders given, so detection asks for neither.
    void UseFolders(const CString& temp, const CString& cache)
    {
        m_settings.tempFolder = temp;
        m_settings.ieCacheFolder = cache;
    }

    CSystemFolders Folders() { return CSystemFolders(m_settings, m_boxes); }
    CInternetAppInfo Info() const { return CInternetAppInfo(m_settings); }

    RecordedBoxes m_boxes;
    SandboxFolder m_sandbox;
    CleanerSettings m_settings;

private:
    CString m_savedCurrent;
    CSystemFolders::Lookups m_previousLookups = {};
};

struct EntryCase {
    const char* relative;
    bool stays;
};

void ExpectEntries(const SandboxFolder& folder, const EntryCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(folder.Below(cases[i].relative).GetString());
        EXPECT_EQ(cases[i].stays, folder.IsListed(cases[i].relative));
    }
}

// ---------------------------------------------------------------------------------------------
// What each cleaner answers, once: the run uses no answer, so each is TRUE whatever the cleaner
// met, except the Netscape ones, which say FALSE when no folder is set.

TEST_F(Cleaner, EachCleanerAnswersOneResultWhateverItMeets)
{
    NamedLock binLock(kRecycleBinLock);
    NamedLock backupLock("DustoraTests.SYSBCKUP");
    UseFolders(m_sandbox.Below("Temp\\"), m_sandbox.Below("Cache\\"));
    CSystemFolders folders = Folders();
    folders.m_WindowsFolder = m_sandbox.Below("Win\\");
    COfficeInfo office;
    struct Contract {
        const char* cleaner;
        std::function<BOOL()> clean;
        BOOL answer;
    };
    const Contract kContracts[] = {
        {"EmptyTempFolder", [&] { return folders.EmptyTempFolder(); }, TRUE},
        {"EmptyRecycleBin", [&] { return folders.EmptyRecycleBin(); }, TRUE},
        {"EmptyAppLogFolder", [&] { return folders.EmptyAppLogFolder(); }, TRUE},
        {"EmptyCacheFolder", [&] { return folders.EmptyCacheFolder(); }, TRUE},
        {"DeleteRegistryBackups", [&] { return office.DeleteRegistryBackups(); }, TRUE},
        {"DeleteTempFiles, no drive", [&] { return Info().DeleteTempFiles(CStringArray()); }, TRUE},
        {"DeleteTempFiles, a missing drive", [&] { return Info().DeleteTempFiles(Roots({"Q:\\"})); }, TRUE},
        {"EmptyNetscapeCache, no folder", [&] { return Info().EmptyNetscapeCache(); }, FALSE},
        {"DeleteNetscapeCookies, no folder", [&] { return Info().DeleteNetscapeCookies(); }, FALSE},
        {"EmptyNetscapeCache, a missing folder",
         [&] { m_settings.nsCacheFolder = m_sandbox.Below("NoNS\\"); return Info().EmptyNetscapeCache(); }, TRUE},
        {"DeleteNetscapeCookies, a missing folder", [&] { return Info().DeleteNetscapeCookies(); }, TRUE},
    };
    for (const Contract& contract : kContracts)
        EXPECT_EQ(contract.answer, contract.clean()) << contract.cleaner;
}

// ---------------------------------------------------------------------------------------------
// Temporary files on the chosen drives

const EntryCase kExtensionCases[] = {
    {"REPORT.TMP", false},      {"setup.tmp", false},         {"A.~", false},
    {"NOTES.BAK", false},       {".TMP", false},              {"help.GID", false},
    {"FILE0000.CHK", false},    {"install.$$$", false},       {"word.~~~", false},
    {"Deep\\Er\\old.Bak", false},
    {"TMP", true},              {"FILE.TMP.OLD", true},       {"FILE.~~", true},
    {"archive.tmpx", true},     {"readme.txt", true},         {"Dir.TMP\\inside", true},
    {"Deep\\Er\\keep.doc", true},
};

TEST_F(Cleaner, DeletesFilesWithATempExtensionOnEveryChosenRoot)
{
    NamedLock lock(kDriveFLock);
    SandboxFolder onF('F');
    for (const EntryCase& entry : kExtensionCases) {
        m_sandbox.MakeFile(entry.relative);
        onF.MakeFile(entry.relative);
    }

    Info().DeleteTempFiles(Roots({m_sandbox.Path() + "\\", onF.Path()}));

    ExpectEntries(m_sandbox, kExtensionCases, std::size(kExtensionCases));
    ExpectEntries(onF, kExtensionCases, std::size(kExtensionCases));
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(Cleaner, EmptyRootListDeletesNothing)
{
    m_sandbox.MakeFile("REPORT.TMP");
    ::SetCurrentDirectoryA(m_sandbox.Path());
    Info().DeleteTempFiles(CStringArray());
    EXPECT_TRUE(m_sandbox.IsListed("REPORT.TMP"));
}

// A dot in a folder's name is no extension of the files inside it; a file held open or
// read-only stays, and the sweep goes on past it.
TEST_F(Cleaner, ASweepReadsTheLastNameOnlyAndGoesOnPastWhatItCannotDelete)
{
    static const EntryCase kEntries[] = {
        {"one\\two.TMP", false}, {"three.TMP\\plain", true}, {"five.tmp\\six.bAk", false},
        {"held.TMP", true},       {"locked.BAK", true},        {"z-after\\last.TMP", false},
    };
    for (const EntryCase& entry : kEntries)
        m_sandbox.MakeFile(entry.relative);
    ::SetFileAttributesA(m_sandbox.Below("locked.BAK"), FILE_ATTRIBUTE_READONLY);
    const UniqueFile held(::CreateFileA(m_sandbox.Below("held.TMP"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    Info().DeleteTempFiles(Roots({m_sandbox.Path()}));

    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
    ::SetFileAttributesA(m_sandbox.Below("locked.BAK"), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Cleaner, WithoutExtensionsNothingMatches)
{
    m_settings.tempExtensions.RemoveAll();
    m_sandbox.MakeFile("REPORT.TMP");
    m_sandbox.MakeFile("noextension");
    Info().DeleteTempFiles(Roots({m_sandbox.Path()}));
    EXPECT_TRUE(m_sandbox.IsListed("REPORT.TMP"));
    EXPECT_TRUE(m_sandbox.IsListed("noextension"));
}

TEST_F(Cleaner, LinksAndWhatTheyLeadToSurvive)
{
    m_sandbox.MakeFile("Target\\real.BAK", "the target");
    m_sandbox.MakeFile("TargetDir\\X.TMP");
    m_sandbox.MakeFile("Swept\\plain.TMP");
    m_sandbox.MakeUnixLink("Swept\\NOTES.BAK", "../Target/real.BAK");
    m_sandbox.MakeUnixLink("Swept\\Linked", "../TargetDir");

    Info().DeleteTempFiles(Roots({m_sandbox.Below("Swept")}));

    static const EntryCase kEntries[] = {
        {"Swept\\plain.TMP", false},  {"Swept\\NOTES.BAK", true}, {"Target\\real.BAK", true},
        {"Swept\\Linked", true},      {"Swept\\Linked\\X.TMP", true}, {"TargetDir\\X.TMP", true},
    };
    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
}

// A link "data.\keep.tmp" to "data\keep.tmp." (a file with no temporary extension): the paths
// Wine names for the two read alike, so the look-alike folders "data" and "data." are passed
// over; the rest of the sweep goes on.
TEST_F(Cleaner, ASweepPassesOverLookAlikeFoldersAndWhatTheirLinksReach)
{
    m_sandbox.MakeLiteralFile(L"Swept\\data\\keep.tmp.");
    m_sandbox.MakeLiteralFile(L"Swept\\data\\old.TMP");
    m_sandbox.MakeLiteralFolder(L"Swept\\data.");
    m_sandbox.MakeFile("Swept\\other\\old.TMP");
    const CString link = UnixPathOf(m_sandbox.Below("Swept")) + "/data./keep.tmp";
    ASSERT_TRUE(StartUnixProgram("/bin/ln", {"-s", "../data/keep.tmp.", link}));
    ASSERT_TRUE(WaitUntil([&] { return m_sandbox.IsLiteralListed(L"Swept\\data.\\keep.tmp"); }));

    Info().DeleteTempFiles(Roots({m_sandbox.Below("Swept")}));

    EXPECT_TRUE(m_sandbox.IsLiteralListed(L"Swept\\data\\keep.tmp."));
    EXPECT_TRUE(m_sandbox.IsLiteralListed(L"Swept\\data\\old.TMP"));
    EXPECT_FALSE(m_sandbox.IsListed("Swept\\other\\old.TMP"));
}

// A plain path drops the trailing dot of "Cache.", so "Swept\Cache.\old.TMP" would name the
// file behind the linked folder "Swept\Cache".
TEST_F(Cleaner, FolderNameWithATrailingDotNeverReachesItsLinkedNamesake)
{
    m_sandbox.MakeFile("TargetDir\\old.TMP");
    m_sandbox.MakeFolder("Swept");
    const CString dotted = "\\\\?\\" + m_sandbox.Below("Swept\\Cache.");
    ASSERT_TRUE(::CreateDirectoryA(dotted, nullptr)) << ::GetLastError();
    HANDLE file = ::CreateFileA(dotted + "\\old.TMP", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);
    m_sandbox.MakeUnixLink("Swept\\Cache", "../TargetDir");

    Info().DeleteTempFiles(Roots({m_sandbox.Below("Swept")}));

    EXPECT_TRUE(m_sandbox.IsListed("TargetDir\\old.TMP"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dotted + "\\old.TMP"));
}

// Under their ANSI names these would reach Outside\g.tmp, beside the swept folder.
TEST_F(Cleaner, NamesWithNoExactAnsiFormNeverReachOutsideTheSweep)
{
    MakeHostileEntries(m_sandbox, L"Swept");
    m_sandbox.MakeFile("Swept\\plain.tmp");

    Info().DeleteTempFiles(Roots({m_sandbox.Below("Swept")}));

    EXPECT_FALSE(m_sandbox.IsListed("Swept\\plain.tmp"));
    ExpectHostileEntriesKept(m_sandbox, L"Swept");
}

TEST_F(Cleaner, ATempFileSwappedForALinkBeforeItsDeletionLeavesTheTargetAlone)
{
    m_sandbox.MakeFile("Target\\doc.TMP", "the document");
    m_sandbox.MakeFile("Swept\\victim.TMP");
    const EntrySwap swap(m_sandbox.LiteralBelow(L"Swept\\victim.TMP"), "../Target/doc.TMP",
                         m_sandbox.LiteralBelow(L"Target\\doc.TMP"));

    Info().DeleteTempFiles(Roots({m_sandbox.Below("Swept")}));

    ASSERT_TRUE(EntrySwap::Swapped());
    EXPECT_TRUE(m_sandbox.IsListed("Target\\doc.TMP"));
}

TEST_F(Cleaner, SweepsPathsBeyondTheAnsiLimitAndNamesEndingInDotsOrBlanks)
{
    const std::vector<std::wstring> made = MakeFilesBeyondTheAnsiLimit(m_sandbox, L"Swept", L".TMP");

    Info().DeleteTempFiles(Roots({m_sandbox.Below("Swept")}));

    for (const std::wstring& file : made)
        EXPECT_FALSE(m_sandbox.IsLiteralListed(file)) << file.size();
}

// Nothing but this suite's tests ever writes to F:, and they take turns through the lock.
TEST_F(Cleaner, SweepsAWholeDriveAndPassesOverOneWithoutAMedium)
{
    NamedLock lock(kDriveFLock);
    SandboxFolder onF('F');
    onF.MakeFile("Deep\\Er\\Est\\x.~~~");
    onF.MakeFile("Deep\\keep.txt");

    Info().DeleteTempFiles(Roots({"D:\\", "Q:\\", "F:\\"}));

    EXPECT_FALSE(onF.IsListed("Deep\\Er\\Est\\x.~~~"));
    EXPECT_TRUE(onF.IsListed("Deep\\keep.txt"));
}

// ---------------------------------------------------------------------------------------------
// The registry backups

// rb000.cab as a link to a document: the document stays, and the work goes on with rb001.cab.
TEST_F(Cleaner, RegistryBackupThatIsALinkLeavesItsTargetAlone)
{
    NamedLock lock("DustoraTests.SYSBCKUP");
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const CString folder = CString(windows) + "\\SYSBCKUP";
    const bool made = ::CreateDirectoryA(folder, nullptr) != FALSE;
    m_sandbox.MakeFile("Documents\\letter.doc", "the letter");
    HANDLE cabinet = ::CreateFileA(folder + "\\rb001.cab", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, cabinet);
    ::CloseHandle(cabinet);
    const CString link = folder + "\\rb000.cab";
    ASSERT_TRUE(StartUnixProgram("/bin/ln", {"-s", UnixPathOf(m_sandbox.Below("Documents\\letter.doc")),
                                             UnixPathOf(folder) + "/rb000.cab"}));
    ASSERT_TRUE(WaitUntil([&] { return ::GetFileAttributesA(link) != INVALID_FILE_ATTRIBUTES; }));

    COfficeInfo office;
    office.DeleteRegistryBackups();

    EXPECT_TRUE(m_sandbox.IsListed("Documents\\letter.doc"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder + "\\rb001.cab"));
    RemoveUnixEntry(link);
    ::DeleteFileA(folder + "\\rb001.cab");
    if (made) {
        EXPECT_TRUE(::RemoveDirectoryA(folder)) << ::GetLastError();
    }
}

// ---------------------------------------------------------------------------------------------
// The Recycle Bin

TEST_F(Cleaner, EmptyRecycleBinDeletesWhatTheBinHolds)
{
    NamedLock lock(kRecycleBinLock);
    m_sandbox.MakeFile("binned.txt");
    const LONGLONG before = ItemsInBin();
    ASSERT_TRUE(PutInBin(m_sandbox.Below("binned.txt")));
    ASSERT_FALSE(m_sandbox.IsListed("binned.txt"));
    ASSERT_EQ(before + 1, ItemsInBin());

    CSystemFolders folders = Folders();
    folders.EmptyRecycleBin();

    EXPECT_EQ(0, ItemsInBin());
    EXPECT_FALSE(m_sandbox.IsListed("binned.txt"));
}

// Under Wine the bin is the sandbox's Trash: links put there (by a Linux file manager, say), as an
// item or inside a binned folder, go as links, and what they lead to stays; the rest is emptied.
// (Wine's shell leaves binned folders in the bin; the test takes its own out again.)
TEST_F(Cleaner, EmptyRecycleBinRemovesLinksAsLinksAndKeepsWhatTheyLead)
{
    NamedLock lock(kRecycleBinLock);
    m_sandbox.MakeFile("canary.txt", "the canary");
    m_sandbox.MakeFile("deep-canary.txt", "the canary");
    m_sandbox.MakeFile("binned.txt");
    m_sandbox.MakeFile("Binned\\plain.txt");
    ASSERT_TRUE(PutInBin(m_sandbox.Below("binned.txt")));
    ASSERT_TRUE(PutInBin(m_sandbox.Below("Binned")));
    char data[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetEnvironmentVariableA("XDG_DATA_HOME", data, MAX_PATH));
    const CString files = CString(data) + "/Trash/files";
    const CString script = "ln -s \"$0\" \"$2/canary-link.txt\" && ln -s \"$1\" \"$2/Binned/deep-link.txt\" && "
                           "printf '[Trash Info]\\nPath=/canary-link.txt\\nDeletionDate=2026-01-01T00:00:00\\n' "
                           ">\"$2/../info/canary-link.txt.trashinfo\"";
    ASSERT_TRUE(StartUnixProgram("/bin/sh", {"-c", script, UnixPathOf(m_sandbox.Below("canary.txt")),
                                             UnixPathOf(m_sandbox.Below("deep-canary.txt")), files}));
    CString windowsFiles = "\\\\?\\unix" + files;
    windowsFiles.Replace("/", "\\");
    const auto listed = [&](const char* name) {
        WIN32_FIND_DATAA entry;
        return static_cast<bool>(UniqueFind(::FindFirstFileA(windowsFiles + "\\" + name, &entry)));
    };
    ASSERT_TRUE(WaitUntil([&] { return listed("canary-link.txt") && listed("Binned\\deep-link.txt"); }));

    CSystemFolders folders = Folders();
    folders.EmptyRecycleBin();

    EXPECT_TRUE(m_sandbox.IsListed("canary.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("deep-canary.txt"));
    EXPECT_FALSE(listed("canary-link.txt"));
    EXPECT_FALSE(listed("Binned\\deep-link.txt"));
    EXPECT_FALSE(listed("binned.txt"));
    StartUnixProgram("/bin/rm", {"-rf", files + "/Binned", files + "/../info/Binned.trashinfo"});
    EXPECT_TRUE(WaitUntil([&] { return !listed("Binned") && ItemsInBin() == 0; }));
}

TEST_F(Cleaner, EmptyRecycleBinSucceedsOnAnEmptyBin)
{
    NamedLock lock(kRecycleBinLock);
    CSystemFolders folders = Folders();
    folders.EmptyRecycleBin();
    ASSERT_EQ(0, ItemsInBin());
    folders.EmptyRecycleBin();
    EXPECT_EQ(0, ItemsInBin());
}

// ---------------------------------------------------------------------------------------------
// The temporary, application-log and cache folders

void MakeClutter(const SandboxFolder& sandbox, const char* folder)
{
    const CString base(folder);
    sandbox.MakeFile(base + "\\a.txt");
    sandbox.MakeFile(base + "\\Sub\\Deeper\\b.dat");
    sandbox.MakeFolder(base + "\\EmptySub");
}

void ExpectEmptiedAndKept(const SandboxFolder& sandbox, const char* folder)
{
    const CString base(folder);
    EXPECT_TRUE(sandbox.IsListed(base)) << folder;
    EXPECT_FALSE(sandbox.IsListed(base + "\\a.txt")) << folder;
    EXPECT_FALSE(sandbox.IsListed(base + "\\Sub")) << folder;
    EXPECT_FALSE(sandbox.IsListed(base + "\\EmptySub")) << folder;
}

TEST_F(Cleaner, TempAndCacheFoldersAreEmptiedAndKept)
{
    MakeClutter(m_sandbox, "Temp");
    MakeClutter(m_sandbox, "Cache");
    m_sandbox.MakeFile("beside.txt");
    UseFolders(m_sandbox.Below("Temp\\"), m_sandbox.Below("Cache\\"));
    CSystemFolders folders = Folders();

    folders.EmptyTempFolder();
    ExpectEmptiedAndKept(m_sandbox, "Temp");
    EXPECT_TRUE(m_sandbox.IsListed("Cache\\a.txt"));

    folders.EmptyCacheFolder();
    ExpectEmptiedAndKept(m_sandbox, "Cache");
    EXPECT_TRUE(m_sandbox.IsListed("beside.txt"));
}

// An empty folder must not become the current folder or the root of the current drive.
TEST_F(Cleaner, FolderCleanersWithAnEmptyFolderDeleteNothing)
{
    MakeClutter(m_sandbox, "Here");
    ASSERT_TRUE(::SetCurrentDirectoryA(m_sandbox.Below("Here")));
    CSystemFolders folders = Folders();
    folders.m_TempFolder.Empty();
    folders.m_CacheFolder.Empty();
    folders.m_WindowsFolder.Empty();

    folders.EmptyTempFolder();
    folders.EmptyCacheFolder();
    folders.EmptyAppLogFolder();

    EXPECT_TRUE(m_sandbox.IsListed("Here\\a.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Here\\Sub\\Deeper\\b.dat"));
}

TEST_F(Cleaner, AppLogFolderWithoutAWindowsFolderIsNotTakenFromTheDriveRoot)
{
    NamedLock lock("DustoraTests.DriveERootAppLog");
    ASSERT_TRUE(::CreateDirectoryA("E:\\APPLOG", nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    HANDLE file = ::CreateFileA("E:\\APPLOG\\keep.lgc", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);
    ASSERT_TRUE(::SetCurrentDirectoryA(m_sandbox.Path()));
    CSystemFolders folders = Folders();
    folders.m_WindowsFolder.Empty();

    folders.EmptyAppLogFolder();

    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA("E:\\APPLOG\\keep.lgc"));
    ::DeleteFileA("E:\\APPLOG\\keep.lgc");
    ::RemoveDirectoryA("E:\\APPLOG");
}

TEST_F(Cleaner, AppLogFolderBelowTheWindowsFolderIsEmptiedAndKept)
{
    struct WindowsCase {
        const char* windows;
    };
    static const WindowsCase kCases[] = {{"Win\\"}, {"Win"}};
    for (const WindowsCase& windows : kCases) {
        SCOPED_TRACE(windows.windows);
        MakeClutter(m_sandbox, "Win\\APPLOG");
        m_sandbox.MakeFile("Win\\win.ini");
        CSystemFolders folders = Folders();
        folders.m_WindowsFolder = m_sandbox.Below(windows.windows);

        folders.EmptyAppLogFolder();

        ExpectEmptiedAndKept(m_sandbox, "Win\\APPLOG");
        EXPECT_TRUE(m_sandbox.IsListed("Win\\win.ini"));
    }
}

// ---------------------------------------------------------------------------------------------
// Netscape's cache and cookie file

TEST_F(Cleaner, NetscapeCleanersWithoutAFolderTouchNothing)
{
    m_settings.nsCacheFolder.Empty();
    m_sandbox.MakeFile("cookies.txt");
    m_sandbox.MakeFile("Sub\\x.txt");
    ASSERT_TRUE(::SetCurrentDirectoryA(m_sandbox.Path()));

    EXPECT_EQ(FALSE, Info().EmptyNetscapeCache());
    EXPECT_EQ(FALSE, Info().DeleteNetscapeCookies());

    EXPECT_TRUE(m_sandbox.IsListed("cookies.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Sub\\x.txt"));
    // Detection, which would fail here and say so, did not run.
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(Cleaner, NetscapeCacheIsEmptiedThenItsCookieFileDeleted)
{
    MakeClutter(m_sandbox, "NS\\Cache");
    m_sandbox.MakeFile("NS\\Cache\\cookies.txt");
    m_sandbox.MakeFile("NS\\bookmark.htm");
    m_settings.nsCacheFolder = m_sandbox.Below("NS\\Cache\\");
    UseFolders(m_sandbox.Below("Temp\\"), m_sandbox.Below("IECache\\"));

    Info().EmptyNetscapeCache();
    ExpectEmptiedAndKept(m_sandbox, "NS\\Cache");
    EXPECT_FALSE(m_sandbox.IsListed("NS\\Cache\\cookies.txt"));

    m_sandbox.MakeFile("NS\\Cache\\cookies.txt");
    Info().DeleteNetscapeCookies();
    EXPECT_FALSE(m_sandbox.IsListed("NS\\Cache\\cookies.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("NS\\Cache"));
    EXPECT_TRUE(m_sandbox.IsListed("NS\\bookmark.htm"));
}

TEST_F(Cleaner, CookieFileIsLookedForInsideTheFolderWhateverItsSpelling)
{
    struct SettingCase {
        const char* setting;
    };
    static const SettingCase kCases[] = {{"NS\\Cache"}, {"NS\\Cache\\"}, {"NS\\Cache/"}};
    for (const SettingCase& setting : kCases) {
        SCOPED_TRACE(setting.setting);
        m_sandbox.MakeFile("NS\\Cache\\cookies.txt");
        m_sandbox.MakeFile("NS\\Cachecookies.txt");
        m_settings.nsCacheFolder = m_sandbox.Below(setting.setting);

        Info().DeleteNetscapeCookies();

        EXPECT_FALSE(m_sandbox.IsListed("NS\\Cache\\cookies.txt"));
        EXPECT_TRUE(m_sandbox.IsListed("NS\\Cachecookies.txt"));
    }
}

TEST_F(Cleaner, CookieFileThatIsALinkSurvivesWithItsTarget)
{
    m_sandbox.MakeFile("Profile\\real-cookies.txt");
    m_sandbox.MakeFolder("NS\\Cache");
    m_sandbox.MakeUnixLink("NS\\Cache\\cookies.txt", "../../Profile/real-cookies.txt");
    m_settings.nsCacheFolder = m_sandbox.Below("NS\\Cache\\");

    Info().DeleteNetscapeCookies();

    EXPECT_TRUE(m_sandbox.IsListed("NS\\Cache\\cookies.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Profile\\real-cookies.txt"));
}

TEST_F(Cleaner, RelativeNetscapeFolderIsNotTakenFromTheCurrentFolder)
{
    MakeClutter(m_sandbox, "Cache");
    m_sandbox.MakeFile("Cache\\cookies.txt");
    ASSERT_TRUE(::SetCurrentDirectoryA(m_sandbox.Path()));
    m_settings.nsCacheFolder = "Cache";
    UseFolders(m_sandbox.Below("Temp\\"), m_sandbox.Below("IECache\\"));

    Info().EmptyNetscapeCache();
    Info().DeleteNetscapeCookies();

    EXPECT_TRUE(m_sandbox.IsListed("Cache\\a.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Cache\\cookies.txt"));
}

// Settings that lead, through links, outside every drive: the temporary folder, the Netscape
// cache with its cookie file, and the application-log folder below the Windows folder.
TEST_F(Cleaner, FolderSettingsLeadingOutsideEveryDriveDeleteNothing)
{
    OutsideFolder outside;
    static const char* const kCanaries[] = {"Temp\\a.txt", "NS\\cookies.txt", "NS\\b.txt", "AppLog\\c.lgc"};
    for (const char* canary : kCanaries)
        outside.MakeFile(canary);
    m_sandbox.MakeUnixLink("TempLink", outside.UnixPath() + "/Temp");
    m_sandbox.MakeUnixLink("NSLink", outside.UnixPath() + "/NS");
    m_sandbox.MakeFolder("Win");
    m_sandbox.MakeUnixLink("Win\\APPLOG", outside.UnixPath() + "/AppLog");
    UseFolders(m_sandbox.Below("TempLink\\"), m_sandbox.Below("IECache\\"));
    m_settings.nsCacheFolder = m_sandbox.Below("NSLink\\");
    CSystemFolders folders = Folders();
    folders.m_WindowsFolder = m_sandbox.Below("Win\\");

    folders.EmptyTempFolder();
    folders.EmptyAppLogFolder();
    Info().EmptyNetscapeCache();
    Info().DeleteNetscapeCookies();

    for (const char* canary : kCanaries)
        EXPECT_TRUE(outside.IsListed(canary)) << canary;
}

// The Desktop set as a folder to empty is refused, as the Windows, system and program-files
// folders, the profile and Documents are (PathGuardTests checks those without deleting).
TEST_F(Cleaner, AFolderSettingNamingTheDesktopDeletesNothing)
{
    char desktop[MAX_PATH] = "";
    ASSERT_EQ(S_OK, ::SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop));
    const CString canary = CString(desktop) + "\\Cleaner_DesktopCanary.txt";
    HANDLE file = ::CreateFileA(canary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);
    UseFolders(m_sandbox.Below("Temp\\"), desktop);

    CSystemFolders folders = Folders();
    folders.EmptyCacheFolder();

    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(canary));
    ::DeleteFileA(canary);
}

}  // namespace
