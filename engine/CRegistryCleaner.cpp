#include "engine/CRegistryCleaner.h"

#include "engine/RemovalScope.h"
#include "framework/UniqueHandle.h"
#include "registry/CRegistry.h"

namespace {

int RemovePlaceEntries(const RegistryPlace& place, const std::vector<CString>& names, CRegistryBackup& backup)
{
    if (RemovalScope::Previewing()) {
        RemovalScope::CountRegistryEntries(static_cast<unsigned long>(names.size()));
        return static_cast<int>(names.size());
    }
    std::vector<CString> held;
    for (const CString& name : names) {
        if (backup.AddKey(place.root, place.path + "\\" + name, place.view))
            held.push_back(name);
    }
    if (held.empty() || !backup.Commit())
        return 0;
    CRegistry registry;
    if (!registry.Connect(place.root) || !registry.Open(place.path, KEY_ALL_ACCESS | place.view))
        return 0;
    int removed = 0;
    for (const CString& name : held) {
        if (registry.DeleteKey(name))
            ++removed;
    }
    RemovalScope::CountRegistryEntries(static_cast<unsigned long>(removed));
    return removed;
}

}  // namespace

std::vector<CString> CRegistryCleaner::BrokenEntries(const RegistryPlace& place, EntryJudge judge)
{
    std::vector<CString> broken;
    UniqueKey list;
    if (::RegOpenKeyExA(place.root, place.path, 0, KEY_READ | place.view, list.receive()) != ERROR_SUCCESS)
        return broken;
    const CProgramProbe probe(place.readers);
    for (DWORD index = 0;; ++index) {
        char name[1024] = "";
        DWORD nameSize = sizeof name;
        const LONG code = ::RegEnumKeyExA(list.get(), index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (code == ERROR_NO_MORE_ITEMS)
            break;
        UniqueKey entry;
        // A name the code page cannot spell does not open: that entry is not judged.
        if (code != ERROR_SUCCESS ||
            ::RegOpenKeyExA(list.get(), name, 0, KEY_READ | place.view, entry.receive()) != ERROR_SUCCESS)
            continue;
        if (judge(entry.get(), name, probe))
            broken.push_back(name);
    }
    return broken;
}

// The places are done one after the other: where two of them are one key seen twice, what the
// first removed is no longer listed by the second.
int CRegistryCleaner::RemoveBroken(const std::vector<RegistryPlace>& places, EntryJudge judge, CRegistryBackup& backup)
{
    int removed = 0;
    for (const RegistryPlace& place : places)
        removed += RemovePlaceEntries(place, BrokenEntries(place, judge), backup);
    return removed;
}

bool CRegistryCleaner::ReadText(HKEY key, const wchar_t* name, std::wstring& text)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size < sizeof(wchar_t))
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    text = buffer.data();
    return !text.empty();
}

bool CRegistryCleaner::IsFlagSet(HKEY key, const wchar_t* name)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG code = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (code == ERROR_FILE_NOT_FOUND)
        return false;
    return !(code == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 0);
}
