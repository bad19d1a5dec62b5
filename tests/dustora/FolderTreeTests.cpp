// Emptying a folder tree: what goes, what stays, and what is refused.
#include "engine/CEntryHandle.h"
#include "engine/CPathGuard.h"
#include "engine/CSystemFolders.h"
#include "engine/RemovalScope.h"
#include "framework/UniqueHandle.h"
#include "framework/MessageBox.h"

#include "support/EntrySwap.h"
#include "support/HostileTrees.h"
#include "support/NamedLock.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <iterator>
#include <string>

namespace {

CString NoLookup(HWND, int) { return CString(); }
CString NoFolder() { return CString(); }

// Detection, where a test needs a folders object, stays off the system and shows nothing.
class FolderTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = CSystemFolders::SetLookups({NoLookup, NoFolder, NoFolder});
        m_previousBox = SetMessageBoxFn([](HWND, const char*, const char*, UINT) { return IDOK; });
    }
    void TearDown() override
    {
        CSystemFolders::SetLookups(m_previous);
        SetMessageBoxFn(m_previousBox);
    }

    static int EmptyTree(const char* folder) { return CSystemFolders::EmptyFolderTree(folder); }

    struct Unheard : UserMessages {
        void Tell(const CString&, UINT) override {}
    };

    SandboxFolder m_sandbox;
    CleanerSettings m_settings;
    Unheard m_unheard;

private:
    CSystemFolders::Lookups m_previous = {};
    MessageBoxFn m_previousBox = nullptr;
};

struct EntryCase {
    const char* path;
    bool stays;
};

void ExpectEntries(const SandboxFolder& sandbox, const EntryCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(cases[i].path);
        EXPECT_EQ(cases[i].stays, sandbox.IsListed(cases[i].path));
    }
}

TEST_F(FolderTree, DeletesEverythingBelowAndKeepsTheFolder)
{
    m_sandbox.MakeFile("Tree\\a.txt");
    m_sandbox.MakeFile("Tree\\hidden.sys");
    ::SetFileAttributesA(m_sandbox.Below("Tree\\hidden.sys"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    m_sandbox.MakeFile("Tree\\One\\Two\\Three\\deep.tmp");
    m_sandbox.MakeFolder("Tree\\Empty");
    // A Unix-made name plain paths would read as "report".
    const CString trailingDot = "\\\\?\\" + m_sandbox.Below("Tree\\report.");
    HANDLE file = ::CreateFileA(trailingDot, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);
    m_sandbox.MakeFile("Beside.txt");

    EmptyTree(m_sandbox.Below("Tree"));

    static const EntryCase kEntries[] = {
        {"Tree", true},       {"Tree\\a.txt", false}, {"Tree\\hidden.sys", false}, {"Tree\\One", false},
        {"Tree\\Empty", false}, {"Beside.txt", true},
    };
    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(trailingDot));
    EmptyTree(m_sandbox.Below("Tree\\"));
    EXPECT_TRUE(m_sandbox.IsListed("Tree"));
}

TEST_F(FolderTree, LeavesAFileInUseAndItsFolder)
{
    m_sandbox.MakeFile("Tree\\Busy\\held.log");
    m_sandbox.MakeFile("Tree\\Busy\\free.log");
    m_sandbox.MakeFile("Tree\\Idle\\free.log");
    m_sandbox.MakeFile("Tree\\top.log");
    HANDLE held = ::CreateFileA(m_sandbox.Below("Tree\\Busy\\held.log"), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EmptyTree(m_sandbox.Below("Tree"));
    ::CloseHandle(held);

    static const EntryCase kEntries[] = {
        {"Tree\\Busy\\held.log", true}, {"Tree\\Busy", true}, {"Tree\\Busy\\free.log", false},
        {"Tree\\Idle", false},          {"Tree\\top.log", false},
    };
    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
}

TEST_F(FolderTree, LeavesReadOnlyFilesWithTheirAttribute)
{
    m_sandbox.MakeFile("Tree\\locked.txt");
    m_sandbox.MakeFile("Tree\\Sub\\locked.txt");
    m_sandbox.MakeFile("Tree\\Sub\\plain.txt");
    for (const char* name : {"Tree\\locked.txt", "Tree\\Sub\\locked.txt"})
        ASSERT_TRUE(::SetFileAttributesA(m_sandbox.Below(name), FILE_ATTRIBUTE_READONLY));

    EmptyTree(m_sandbox.Below("Tree"));

    static const EntryCase kEntries[] = {
        {"Tree\\locked.txt", true}, {"Tree\\Sub\\locked.txt", true}, {"Tree\\Sub", true},
        {"Tree\\Sub\\plain.txt", false},
    };
    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
    for (const char* name : {"Tree\\locked.txt", "Tree\\Sub\\locked.txt"}) {
        SCOPED_TRACE(name);
        const DWORD attributes = m_sandbox.Attributes(name);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY) << std::hex << attributes;
    }
}

TEST_F(FolderTree, EmptiesAndRemovesAFolderNamedThreeDots)
{
    // Plain paths drop the trailing dots of a name, so "..." is only reachable in the "\\?\" form.
    const CString dots = "\\\\?\\" + m_sandbox.Below("Tree\\...");
    m_sandbox.MakeFolder("Tree");
    ASSERT_TRUE(::CreateDirectoryA(dots, nullptr));
    ASSERT_TRUE(::CreateDirectoryA(dots + "\\inner", nullptr));
    HANDLE file = ::CreateFileA(dots + "\\inner\\x.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);
    m_sandbox.MakeFile("Tree\\after.txt");

    EmptyTree(m_sandbox.Below("Tree"));

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dots));
    EXPECT_FALSE(m_sandbox.IsListed("Tree\\after.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Tree"));
}

TEST_F(FolderTree, LeavesLinksAndEverythingTheyLeadTo)
{
    m_sandbox.MakeFile("Targets\\Full\\kept.txt");
    m_sandbox.MakeFile("Targets\\Full\\Inner\\kept.txt");
    m_sandbox.MakeFolder("Targets\\Empty");
    m_sandbox.MakeFile("Targets\\file.txt");
    m_sandbox.MakeFile("Targets\\deeper.txt");
    m_sandbox.MakeFile("Tree\\plain.txt");
    m_sandbox.MakeFolder("Tree\\Sub");
    m_sandbox.MakeUnixLink("Tree\\full-link", "../Targets/Full");
    m_sandbox.MakeUnixLink("Tree\\empty-link", "../Targets/Empty");
    m_sandbox.MakeUnixLink("Tree\\file-link.txt", "../Targets/file.txt");
    m_sandbox.MakeUnixLink("Tree\\Sub\\deeper-link.txt", "../../Targets/deeper.txt");

    EmptyTree(m_sandbox.Below("Tree"));

    static const EntryCase kEntries[] = {
        {"Targets\\Full\\kept.txt", true}, {"Targets\\Full\\Inner\\kept.txt", true}, {"Targets\\Empty", true},
        {"Targets\\file.txt", true},       {"Targets\\deeper.txt", true},
        {"Tree\\full-link", true},         {"Tree\\empty-link", true},              {"Tree\\file-link.txt", true},
        {"Tree\\Sub\\deeper-link.txt", true}, {"Tree\\Sub", true},                  {"Tree\\plain.txt", false},
    };
    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
}

// The refused paths here all lead into this test's own folder, so a wrong deletion is seen
// (the canary goes) and harms nothing. Real roots are checked in PathGuardTests without deleting.
TEST_F(FolderTree, RefusesRelativeAndDriveRelativePaths)
{
    m_sandbox.MakeFile("Work\\canary.txt");
    char previous[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);

    struct RefusalCase {
        const char* currentFolder;
        const char* folder;
    };
    static const RefusalCase kCases[] = {
        {"Work", "E:"},     {"Work", "."},     {"Work", ".\\"},  {"", "Work"},
        {"", "E:Work"},     {"", "Work\\"},    {"Work", "e:."},
    };
    for (const RefusalCase& c : kCases) {
        SCOPED_TRACE(CString(c.currentFolder) + " | " + c.folder);
        ASSERT_TRUE(::SetCurrentDirectoryA(*c.currentFolder ? m_sandbox.Below(c.currentFolder) : m_sandbox.Path()));
        EmptyTree(c.folder);
        EXPECT_TRUE(m_sandbox.IsListed("Work\\canary.txt"));
    }
    EmptyTree("");
    EXPECT_TRUE(m_sandbox.IsListed("Work\\canary.txt"));

    ::SetCurrentDirectoryA(previous);
    // The same folder, given absolutely, is emptied: the canary would have shown a wrong deletion.
    EmptyTree(m_sandbox.Below("Work"));
    EXPECT_FALSE(m_sandbox.IsListed("Work\\canary.txt"));
}

// Under their ANSI names these would delete Outside\g.tmp, beside the emptied folder.
TEST_F(FolderTree, NamesWithNoExactAnsiFormNeverReachOutside)
{
    MakeHostileEntries(m_sandbox, L"Tree");
    m_sandbox.MakeFile("Tree\\plain.txt");

    EmptyTree(m_sandbox.Below("Tree"));

    EXPECT_FALSE(m_sandbox.IsListed("Tree\\plain.txt"));
    // Passed over, they stay, and so does the folder that holds them.
    ExpectHostileEntriesKept(m_sandbox, L"Tree");
}

TEST_F(FolderTree, AFileSwappedForALinkBeforeItsDeletionLeavesTheTargetAlone)
{
    m_sandbox.MakeFile("Target\\doc.txt", "the document");
    m_sandbox.MakeFile("Tree\\victim.txt");
    m_sandbox.MakeFile("Tree\\other.txt");
    const EntrySwap swap(m_sandbox.LiteralBelow(L"Tree\\victim.txt"), "../Target/doc.txt",
                         m_sandbox.LiteralBelow(L"Target\\doc.txt"));

    EmptyTree(m_sandbox.Below("Tree"));

    ASSERT_TRUE(EntrySwap::Swapped());
    EXPECT_TRUE(m_sandbox.IsListed("Target\\doc.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Tree\\victim.txt"));   // the link, left as it is
    EXPECT_FALSE(m_sandbox.IsListed("Tree\\other.txt"));
}

// A link inside the folder to a file beside a look-alike of the folder ("R.", "R..", "R "): the
// paths Wine names for the two read alike (the issue's E:\R\a.\f.txt -> E:\R..\a\f.txt), so a
// folder with a look-alike along its path is left alone, and the target stays.
TEST_F(FolderTree, AFolderWithALookAlikeIsLeftAloneWithWhatItsLinksReach)
{
    const CString unixSandbox = UnixPathOf(m_sandbox.Path());
    int made = 0;
    for (const wchar_t* lookAlike : {L"R.", L"R..", L"R "}) {
        const std::wstring folder = L"Case" + std::to_wstring(++made);
        m_sandbox.MakeLiteralFile(folder + L"\\" + lookAlike + L"\\a\\f.txt");
        m_sandbox.MakeLiteralFile(folder + L"\\R\\a.\\plain.txt");
        const CString link = unixSandbox + "/" + CString(std::string(folder.begin(), folder.end())) + "/R/a./f.txt";
        const std::string target = "../../" + std::string(lookAlike, lookAlike + wcslen(lookAlike)) + "/a/f.txt";
        ASSERT_TRUE(StartUnixProgram("/bin/ln", {"-s", target.c_str(), link}));
        ASSERT_TRUE(WaitUntil([&] { return m_sandbox.IsLiteralListed(folder + L"\\R\\a.\\f.txt"); }));

        EmptyTree(m_sandbox.Below(CString(std::string(folder.begin(), folder.end())) + "\\R"));

        SCOPED_TRACE(CString(std::string(folder.begin(), folder.end())).GetString());
        EXPECT_TRUE(m_sandbox.IsLiteralListed(folder + L"\\" + lookAlike + L"\\a\\f.txt"));
        EXPECT_TRUE(m_sandbox.IsLiteralListed(folder + L"\\R\\a.\\plain.txt"));
    }
}

// The folder being emptied is moved away and a link to another folder put in its place while the
// walk is inside it: every entry is opened relative to the folder the walk holds, and nothing the
// link reaches goes. (What was moved away may stay: Wine then names it by its new path. Wine
// removes an emptied folder by the path it had, so the link in its place may go, as a link.)
TEST_F(FolderTree, AFolderSwappedForALinkDuringTheWalkLeavesTheLinkedFolderAlone)
{
    m_sandbox.MakeFile("Target\\a.txt", "canary");
    m_sandbox.MakeFile("Target\\b.txt", "canary");
    m_sandbox.MakeFile("Tree\\Sub\\a.txt");
    m_sandbox.MakeFile("Tree\\Sub\\b.txt");
    static CString s_sub;
    static CString s_unixSub;
    static bool s_swapped;
    s_sub = m_sandbox.Below("Tree\\Sub");
    s_unixSub = UnixPathOf(s_sub);
    s_swapped = false;
    const CEntryHandle::OpenHook previous = CEntryHandle::SetOpenHook([](const std::wstring& path) {
        if (s_swapped || path.find(L"\\Sub\\") == std::wstring::npos)
            return;
        s_swapped = StartUnixProgram("/bin/sh", {"-c", "mv \"$0\" \"$0.moved\" && ln -s ../Target \"$0\"", s_unixSub}) &&
                    WaitUntil([] { return (::GetFileAttributesA(s_sub) & FILE_ATTRIBUTE_REPARSE_POINT) != 0; });
    });

    EmptyTree(m_sandbox.Below("Tree"));
    CEntryHandle::SetOpenHook(previous);

    ASSERT_TRUE(s_swapped);
    EXPECT_TRUE(m_sandbox.IsListed("Target\\a.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Target\\b.txt"));
}

// Another file system mounted inside the folder (under Wine a Linux mount point) is passed over
// with everything on it. Mounting needs root, as CI has.
TEST_F(FolderTree, NeverLeavesTheFileSystemItStartedOn)
{
    m_sandbox.MakeFile("Tree\\plain.txt");
    m_sandbox.MakeFolder("Tree\\Mounted");
    const CString mountPoint = UnixPathOf(m_sandbox.Below("Tree\\Mounted"));
    struct Mount {
        CString point;
        bool mounted;
        ~Mount()
        {
            if (mounted)
                StartUnixProgram("/bin/umount", {point}) && WaitUntil([&] { return !IsMountPoint(); });
        }
        bool IsMountPoint() const
        {
            CString windowsPath = CString("\\\\?\\unix") + point;
            windowsPath.Replace("/", "\\");
            const DWORD attributes = ::GetFileAttributesA(windowsPath);
            return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
        }
    } mount{mountPoint, false};
    mount.mounted = StartUnixProgram("/bin/mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", mountPoint}) &&
                    WaitUntil([&] { return mount.IsMountPoint(); });
    if (!mount.mounted)
        GTEST_SKIP() << "no file system can be mounted here";
    m_sandbox.MakeFile("Tree\\Mounted\\canary.txt", "on another file system");

    EmptyTree(m_sandbox.Below("Tree"));

    EXPECT_FALSE(m_sandbox.IsListed("Tree\\plain.txt"));
    EXPECT_TRUE(m_sandbox.IsListed("Tree\\Mounted\\canary.txt"));
}

// Folder settings naming the users' or the system's files (the common application data, the
// public documents, the program's own folder) empty nothing there; a typed folder of clutter
// elsewhere is still emptied.
TEST_F(FolderTree, FolderSettingsInsideTheUsersOrSystemsFilesDeleteNothing)
{
    char common[MAX_PATH] = "";
    char documents[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common)));
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, documents)));
    const CString canaries[] = {CString(common) + "\\DustoraCanary.txt", CString(documents) + "\\DustoraCanary.txt",
                                "C:\\Program Files\\Dustora\\DustoraCanary.txt"};
    for (const CString& canary : canaries) {
        HANDLE file = ::CreateFileA(canary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << canary.GetString();
        ::CloseHandle(file);
    }
    m_sandbox.MakeFile("Cache\\old.txt");
    CSystemFolders folders(m_settings, m_unheard);
    folders.m_TempFolder = common;
    folders.m_CacheFolder = CString(documents) + "\\";
    folders.EmptyTempFolder();
    folders.EmptyCacheFolder();
    folders.EmptyFolderTree("C:\\Program Files\\Dustora\\");
    folders.EmptyFolderTree(m_sandbox.Below("Cache"));

    for (const CString& canary : canaries) {
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(canary)) << canary.GetString();
        ::DeleteFileA(canary);
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA("C:\\Program Files\\Dustora\\Dustora.chm"));
    EXPECT_FALSE(m_sandbox.IsListed("Cache\\old.txt"));
}

TEST_F(FolderTree, EmptiesPathsBeyondTheAnsiLimitAndNamesEndingInDotsOrBlanks)
{
    const std::vector<std::wstring> made = MakeFilesBeyondTheAnsiLimit(m_sandbox, L"Tree", L".txt");

    EmptyTree(m_sandbox.Below("Tree"));

    EXPECT_TRUE(m_sandbox.IsListed("Tree"));
    for (const std::wstring& file : made)
        EXPECT_FALSE(m_sandbox.IsLiteralListed(file)) << file.size();
    // The folders that held them went too.
    const std::wstring folders[] = {L"Tree\\Dots...", L"Tree\\Blank ", L"Tree\\" + std::wstring(200, L'd')};
    for (const std::wstring& folder : folders)
        EXPECT_FALSE(m_sandbox.IsLiteralListed(folder)) << folder.size();
}

// A folder that is a link is followed where it leads to an ordinary folder on a drive, as for a
// redirected temporary folder; the link itself stays.
TEST_F(FolderTree, FollowsAFolderThatIsALinkToAnOrdinaryFolder)
{
    m_sandbox.MakeFile("Real\\a.txt");
    m_sandbox.MakeFile("Real\\Sub\\b.txt");
    m_sandbox.MakeUnixLink("Redirected", "Real");

    EmptyTree(m_sandbox.Below("Redirected"));

    static const EntryCase kEntries[] = {
        {"Real", true}, {"Redirected", true}, {"Real\\a.txt", false}, {"Real\\Sub", false},
    };
    ExpectEntries(m_sandbox, kEntries, std::size(kEntries));
}

// Links to the root of drive F: and to a folder outside every drive lead where no emptying may
// go; every canary stays. F: holds nothing but what its tests make under their lock.
TEST_F(FolderTree, RefusesFoldersThatReallyLeadToARootOrOutsideEveryDrive)
{
    NamedLock lock("DustoraTests.DriveF");
    SandboxFolder onF('F');
    onF.MakeFile("canary.txt");
    OutsideFolder outside;
    outside.MakeFile("canary.txt");
    m_sandbox.MakeUnixLink("ToRootOfF", UnixPathOf("F:\\"));
    m_sandbox.MakeUnixLink("ToOutside", outside.UnixPath());

    for (const char* link : {"ToRootOfF", "ToOutside"}) {
        SCOPED_TRACE(link);
        EmptyTree(m_sandbox.Below(link));
        EXPECT_FALSE(CPathGuard::MayEmptyFolder(m_sandbox.Below(link)));
    }

    EXPECT_TRUE(onF.IsListed("canary.txt"));
    EXPECT_TRUE(outside.IsListed("canary.txt"));
}

// What goes is counted with the sizes it was listed with; what stays (read-only, in use) is not,
// nor are folders. A preview of the same tree counts what the clean would try, and deletes nothing.
TEST_F(FolderTree, CountsWhatGoesAndAPreviewOfTheSameTreeDeletesNothing)
{
    m_sandbox.MakeFile("Tree\\a.txt", "12345");
    m_sandbox.MakeFile("Tree\\Sub\\b.dat", std::string(3000, 'b').c_str());
    m_sandbox.MakeFile("Tree\\Sub\\Deeper\\empty.txt", "");
    m_sandbox.MakeFile("Tree\\read-only.txt", "kept");
    m_sandbox.MakeFile("Tree\\held.txt", "kept");
    ::SetFileAttributesA(m_sandbox.Below("Tree\\read-only.txt"), FILE_ATTRIBUTE_READONLY);
    RemovalTally preview;
    {
        const RemovalScope previewing(preview, true);
        EmptyTree(m_sandbox.Below("Tree"));
    }
    for (const char* kept : {"Tree\\a.txt", "Tree\\Sub\\b.dat", "Tree\\Sub\\Deeper\\empty.txt", "Tree\\held.txt"})
        EXPECT_TRUE(m_sandbox.IsListed(kept)) << kept;
    EXPECT_EQ(std::string(3000, 'b'), m_sandbox.ReadFile("Tree\\Sub\\b.dat"));

    const UniqueFile held(::CreateFileA(m_sandbox.Below("Tree\\held.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    RemovalTally clean;
    {
        const RemovalScope counting(clean, false);
        EmptyTree(m_sandbox.Below("Tree"));
    }
    EXPECT_EQ(4u, preview.files) << "the preview cannot know the file is in use";
    EXPECT_EQ(5u + 3000u + 4u, preview.bytes);
    EXPECT_EQ(3u, clean.files);
    EXPECT_EQ(5u + 3000u, clean.bytes);
    EXPECT_EQ(0u, clean.registryEntries);
    EXPECT_FALSE(clean.binCounted);
    EXPECT_TRUE(m_sandbox.IsListed("Tree\\held.txt"));
    EXPECT_FALSE(m_sandbox.IsListed("Tree\\Sub"));
    ::SetFileAttributesA(m_sandbox.Below("Tree\\read-only.txt"), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
