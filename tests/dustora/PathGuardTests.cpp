// The checks made before deleting: roots, relative paths and links.
#include "engine/CPathGuard.h"

#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

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

// Wine's final paths drop the trailing dots of a name, so "report." resolves like "report".
TEST(PathGuardLinks, TellsNamesEndingInDotsFromLinksToTheShortenedName)
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
        {"\\report", FALSE}, {"\\report.", TRUE}, {"\\alone.", FALSE}, {"\\...", FALSE},
        {"\\... \\inner.txt", FALSE},
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

}  // namespace
