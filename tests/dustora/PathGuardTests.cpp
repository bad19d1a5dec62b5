// The checks made before deleting: roots, relative paths and links.
#include "engine/CPathGuard.h"
#include "engine/PathParts.h"

#include "support/HostileTrees.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace {

struct PathCase {
    const char* path;
    BOOL expected;
};

TEST(PathGuardRoots, RecognisesEveryFormOfDriveAndShareRoot)
{
    static const PathCase kCases[] = {
        {"C:\\", TRUE},          {"C:", TRUE},
        {"C:/", TRUE},           {"c:\\\\", TRUE},
        {"Z:\\/", TRUE},         {"\\", TRUE},
        {"/", TRUE},             {"\\\\", TRUE},
        {"\\\\server", TRUE},    {"\\\\server\\share", TRUE},
        {"\\\\server\\share\\", TRUE}, {"//server/share/", TRUE},
        {"\\\\?\\C:\\", TRUE},   {"\\\\.\\C:", TRUE},
        {"C:\\Temp", FALSE},     {"C:\\Temp\\", FALSE},
        {"C:/WINDOWS/TEMP/", FALSE}, {"\\\\server\\share\\dir", FALSE},
        {"\\Temp", FALSE},       {"temp", FALSE},
        {"C:temp", FALSE},       {"CC:\\", FALSE},
        {"", FALSE},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, CPathGuard::IsRootPath(c.path));
    }
}

TEST(PathGuardRoots, TakesOnlyDriveAndUncPathsAsAbsolute)
{
    static const PathCase kCases[] = {
        {"C:\\Temp", TRUE},      {"c:/temp", TRUE},
        {"C:\\", TRUE},          {"\\\\server\\share", TRUE},
        {"\\\\server\\share\\dir", TRUE}, {"//server/share", TRUE},
        {"C:", FALSE},           {"C:temp", FALSE},
        {"temp", FALSE},         {".\\temp", FALSE},
        {"\\temp", FALSE},       {"\\\\server", FALSE},
        {"\\\\server\\", FALSE}, {"\\\\?\\C:\\Temp", FALSE},
        {"\\\\.\\C:", FALSE},    {"1:\\Temp", FALSE},
        {"", FALSE},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, CPathGuard::IsAbsolutePath(c.path));
    }
}

TEST(PathGuardRoots, RefusesFoldersThatResolveToARoot)
{
    static const PathCase kCases[] = {
        {"C:\\.", FALSE},           {"C:\\Temp\\..", FALSE},
        {"C:\\Temp\\..\\", FALSE},  {"C:\\...", FALSE},
        {"C:\\a\\b\\..\\..", FALSE}, {"C:\\a\\..\\..\\..", FALSE},
        {"C:\\", FALSE},            {"temp", FALSE},
        {"C:\\Temp", TRUE},         {"C:\\Temp\\..\\Other", TRUE},
        {"E:\\NotThere\\Deeper", TRUE},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, CPathGuard::MayEmptyFolder(c.path));
    }
}

TEST(PathGuardLinks, RecognisesUnixLinksToFilesAndFolders)
{
    SandboxFolder sandbox;
    sandbox.MakeFile("Targets\\file.txt");
    sandbox.MakeFile("Targets\\case.txt");
    sandbox.MakeFolder("Targets\\folder");
    sandbox.MakeFile("Here\\plain.txt");
    sandbox.MakeFolder("Here\\sub");
    sandbox.MakeUnixLink("Here\\file-link.txt", "../Targets/file.txt");
    sandbox.MakeUnixLink("Here\\folder-link", "../Targets/folder");
    // Differs from its target only in case: Wine's folders are case-sensitive.
    sandbox.MakeUnixLink("Targets\\CASE.TXT", "case.txt");

    static const PathCase kCases[] = {
        {"Here\\plain.txt", FALSE},
        {"Here\\sub", FALSE},
        {"Here\\file-link.txt", TRUE},
        {"Here\\folder-link", TRUE},
        {"Targets\\file.txt", FALSE},
        {"Targets\\case.txt", FALSE},
        {"Targets\\CASE.TXT", TRUE},
        {"Here\\missing.txt", TRUE},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, CPathGuard::IsLink(sandbox.Below(c.path)));
    }
    // Under Wine the link to a file looks like any file; only its final path gives it away.
    EXPECT_EQ(0u, sandbox.Attributes("Here\\file-link.txt") & FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST(PathGuardLinks, TakesAPlainFileByAnyOfItsSpellings)
{
    SandboxFolder sandbox;
    sandbox.MakeFile("Long Folder Name\\A long file name.text");
    const CString path = sandbox.Below("Long Folder Name\\A long file name.text");

    char shortPath[MAX_PATH] = "";
    ASSERT_NE(0u, ::GetShortPathNameA(path, shortPath, MAX_PATH));
    CString lowerCase = path;
    lowerCase.MakeLower();
    CString forwardSlashes = path;
    forwardSlashes.Replace("\\", "/");
    CString doubled = path;
    doubled.Replace("Long Folder Name\\", "Long Folder Name\\\\");

    const CString spellings[] = {path, CString(shortPath), lowerCase, forwardSlashes, doubled};
    for (const CString& spelling : spellings) {
        SCOPED_TRACE(spelling.GetString());
        EXPECT_FALSE(CPathGuard::IsLink(spelling));
    }
}

// Names of one folder that differ only in trailing dots and blanks read alike in the paths Wine
// names ("report." like "report"): such look-alikes are left alone, links or not. A name ending
// in dots with no look-alike is itself.
TEST(PathGuardLinks, LeavesLookAlikesAloneAndTakesOtherNamesEndingInDots)
{
    SandboxFolder sandbox;
    const CString extended = "\\\\?\\" + sandbox.Path();
    sandbox.MakeFile("report");
    sandbox.MakeUnixLink("report.", "report");
    ASSERT_TRUE(::CreateDirectoryA(extended + "\\...", nullptr));
    ASSERT_TRUE(::CreateDirectoryA(extended + "\\... ", nullptr));
    for (const char* name : {"\\alone.", "\\... \\inner.txt"}) {
        HANDLE file = ::CreateFileA(extended + name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
        ::CloseHandle(file);
    }

    static const PathCase kCases[] = {
        {"\\report", TRUE}, {"\\report.", TRUE}, {"\\alone.", FALSE}, {"\\...", TRUE},
        {"\\... \\inner.txt", TRUE},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, CPathGuard::IsLink(extended + c.path));
    }
    // Names are taken as written in a plain path too: "alone." is that file, not "alone".
    EXPECT_FALSE(CPathGuard::IsLink(sandbox.Below("alone.")));
    EXPECT_TRUE(CPathGuard::IsLink(sandbox.Below("alone")));
}

TEST(PathGuardLinks, ChecksAListedEntryAgainstItsFolder)
{
    SandboxFolder sandbox;
    sandbox.MakeFile("Targets\\file.txt");
    sandbox.MakeUnixLink("link.txt", "Targets/file.txt");

    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(sandbox.Below("link.txt"), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    ::FindClose(search);
    EXPECT_TRUE(CPathGuard::IsLinkEntry(sandbox.Path(), entry));
    EXPECT_TRUE(CPathGuard::IsLinkEntry(sandbox.Path() + "/", entry));

    search = ::FindFirstFileA(sandbox.Below("Targets\\file.txt"), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    ::FindClose(search);
    EXPECT_FALSE(CPathGuard::IsLinkEntry(sandbox.Below("Targets"), entry));
    EXPECT_FALSE(CPathGuard::IsLinkEntry(sandbox.Below("Targets\\"), entry));

    // A junction or Windows symbolic link carries the attribute; nothing else is asked.
    WIN32_FIND_DATAA reparse = entry;
    reparse.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    EXPECT_TRUE(CPathGuard::IsLinkEntry(sandbox.Below("Targets"), reparse));
}

TEST(PathParts, LiteralPathTakesEveryNameAsItStands)
{
    struct LiteralCase {
        const char* path;
        const wchar_t* literal;
    };
    static const LiteralCase kCases[] = {
        {"C:\\", L"\\\\?\\C:\\"},
        {"c:/Temp/", L"\\\\?\\C:\\Temp"},
        {"C:\\WINDOWS\\\\APPLOG\\", L"\\\\?\\C:\\WINDOWS\\APPLOG"},
        {"E:\\T\\Swept/Cache./old.TMP", L"\\\\?\\E:\\T\\Swept\\Cache.\\old.TMP"},
        {"E:\\T\\dir \\...", L"\\\\?\\E:\\T\\dir \\..."},
        {"E:\\a\\.\\b\\..\\c", L"\\\\?\\E:\\a\\c"},
        {"E:\\..\\..\\x", L"\\\\?\\E:\\x"},
        {"\\\\server\\share\\dir", L"\\\\?\\UNC\\server\\share\\dir"},
        {"\\\\?\\E:\\T\\report.", L"\\\\?\\E:\\T\\report."},
        {"temp", L""},        {"C:temp", L""},       {"\\temp", L""},
        {"\\\\.\\C:", L""}, {"\\\\?\\unix\\tmp", L""}, {"", L""},
    };
    for (const LiteralCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(std::wstring(c.literal), LiteralPath(c.path));
    }
}

TEST(PathParts, JudgesFinalPaths)
{
    struct FinalCase {
        const wchar_t* path;
        bool onADrive;
        bool root;
    };
    static const FinalCase kCases[] = {
        {L"\\\\?\\C:\\", true, true},           {L"\\\\?\\C:", true, true},
        {L"\\\\?\\C:\\Temp", true, false},      {L"\\\\?\\UNC\\srv\\share", true, true},
        {L"\\\\?\\UNC\\srv\\share\\", true, true}, {L"\\\\?\\UNC\\srv\\share\\d", true, false},
        {L"\\\\?\\unix\\", false, false},       {L"\\\\?\\unix\\tmp\\x", false, false},
        {L"\\\\?\\Volume{1234}\\", false, false}, {L"C:\\Temp", false, false},
        {L"", false, false},
    };
    for (const FinalCase& c : kCases) {
        SCOPED_TRACE(std::string(c.path, c.path + std::wcslen(c.path)));
        EXPECT_EQ(c.onADrive, IsOnADrive(c.path));
        EXPECT_EQ(c.root, IsDriveOrShareRoot(c.path));
    }
    EXPECT_TRUE(IsSameOrAncestor(L"\\\\?\\C:\\users", L"\\\\?\\C:\\Users\\bob"));
    EXPECT_TRUE(IsSameOrAncestor(L"\\\\?\\C:\\Users\\bob\\", L"\\\\?\\C:\\users\\BOB"));
    EXPECT_FALSE(IsSameOrAncestor(L"\\\\?\\C:\\Users\\bob\\Temp", L"\\\\?\\C:\\Users\\bob"));
    EXPECT_FALSE(IsSameOrAncestor(L"\\\\?\\C:\\Use", L"\\\\?\\C:\\Users"));
}

TEST(PathParts, TakesOnlyNamesWithAnExactAnsiForm)
{
    struct NameCase {
        const wchar_t* name;
        const char* ansi;   // nullptr: refused
    };
    static const NameCase kCases[] = {
        {L"report.TMP", "report.TMP"}, {L"caf\xE9.txt", "caf\xE9.txt"}, {L"dots...", "dots..."},
        {L"blank ", "blank "},         {L"a\\b", nullptr},             {L"a/b", nullptr},
        {L"a:b", nullptr},             {L"a*", nullptr},                {L"a?", nullptr},
        {L"a\"b", nullptr},            {L"a<b>", nullptr},              {L"a|b", nullptr},
        {L"tab\there", nullptr},       {L"", nullptr},                  {L"\x4E2D\x6587", nullptr},
    };
    for (const NameCase& c : kCases) {
        SCOPED_TRACE(c.ansi ? c.ansi : "refused");
        CString ansi = "0xdeadbeef";
        EXPECT_EQ(c.ansi != nullptr, AnsiNameOf(c.name, ansi));
        if (c.ansi) {
            EXPECT_EQ(CString(c.ansi), ansi);
        }
    }
    for (const wchar_t* name : kHostileNames) {
        CString ansi;
        EXPECT_FALSE(AnsiNameOf(name, ansi)) << ansi.GetString();
    }
}

CString ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    return SUCCEEDED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? CString(path) : CString();
}

CString Parent(const CString& path)
{
    return path.Left(path.ReverseFind('\\'));
}

// Judged, never emptied: a wrong answer here would empty the sandbox's system. A folder is taken
// only where clutter can be: the system's own place for the cleaner's folder and below, or
// outside the trees of the system's and users' files; never a shell folder or what holds one.
TEST(PathGuardRoots, EmptiesOnlyWhereACleanersClutterCanBe)
{
    using Guard = CPathGuard;
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    char program[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    const CString profile = ShellFolder(CSIDL_PROFILE);
    const CString windows = ShellFolder(CSIDL_WINDOWS);
    const CString cache = ShellFolder(CSIDL_INTERNET_CACHE);
    struct FolderCase {
        CString folder;
        Guard::FolderPlace place;
        BOOL mayEmpty;
    };
    const FolderCase cases[] = {
        {windows, Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_SYSTEM), Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_PROGRAM_FILES), Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_PROFILE), Guard::kTempPlace, FALSE},
        {ShellFolder(CSIDL_PERSONAL), Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_DESKTOPDIRECTORY), Guard::kNoSystemPlace, FALSE},
        {Parent(profile), Guard::kNoSystemPlace, FALSE},
        {windows + "\\", Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_COMMON_APPDATA), Guard::kTempPlace, FALSE},
        {ShellFolder(CSIDL_COMMON_DOCUMENTS), Guard::kInternetCachePlace, FALSE},
        {ShellFolder(CSIDL_APPDATA), Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_APPDATA) + "\\Some Program", Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_FONTS), Guard::kNoSystemPlace, FALSE},
        {windows + "\\winsxs", Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_SYSTEM) + "\\wbem", Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_PROGRAM_FILES_COMMON), Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_PROGRAM_FILES) + "\\Dustora", Guard::kNoSystemPlace, FALSE},
        {Parent(program), Guard::kNoSystemPlace, FALSE},
        {ShellFolder(CSIDL_STARTMENU), Guard::kNoSystemPlace, FALSE},
        {windows + "\\Temp", Guard::kNoSystemPlace, FALSE},
        {temp, Guard::kNoSystemPlace, FALSE},
        {temp, Guard::kTempPlace, TRUE},
        {CString(temp) + "Below", Guard::kTempPlace, TRUE},
        {cache, Guard::kInternetCachePlace, TRUE},
        {cache, Guard::kCookiesPlace, FALSE},
        {windows + "\\APPLOG", Guard::kAppLogPlace, TRUE},
        {windows + "\\APPLOG", Guard::kNoSystemPlace, FALSE},
        {"D:\\Temp", Guard::kNoSystemPlace, TRUE},
        {"E:\\Cache", Guard::kInternetCachePlace, TRUE},
        {"C:\\Temp", Guard::kTempPlace, TRUE},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.folder.GetString());
        ASSERT_FALSE(c.folder.IsEmpty());
        EXPECT_EQ(c.mayEmpty, CPathGuard::MayEmptyFolder(c.folder, c.place));
    }
}

// Where a folder really leads decides: a link to "/" is outside every drive ("\\?\unix\"), a
// link to the Windows folder is the Windows folder. Only judged: never run on these.
TEST(PathGuardRoots, JudgesAFolderByWhereItReallyLeads)
{
    SandboxFolder sandbox;
    OutsideFolder outside;
    sandbox.MakeFolder("Plain");
    sandbox.MakeUnixLink("ToPlain", "Plain");
    sandbox.MakeUnixLink("ToHostRoot", "/");
    sandbox.MakeUnixLink("ToWindows", UnixPathOf(ShellFolder(CSIDL_WINDOWS)));
    sandbox.MakeUnixLink("ToOutside", outside.UnixPath());
    sandbox.MakeUnixLink("ToRootOfE", UnixPathOf("E:\\"));

    static const PathCase kCases[] = {
        {"Plain", TRUE},       {"ToPlain", TRUE},   {"ToHostRoot", FALSE},
        {"ToWindows", FALSE},  {"ToOutside", FALSE}, {"ToRootOfE", FALSE},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, CPathGuard::MayEmptyFolder(sandbox.Below(c.path)));
    }
}

}  // namespace
