#include "engine/CHistoryLists.h"

#include "engine/CRegistryEraser.h"
#include "registry/CRegistry.h"

#include <cctype>

const char CHistoryLists::kRunHistoryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char CHistoryLists::kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char CHistoryLists::kRecentDocsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

namespace {

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

bool IsOneLowerLetter(const CString& name)
{
    return name.GetLength() == 1 && name.GetAt(0) >= 'a' && name.GetAt(0) <= 'z';
}

bool IsDigitsFrom(const CString& name, int first)
{
    if (name.GetLength() <= first)
        return false;
    for (int i = first; i < name.GetLength(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name.GetAt(i))))
            return false;
    }
    return true;
}

bool IsRunHistoryEntry(const CString& name, DWORD type)
{
    return IsText(type) && (IsOneLowerLetter(name) || name == "MRUList");
}

bool IsTypedUrlEntry(const CString& name, DWORD type)
{
    return IsText(type) && name.GetLength() > 3 && name.Left(3).CompareNoCase("url") == 0 && IsDigitsFrom(name, 3);
}

bool IsRecentDocsEntry(const CString& name, DWORD type)
{
    if (name == "MRUList")
        return IsText(type);
    if (name == "MRUListEx")
        return type == REG_BINARY;
    return type == REG_BINARY && (IsOneLowerLetter(name) || IsDigitsFrom(name, 0));
}

}  // namespace

int CHistoryLists::ClearRunHistory(HKEY root, const char* key)
{
    return ClearList(root, key, IsRunHistoryEntry);
}

int CHistoryLists::ClearTypedUrls(HKEY root, const char* key)
{
    return ClearList(root, key, IsTypedUrlEntry);
}

int CHistoryLists::ClearRecentDocs(HKEY root, const char* key)
{
    int removed = ClearList(root, key, IsRecentDocsEntry);
    const CStringArray fileTypes = SubkeyNames(root, key);
    for (int i = 0; i < fileTypes.GetSize(); ++i)
        removed += ClearList(root, CString(key) + "\\" + fileTypes[i], IsRecentDocsEntry);
    return removed;
}

int CHistoryLists::ClearList(HKEY root, const char* key, EntryTest isEntry)
{
    return CRegistryEraser::RemoveValues(root, key, ListEntries(root, key, isEntry));
}

CStringArray CHistoryLists::ListEntries(HKEY root, const char* key, EntryTest isEntry)
{
    CStringArray entries;
    CRegistry registry;
    if (!registry.Connect(root) || !registry.Open(key, KEY_QUERY_VALUE))
        return entries;
    CString name;
    DWORD type = REG_NONE;
    DWORD size = 0;
    // Names only: the data is never read, so no length of it can fail the listing.
    for (DWORD index = 0; registry.EnumValue(index, name, type, nullptr, size); ++index, size = 0) {
        if (isEntry(name, type))
            entries.Add(name);
    }
    return entries;
}

CStringArray CHistoryLists::SubkeyNames(HKEY root, const char* key)
{
    CStringArray names;
    CRegistry registry;
    if (!registry.Connect(root) || !registry.Open(key, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE))
        return names;
    CString name;
    CString className;
    for (DWORD index = 0; registry.EnumKey(index, name, className); ++index)
        names.Add(name);
    return names;
}
