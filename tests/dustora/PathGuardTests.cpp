// Which folders a cleaner may empty: never a root, a system or user folder, or what holds one.
#include "engine/CPathGuard.h"

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
