#include "engine/RecycleBinLinks.h"

#include "engine/CEntryHandle.h"
#include "engine/PathParts.h"
#include "framework/UniqueHandle.h"

#include <string>
#include <vector>

namespace {

const wchar_t kUnixPrefix[] = L"\\\\?\\unix";
const wchar_t kHostRemove[] = L"\\\\?\\unix\\bin\\rm";
const DWORD kRemovalWaitMilliseconds = 5000;

bool IsWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

std::wstring Variable(const wchar_t* name)
{
    WCHAR value[MAX_PATH] = L"";
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value) : std::wstring();
}

// Where Wine keeps the bin, as a Windows path: "$XDG_DATA_HOME/Trash", else the Trash in the
// user's home folder.
std::wstring TrashFolder()
{
    std::wstring data = Variable(L"XDG_DATA_HOME");
    if (!data.empty() && data[0] == L'/') {
        for (wchar_t& ch : data)
            ch = ch == L'/' ? L'\\' : ch;
        return kUnixPrefix + data + L"\\Trash";
    }
    const std::wstring home = Variable(L"WINEHOMEDIR");   // "\??\unix\home\name"
    if (home.compare(0, 9, L"\\??\\unix\\") == 0)
        return L"\\\\?\\" + home.substr(4) + L"\\.local\\share\\Trash";
    return std::wstring();
}

std::wstring UnixPathOf(const std::wstring& path)
{
    std::wstring unix = path.substr(std::wcslen(kUnixPrefix));
    for (wchar_t& ch : unix)
        ch = ch == L'\\' ? L'/' : ch;
    return unix;
}

bool IsListed(const std::wstring& path)
{
    WIN32_FIND_DATAW entry;
    return static_cast<bool>(UniqueFind(::FindFirstFileW(path.c_str(), &entry)));
}

// A link to a folder lists as a reparse point; a link to a file opens where it leads, which its
// final path gives away. What cannot be told apart counts as a link: it is in the bin anyway.
bool IsLinkOrUnsure(const std::wstring& folder, const WIN32_FIND_DATAW& entry)
{
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return true;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    const std::wstring path = folder + L'\\' + entry.cFileName;
    const UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
        return true;
    const std::wstring finalPath = CEntryHandle::FinalPathOf(file.get());
    return finalPath != path && finalPath != folder + L'\\' + ShownAsLastName(entry.cFileName);
}

// Every link below folder, depth first, without entering one.
void CollectLinks(const std::wstring& folder, std::vector<std::wstring>& links)
{
    std::vector<std::wstring> folders(1, folder);
    while (!folders.empty()) {
        const std::wstring current = folders.back();
        folders.pop_back();
        WIN32_FIND_DATAW entry;
        const UniqueFind search(::FindFirstFileW((current + L"\\*").c_str(), &entry));
        if (!search)
            continue;
        do {
            if (IsDotName(entry.cFileName))
                continue;
            if (IsLinkOrUnsure(current, entry))
                links.push_back(current + L'\\' + entry.cFileName);
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(current + L'\\' + entry.cFileName);
        } while (::FindNextFileW(search.get(), &entry));
    }
}

// Starts the host's "rm -f -- path" and waits until the path is gone; Wine gives no way to wait
// for a host program itself.
bool RemoveOnTheHost(const std::wstring& path)
{
    std::wstring commandLine = std::wstring(L"\"") + kHostRemove + L"\" -f -- \"" + UnixPathOf(path) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(kHostRemove, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    const UniqueHandle thread(process.hThread);
    const UniqueHandle running(process.hProcess);
    for (DWORD waited = 0; waited < kRemovalWaitMilliseconds; waited += 10) {
        if (!IsListed(path))
            return true;
        ::Sleep(10);
    }
    return !IsListed(path);
}

}  // namespace

BOOL RemoveLinksFromRecycleBin()
{
    if (!IsWine())
        return TRUE;
    const std::wstring trash = TrashFolder();
    if (trash.empty())
        return TRUE;
    const std::wstring files = trash + L"\\files";
    std::vector<std::wstring> links;
    CollectLinks(files, links);
    bool allGone = true;
    for (const std::wstring& link : links) {
        allGone = RemoveOnTheHost(link) && allGone;
        // An item of the bin itself has its description beside, which goes with it.
        const size_t separator = link.rfind(L'\\');
        if (link.compare(0, separator, files) == 0 && separator == files.size())
            RemoveOnTheHost(trash + L"\\info" + link.substr(separator) + L".trashinfo");
    }
    return allGone ? TRUE : FALSE;
}
