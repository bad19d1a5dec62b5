// The documents history: the shortcut files of a Recent folder and the shell's list. The shell's
// own Recent folder and list are the sandbox's; tests that use them take turns through a lock.
#include "engine/CDocumentHistory.h"
#include "engine/CHistoryLists.h"
#include "support/ErasureBackup.h"
#include "support/NamedLock.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

TEST(DocumentHistory, OnlyTheShortcutFilesOfTheFolderItselfGo)
{
    SandboxFolder sandbox;
    const struct { const char* path; bool goes; } files[] = {
        {"Recent\\letter.doc.lnk", true}, {"Recent\\PLAN.LNK", true}, {"Recent\\notes.txt", false},
        {"Recent\\page.url", false}, {"Recent\\old.lnk.bak", false}, {"Recent\\Sub\\inner.lnk", false},
        {"Kept\\target.lnk", false}, {"Recent\\read-only.lnk", false},
    };
    for (const auto& file : files)
        sandbox.MakeFile(file.path);
    ASSERT_TRUE(::SetFileAttributesA(sandbox.Below("Recent\\read-only.lnk"), FILE_ATTRIBUTE_READONLY));
    sandbox.MakeUnixLink("Recent\\linked.lnk", "../Kept/target.lnk");

    for (const char* refused : {"E:\\", "relative\\Recent", ""})
        EXPECT_EQ(0, CDocumentHistory::DeleteShortcuts(refused)) << refused;
    EXPECT_EQ(2, CDocumentHistory::DeleteShortcuts(sandbox.Below("Recent")));
    for (const auto& file : files)
        EXPECT_EQ(!file.goes, sandbox.IsListed(file.path)) << file.path;
    EXPECT_TRUE(sandbox.IsListed("Recent\\linked.lnk")) << "a link stays";
    ::SetFileAttributesA(sandbox.Below("Recent\\read-only.lnk"), FILE_ATTRIBUTE_NORMAL);
}

// Wine records a document as "a" (binary) and "MRUList"; its own clear leaves the shortcut.
TEST(DocumentHistory, ClearsWhatTheShellRecorded)
{
    NamedLock lock("DustoraTests.RecentDocs");
    SandboxFolder sandbox;
    sandbox.MakeFile("opened.txt");
    char recent[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent)));
    const CString shortcut = CString(recent) + "\\opened.txt.lnk";
    const auto entries = [] {
        return CHistoryLists::ListEntries(HKEY_CURRENT_USER, CHistoryLists::kRecentDocsKey,
                                          [](const CString&, DWORD) { return true; }).GetSize();
    };
    ::SHAddToRecentDocs(SHARD_PATHA, sandbox.Below("opened.txt").GetString());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(shortcut)) << "the shell made no shortcut";
    const int recorded = entries();
    ASSERT_GT(recorded, 0) << "the shell recorded nothing";

    const ErasureBackup erasureBackup;
    EXPECT_EQ(recorded, CDocumentHistory::Clear(recent, HKEY_CURRENT_USER, CHistoryLists::kRecentDocsKey));
    EXPECT_EQ(0, entries());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(shortcut));
    EXPECT_TRUE(sandbox.IsListed("opened.txt")) << "the document itself stays";
}

}  // namespace
