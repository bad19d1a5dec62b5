// The Outlook Express store's "Deleted Items" file, in a store folder of the test's own.
#include "engine/COutlookStore.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

namespace {

const char* const kOtherFiles[] = {"Inbox.dbx", "Folders.dbx", "Deleted Items.dbx.bak", "Deleted Items.idx"};

void MakeStore(const SandboxFolder& store)
{
    store.MakeFile("Deleted Items.dbx", "old mail");
    for (const char* other : kOtherFiles)
        store.MakeFile(other);
}

void ExpectOthersKept(const SandboxFolder& store)
{
    for (const char* other : kOtherFiles)
        EXPECT_TRUE(store.IsListed(other)) << other;
}

TEST(OutlookStore, DeletesTheDeletedItemsFileOnly)
{
    SandboxFolder store;
    MakeStore(store);
    ASSERT_TRUE(::SetEnvironmentVariableA("DUSTORA_TEST_STORE", store.Path()));
    EXPECT_TRUE(COutlookStore::EmptyDeletedItems("%DUSTORA_TEST_STORE%"));
    EXPECT_FALSE(store.IsListed("Deleted Items.dbx"));
    ExpectOthersKept(store);
    EXPECT_FALSE(COutlookStore::EmptyDeletedItems(store.Path() + "\\")) << "nothing left to delete";
}

TEST(OutlookStore, AFileTheMailProgramHoldsOpenStays)
{
    SandboxFolder store;
    MakeStore(store);
    for (const DWORD share : {DWORD(FILE_SHARE_READ), DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)}) {
        const HANDLE open = ::CreateFileA(store.Below("Deleted Items.dbx"), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                          0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, open);
        EXPECT_FALSE(COutlookStore::EmptyDeletedItems(store.Path())) << share;
        ::CloseHandle(open);
        EXPECT_TRUE(store.IsListed("Deleted Items.dbx")) << share;
    }
    ExpectOthersKept(store);
}

TEST(OutlookStore, NoStoreOrAnUnusableRootDeletesNothing)
{
    SandboxFolder store;
    MakeStore(store);
    ::SetCurrentDirectoryA(store.Path());
    for (const char* root : {"", ".", "%DUSTORA_NO_SUCH_STORE%", "E:\\NoSuchStore"})
        EXPECT_FALSE(COutlookStore::EmptyDeletedItems(root)) << root;
    EXPECT_FALSE(COutlookStore::EmptyDeletedItems(nullptr));
    EXPECT_TRUE(store.IsListed("Deleted Items.dbx"));
    ::SetCurrentDirectoryA("C:\\");
}

}  // namespace
