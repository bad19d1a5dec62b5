// The lists of recent names kept in the registry (the Run dialog's, Internet Explorer's typed
// addresses, the shell's recent documents, Excel 97's recent files): each test fills a key of its
// own with a list and its neighbours, and checks that exactly the list's entries go.
#include "engine/CHistoryLists.h"
#include "engine/COfficeRecentFiles.h"
#include "engine/CRegistryEraser.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Value { const char* name; DWORD type; bool goes; };

std::vector<BYTE> Bytes(const char* text)
{
    return std::vector<BYTE>(text, text + std::char_traits<char>::length(text) + 1);
}

// Writes values into relative (made if missing) below scratch.
void Fill(const ScratchRegistryKey& scratch, const char* relative, const std::vector<Value>& values)
{
    scratch.CreateKey(relative);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, scratch.Below(relative), 0, KEY_SET_VALUE, &key));
    for (const Value& value : values)
        WriteRawValue(key, value.name, value.type, Bytes("C:\\letter.doc"));
    ::RegCloseKey(key);
}

void ExpectLeft(const ScratchRegistryKey& scratch, const char* relative, const std::vector<Value>& values)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, scratch.Below(relative), 0, KEY_QUERY_VALUE, &key))
        << "the list's key stays";
    for (const Value& value : values)
        EXPECT_EQ(value.goes ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS, ReadRawValue(key, value.name).code) << value.name;
    ::RegCloseKey(key);
}

int Goes(const std::vector<Value>& values)
{
    int count = 0;
    for (const Value& value : values)
        count += value.goes ? 1 : 0;
    return count;
}

TEST(HistoryLists, RunHistoryLosesItsLettersAndOrderOnly)
{
    ScratchRegistryKey scratch;
    const std::vector<Value> values = {
        {"a", REG_SZ, true}, {"z", REG_EXPAND_SZ, true}, {"MRUList", REG_SZ, true},
        {"b", REG_BINARY, false}, {"aa", REG_SZ, false}, {"1", REG_SZ, false}, {"", REG_SZ, false},
        {"MRUListEx", REG_SZ, false},
    };
    Fill(scratch, "RunMRU", values);
    EXPECT_EQ(Goes(values), CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER, scratch.Below("RunMRU")));
    ExpectLeft(scratch, "RunMRU", values);
}

TEST(HistoryLists, TypedAddressesLoseTheirNumberedUrlsOnly)
{
    ScratchRegistryKey scratch;
    const std::vector<Value> values = {
        {"url1", REG_SZ, true}, {"url25", REG_SZ, true}, {"URL3", REG_SZ, true},
        {"url", REG_SZ, false}, {"url2x", REG_SZ, false}, {"url4", REG_DWORD, false}, {"MRUList", REG_SZ, false},
    };
    Fill(scratch, "TypedURLs", values);
    EXPECT_EQ(Goes(values), CHistoryLists::ClearTypedUrls(HKEY_CURRENT_USER, scratch.Below("TypedURLs")));
    ExpectLeft(scratch, "TypedURLs", values);
}

TEST(HistoryLists, RecentDocumentsLoseTheListOfTheKeyAndOfEachFileType)
{
    ScratchRegistryKey scratch;
    const std::vector<Value> top = {
        {"0", REG_BINARY, true}, {"17", REG_BINARY, true}, {"a", REG_BINARY, true}, {"MRUListEx", REG_BINARY, true},
        {"MRUList", REG_SZ, true}, {"1", REG_SZ, false}, {"Setting", REG_BINARY, false},
    };
    const std::vector<Value> byType = {{"0", REG_BINARY, true}, {"MRUListEx", REG_BINARY, true}, {"x", REG_DWORD, false}};
    Fill(scratch, "RecentDocs", top);
    Fill(scratch, "RecentDocs\\.txt", byType);
    Fill(scratch, "RecentDocs\\.txt\\Deeper", byType);   // only one level of lists
    EXPECT_EQ(Goes(top) + Goes(byType), CHistoryLists::ClearRecentDocs(HKEY_CURRENT_USER, scratch.Below("RecentDocs")));
    ExpectLeft(scratch, "RecentDocs", top);
    ExpectLeft(scratch, "RecentDocs\\.txt", byType);
    ExpectLeft(scratch, "RecentDocs\\.txt\\Deeper", {{"0", REG_BINARY, false}, {"MRUListEx", REG_BINARY, false}});
}

TEST(HistoryLists, AMissingListRemovesNothing)
{
    ScratchRegistryKey scratch;
    EXPECT_EQ(0, CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER, scratch.Below("None")));
    CStringArray names;
    names.Add("a");
    EXPECT_EQ(0, CRegistryEraser::RemoveValues(HKEY_CURRENT_USER, scratch.Below("None"), names));
    EXPECT_FALSE(scratch.KeyExists("None"));
}

// Only Excel 97's list has a documented key of its own; the other applications' keys keep
// everything, whichever options are given.
TEST(OfficeRecentFiles, OnlyExcel97sListIsClearedAndOnlyWhenAsked)
{
    ScratchRegistryKey scratch;
    const std::vector<Value> excel97 = {{"File1", REG_SZ, true}, {"File2", REG_EXPAND_SZ, true}, {"Max", REG_DWORD, false}};
    const std::vector<Value> kept = {{"File1", REG_SZ, false}, {"MRU1", REG_SZ, false}, {"Settings", REG_BINARY, false}};
    const char* const others[] = {"9.0\\Excel\\Recent Files", "8.0\\Excel\\Microsoft Excel", "8.0\\Word\\Data",
                                  "9.0\\Word\\Data", "8.0\\PowerPoint\\Recent File List",
                                  "9.0\\PowerPoint\\Recent File List", "8.0\\Access\\Settings", "9.0\\Access\\Settings"};
    Fill(scratch, "8.0\\Excel\\Recent File List", excel97);
    for (const char* other : others)
        Fill(scratch, other, kept);
    const unsigned allButExcel = COfficeRecentFiles::kWord | COfficeRecentFiles::kPowerPoint | COfficeRecentFiles::kAccess;
    EXPECT_EQ(0, COfficeRecentFiles::Clear(allButExcel, HKEY_CURRENT_USER, scratch.Path()));
    EXPECT_EQ(2, COfficeRecentFiles::Clear(allButExcel | COfficeRecentFiles::kExcel, HKEY_CURRENT_USER, scratch.Path()));
    ExpectLeft(scratch, "8.0\\Excel\\Recent File List", excel97);
    for (const char* other : others) {
        SCOPED_TRACE(other);
        ExpectLeft(scratch, other, kept);
    }
}

}  // namespace
