// Opening an entry by its path as itself: a link of any kind, a look-alike, or nothing there
// is refused; a plain file opens by any of its spellings.
#include "engine/CEntryHandle.h"

#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* path;
    BOOL expected;
};

// TRUE when the entry at path cannot be opened as itself.
BOOL IsLink(const char* path)
{
    const CEntryHandle entry = CEntryHandle::OpenAt(path, CEntryHandle::kAnyKind, 0,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    return entry ? FALSE : TRUE;
}

TEST(EntryHandleLinks, RecognisesUnixLinksToFilesAndFolders)
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
        EXPECT_EQ(c.expected, IsLink(sandbox.Below(c.path)));
    }
    // Under Wine the link to a file looks like any file; only its final path gives it away.
    EXPECT_EQ(0u, sandbox.Attributes("Here\\file-link.txt") & FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST(EntryHandleLinks, TakesAPlainFileByAnyOfItsSpellings)
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
        EXPECT_FALSE(IsLink(spelling));
    }
}

// Names of one folder that differ only in trailing dots and blanks read alike in the paths Wine
// names ("report." like "report"): such look-alikes are left alone, links or not. A name ending
// in dots with no look-alike is itself.
TEST(EntryHandleLinks, LeavesLookAlikesAloneAndTakesOtherNamesEndingInDots)
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
        EXPECT_EQ(c.expected, IsLink(extended + c.path));
    }
    // Names are taken as written in a plain path too: "alone." is that file, not "alone".
    EXPECT_FALSE(IsLink(sandbox.Below("alone.")));
    EXPECT_TRUE(IsLink(sandbox.Below("alone")));
}

}  // namespace
