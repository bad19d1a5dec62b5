// The Outlook Express store's "Deleted Items" file, in a store folder of the test's own.
#include "engine/COutlookStore.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(OutlookStore, DeletesTheDeletedItemsFileOnlyWhenNoProgramHoldsItOpen)
{
    SandboxFolder store;
    for (const char* file : {"Deleted Items.dbx", "Inbox.dbx", "Folders.dbx", "Deleted Items.idx"})
        store.MakeFile(file);
    const HANDLE open = ::CreateFileA(store.Below("Deleted Items.dbx"), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    EXPECT_FALSE(COutlookStore::EmptyDeletedItems(store.Path()));
    ::CloseHandle(open);
    EXPECT_TRUE(store.IsListed("Deleted Items.dbx"));

    ::SetCurrentDirectoryA(store.Path());
    for (const char* unusable : {"", ".", "%DUSTORA_NO_SUCH_STORE%", "E:\\NoSuchStore"})
        EXPECT_FALSE(COutlookStore::EmptyDeletedItems(unusable)) << unusable;
    ::SetCurrentDirectoryA("C:\\");
    EXPECT_TRUE(store.IsListed("Deleted Items.dbx"));

    ASSERT_TRUE(::SetEnvironmentVariableA("DUSTORA_TEST_STORE", store.Path()));
    EXPECT_TRUE(COutlookStore::EmptyDeletedItems("%DUSTORA_TEST_STORE%"));
    EXPECT_FALSE(store.IsListed("Deleted Items.dbx"));
    for (const char* other : {"Inbox.dbx", "Folders.dbx", "Deleted Items.idx"})
        EXPECT_TRUE(store.IsListed(other)) << other;
}

}  // namespace
