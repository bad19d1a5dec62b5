// The documents history: the shortcut files of a Recent folder and the shell's list. The shell's
// own Recent folder and list are shared by the whole sandbox; tests that use them take turns
// through kRecentDocsLock.
#include "engine/CDocumentHistory.h"
#include "engine/CHistoryLists.h"
#include "support/NamedLock.h"
#include "support/SandboxFolder.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

constexpr char kRecentDocsLock[] = "DustoraTests.RecentDocs";

int ListEntryCount()
{
    return CHistoryLists::ListEntries(HKEY_CURRENT_USER, CHistoryLists::kRecentDocsKey,
                                      [](const CString&, DWORD) { return true; })
        .GetSize();
}

TEST(DocumentHistory, OnlyTheShortcutFilesOfTheFolderItselfGo)
{
    SandboxFolder sandbox;
    const struct { const char* path; bool goes; } files[] = {
        {"Recent\\letter.doc.lnk", true}, {"Recent\\PLAN.LNK", true}, {"Recent\\.lnk", true},
        {"Recent\\notes.txt", false}, {"Recent\\page.url", false}, {"Recent\\lnk", false},
        {"Recent\\old.lnk.bak", false}, {"Recent\\Sub\\inner.lnk", false}, {"Kept\\target.lnk", false},
    };
    for (const auto& file : files)
        sandbox.MakeFile(file.path);
    sandbox.MakeUnixLink("Recent\\linked.lnk", "../Kept/target.lnk");
    sandbox.MakeFile("Recent\\locked.lnk");
    ASSERT_TRUE(::SetFileAttributesA(sandbox.Below("Recent\\locked.lnk"), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(3, CDocumentHistory::DeleteShortcuts(sandbox.Below("Recent")));
    for (const auto& file : files)
        EXPECT_EQ(!file.goes, sandbox.IsListed(file.path)) << file.path;
    EXPECT_TRUE(sandbox.IsListed("Recent\\linked.lnk")) << "a link stays";
    EXPECT_TRUE(sandbox.IsListed("Recent\\locked.lnk")) << "a read-only shortcut stays";
    EXPECT_TRUE(sandbox.IsListed("Recent")) << "the folder itself stays";
    ::SetFileAttributesA(sandbox.Below("Recent\\locked.lnk"), FILE_ATTRIBUTE_NORMAL);
}

TEST(DocumentHistory, AFolderTheRulesRefuseKeepsItsShortcuts)
{
    SandboxFolder sandbox;
    sandbox.MakeFile("inside.lnk");
    for (const char* refused : {"E:\\", "E:", "relative\\Recent", ""})
        EXPECT_EQ(0, CDocumentHistory::DeleteShortcuts(refused)) << refused;
    EXPECT_TRUE(sandbox.IsListed("inside.lnk"));
}

// The shell's own list, made by the shell: the entries and the shortcut go, the key and a file
// of another kind in the Recent folder stay.
TEST(DocumentHistory, ClearsWhatTheShellRecorded)
{
    NamedLock lock(kRecentDocsLock);
    SandboxFolder sandbox;
    sandbox.MakeFile("opened.txt");
    char recent[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent)));
    const CString canary = CString(recent) + "\\DocumentHistoryTests canary.txt";
    const CString shortcut = CString(recent) + "\\opened.txt.lnk";
    const HANDLE made = ::CreateFileA(canary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, made) << "the canary could not be made";
    ::CloseHandle(made);

    ::SHAddToRecentDocs(SHARD_PATHA, sandbox.Below("opened.txt").GetString());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(shortcut)) << "the shell made no shortcut";
    const int recorded = ListEntryCount();
    ASSERT_GT(recorded, 0) << "the shell recorded nothing";

    EXPECT_EQ(recorded, CDocumentHistory::Clear(recent, HKEY_CURRENT_USER, CHistoryLists::kRecentDocsKey));
    EXPECT_EQ(0, ListEntryCount());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(shortcut));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(canary));
    EXPECT_TRUE(sandbox.IsListed("opened.txt")) << "the document itself stays";
    ::DeleteFileA(canary);
}

}  // namespace
