// The lists of recent names kept in the registry: each case fills keys of the test's own with a
// list and its neighbours, and exactly the list's entries must go, each first written to the
// run's backup.
#include "engine/CHistoryLists.h"
#include "engine/COfficeRecentFiles.h"
#include "engine/RemovalScope.h"
#include "support/ErasureBackup.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Value { const char* key; const char* name; DWORD type; bool goes; };
using Clear = std::function<int(const CString& scratch)>;

const unsigned kAllButExcel = COfficeRecentFiles::kWord | COfficeRecentFiles::kPowerPoint | COfficeRecentFiles::kAccess;

TEST(HistoryLists, OnlyTheEntriesOfEachListGo)
{
    const struct { const char* name; Clear clear; std::vector<Value> values; } cases[] = {
        {"Run history", [](const CString& at) { return CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER, at + "\\RunMRU"); },
         {{"RunMRU", "a", REG_SZ, true}, {"RunMRU", "z", REG_EXPAND_SZ, true}, {"RunMRU", "MRUList", REG_SZ, true},
          {"RunMRU", "b", REG_BINARY, false}, {"RunMRU", "aa", REG_SZ, false}, {"RunMRU", "1", REG_SZ, false},
          {"RunMRU", "", REG_SZ, false}}},
        {"typed addresses", [](const CString& at) { return CHistoryLists::ClearTypedUrls(HKEY_CURRENT_USER, at + "\\T"); },
         {{"T", "url1", REG_SZ, true}, {"T", "URL25", REG_SZ, true}, {"T", "url", REG_SZ, false},
          {"T", "url2x", REG_SZ, false}, {"T", "url4", REG_DWORD, false}, {"T", "MRUList", REG_SZ, false}}},
        // One level of lists per file type below the key, no deeper.
        {"recent documents", [](const CString& at) { return CHistoryLists::ClearRecentDocs(HKEY_CURRENT_USER, at + "\\R"); },
         {{"R", "0", REG_BINARY, true}, {"R", "a", REG_BINARY, true}, {"R", "MRUListEx", REG_BINARY, true},
          {"R", "MRUList", REG_SZ, true}, {"R", "1", REG_SZ, false}, {"R", "Setting", REG_BINARY, false},
          {"R\\.txt", "17", REG_BINARY, true}, {"R\\.txt", "x", REG_DWORD, false},
          {"R\\.txt\\Deeper", "0", REG_BINARY, false}}},
        // Only Excel 97's list has a key of its own that its documentation names.
        {"Office, Excel not asked", [](const CString& at) { return COfficeRecentFiles::Clear(kAllButExcel, HKEY_CURRENT_USER, at); },
         {{"8.0\\Excel\\Recent File List", "File1", REG_SZ, false}}},
        {"Office", [](const CString& at) {
             return COfficeRecentFiles::Clear(kAllButExcel | COfficeRecentFiles::kExcel, HKEY_CURRENT_USER, at);
         },
         {{"8.0\\Excel\\Recent File List", "File1", REG_SZ, true}, {"8.0\\Excel\\Recent File List", "File2", REG_EXPAND_SZ, true},
          {"8.0\\Excel\\Recent File List", "Max", REG_DWORD, false}, {"9.0\\Excel\\Recent Files", "File1", REG_SZ, false},
          {"8.0\\Excel\\Microsoft Excel", "File1", REG_SZ, false}, {"9.0\\Word\\Data", "Settings", REG_BINARY, false},
          {"8.0\\PowerPoint\\Recent File List", "File1", REG_SZ, false}, {"9.0\\Access\\Settings", "MRU1", REG_SZ, false}}},
        {"a missing list", [](const CString& at) { return CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER, at + "\\None"); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ErasureBackup erasureBackup;
        ScratchRegistryKey scratch;
        int goes = 0;
        for (const Value& value : c.values) {
            scratch.CreateKey(value.key);
            HKEY key = nullptr;
            ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, scratch.Below(value.key), 0, KEY_SET_VALUE, &key));
            WriteRawValue(key, value.name, value.type, {'C', ':', '\\', 'a', 0});
            ::RegCloseKey(key);
            goes += value.goes ? 1 : 0;
        }
        EXPECT_EQ(goes, c.clear(scratch.Path()));
        for (const Value& value : c.values) {
            EXPECT_EQ(value.goes, erasureBackup.HoldsValue(scratch.Below(value.key), value.name))
                << value.name << " in the backup";
            HKEY key = nullptr;
            ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, scratch.Below(value.key), 0, KEY_QUERY_VALUE, &key))
                << "the key stays";
            EXPECT_EQ(value.goes ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS, ReadRawValue(key, value.name).code)
                << value.key << " " << value.name;
            ::RegCloseKey(key);
        }
        EXPECT_FALSE(scratch.KeyExists("None"));
    }
}

// Without a backup nothing goes; a preview removes nothing and counts what a clean would remove.
TEST(HistoryLists, NothingGoesWithoutABackupOrInAPreview)
{
    ScratchRegistryKey scratch;
    scratch.CreateKey("RunMRU");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, scratch.Below("RunMRU"), 0, KEY_ALL_ACCESS, &key));
    WriteRawValue(key, "a", REG_SZ, {'x', 0});
    WriteRawValue(key, "MRUList", REG_SZ, {'a', 0});

    EXPECT_EQ(0, CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER, scratch.Below("RunMRU")));
    RemovalTally tally;
    {
        ErasureBackup erasureBackup;
        const RemovalScope preview(tally, true);
        EXPECT_EQ(2, CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER, scratch.Below("RunMRU")));
        EXPECT_TRUE(erasureBackup.Text().empty());
    }
    EXPECT_EQ(2u, tally.registryEntries);
    EXPECT_EQ(ERROR_SUCCESS, ReadRawValue(key, "a").code);
    EXPECT_EQ(ERROR_SUCCESS, ReadRawValue(key, "MRUList").code);
    ::RegCloseKey(key);
}

}  // namespace
