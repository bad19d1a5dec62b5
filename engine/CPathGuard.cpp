#include "engine/CPathGuard.h"

#include "engine/CEntryHandle.h"
#include "engine/PathParts.h"

#include <shlobj.h>

#include <cctype>
#include <vector>

namespace {

// The folders whose contents no cleaner may delete, each with every folder that holds it.
const int kKeptShellFolders[] = {
    CSIDL_WINDOWS,       CSIDL_SYSTEM,  CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
    CSIDL_PROFILE,       CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY,
};

// Where the folder really is; as written when it cannot be opened.
std::wstring FinalPathOfFolder(const std::wstring& folder)
{
    const UniqueFile handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const std::wstring finalPath = handle ? CEntryHandle::FinalPathOf(handle.get()) : std::wstring();
    return finalPath.empty() ? LiteralPath(folder) : finalPath;
}

std::vector<std::wstring> KeptFolders()
{
    std::vector<std::wstring> kept;
    WCHAR path[MAX_PATH] = L"";
    for (const int csidl : kKeptShellFolders) {
        if (SUCCEEDED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) && path[0])
            kept.push_back(FinalPathOfFolder(path));
    }
    // A 32-bit program on 64-bit Windows is told of "Program Files (x86)" alone.
    const DWORD length = ::GetEnvironmentVariableW(L"ProgramW6432", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        kept.push_back(FinalPathOfFolder(path));
    return kept;
}

}  // namespace

BOOL CPathGuard::IsLinkEntry(const char* folder, const WIN32_FIND_DATAA& entry)
{
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return TRUE;
    CString path(folder);
    EnsureTrailingSeparator(path, '\\');
    return IsLink(path + entry.cFileName);
}

BOOL CPathGuard::IsLink(const char* path)
{
    const CEntryHandle entry = CEntryHandle::OpenAt(path, CEntryHandle::kAnyKind, 0,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    return entry ? FALSE : TRUE;
}

BOOL CPathGuard::IsRootPath(const char* path)
{
    const CString text(path);
    const int length = text.GetLength();
    if (length == 0)
        return FALSE;

    if (length >= 2 && IsSeparator(text.GetAt(0)) && IsSeparator(text.GetAt(1))) {
        int at = 2;
        for (int part = 0; part < 2; ++part) {   // server, then share
            while (at < length && !IsSeparator(text.GetAt(at)))
                ++at;
            while (at < length && IsSeparator(text.GetAt(at)))
                ++at;
        }
        return at == length ? TRUE : FALSE;
    }

    int end = length;
    while (end > 0 && IsSeparator(text.GetAt(end - 1)))
        --end;
    if (end == 0)
        return TRUE;
    const bool driveOnly = end == 2 && std::isalpha(static_cast<unsigned char>(text.GetAt(0))) && text.GetAt(1) == ':';
    return driveOnly ? TRUE : FALSE;
}

BOOL CPathGuard::IsAbsolutePath(const char* path)
{
    const CString text(path);
    const int length = text.GetLength();
    if (length >= 3 && std::isalpha(static_cast<unsigned char>(text.GetAt(0))) && text.GetAt(1) == ':' &&
        IsSeparator(text.GetAt(2)))
        return TRUE;
    if (length < 2 || !IsSeparator(text.GetAt(0)) || !IsSeparator(text.GetAt(1)))
        return FALSE;

    // \\server\share: "\\?\" and "\\.\" device paths are not taken.
    int at = 2;
    const int serverStart = at;
    while (at < length && !IsSeparator(text.GetAt(at)))
        ++at;
    const CString server = text.Mid(serverStart, at - serverStart);
    if (server.IsEmpty() || server == "?" || server == ".")
        return FALSE;
    if (at >= length)
        return FALSE;
    ++at;
    return at < length && !IsSeparator(text.GetAt(at)) ? TRUE : FALSE;
}

BOOL CPathGuard::MayEmptyFolderAsWritten(const char* folder)
{
    if (!IsAbsolutePath(folder) || IsRootPath(folder))
        return FALSE;
    // Read as Windows reads a plain path too: "C:\..." is the root there.
    char full[MAX_PATH + 1];
    const DWORD length = ::GetFullPathNameA(folder, sizeof full, full, nullptr);
    return length > 0 && length < sizeof full && !IsRootPath(full) ? TRUE : FALSE;
}

BOOL CPathGuard::MayEmptyFolder(const char* folder)
{
    if (!MayEmptyFolderAsWritten(folder))
        return FALSE;
    const CEntryHandle opened = CEntryHandle::OpenFolderFollowing(LiteralPath(folder), 0);
    if (opened.GetState() == CEntryHandle::kNotOpened)
        return TRUE;   // nothing there to empty
    return opened && MayEmptyFinalPath(opened.FinalPath()) ? TRUE : FALSE;
}

BOOL CPathGuard::MayEmptyFinalPath(const std::wstring& finalPath)
{
    if (!IsOnADrive(finalPath) || IsDriveOrShareRoot(finalPath))
        return FALSE;
    for (const std::wstring& kept : KeptFolders()) {
        if (IsSameOrAncestor(finalPath, kept))
            return FALSE;
    }
    return TRUE;
}
