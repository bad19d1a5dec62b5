#include "engine/CPathGuard.h"

#include "engine/CEntryHandle.h"
#include "engine/PathParts.h"

#include <shlobj.h>

#include <vector>

namespace {

// The trees of the system's and users' files, beside the folder of the user profiles and this
// program's own folder: nothing below them is a cleaner's to empty, unless the system itself
// places the folder there.
const int kFileTrees[] = {CSIDL_WINDOWS, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_COMMON_APPDATA};
// Shell folders are numbered from 0 up to here.
const int kLastShellFolder = 0x3F;

// Where the folder really is; as written when it cannot be opened.
std::wstring FinalPathOfFolder(const std::wstring& folder)
{
    const UniqueFile handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const std::wstring finalPath = handle ? CEntryHandle::FinalPathOf(handle.get()) : std::wstring();
    return finalPath.empty() ? LiteralPath(folder) : finalPath;
}

std::wstring ShellFolder(int csidl)
{
    WCHAR path[MAX_PATH] = L"";
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0])
        return std::wstring();
    return FinalPathOfFolder(path);
}

std::wstring ParentOf(const std::wstring& path)
{
    std::wstring parent;
    std::wstring name;
    return ParentAndName(path, parent, name) ? parent : std::wstring();
}

// Every folder the system names for a purpose, where it really is.
std::vector<std::wstring> ShellFolders()
{
    std::vector<std::wstring> folders;
    for (int csidl = 0; csidl <= kLastShellFolder; ++csidl) {
        const std::wstring folder = ShellFolder(csidl);
        if (!folder.empty())
            folders.push_back(folder);
    }
    return folders;
}

std::vector<std::wstring> FileTrees()
{
    std::vector<std::wstring> trees;
    for (const int csidl : kFileTrees)
        trees.push_back(ShellFolder(csidl));
    // A 32-bit program on 64-bit Windows is told of "Program Files (x86)" alone.
    WCHAR programFiles[MAX_PATH] = L"";
    const DWORD length = ::GetEnvironmentVariableW(L"ProgramW6432", programFiles, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        trees.push_back(FinalPathOfFolder(programFiles));
    trees.push_back(ParentOf(ShellFolder(CSIDL_PROFILE)));
    WCHAR program[MAX_PATH] = L"";
    const DWORD programLength = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (programLength > 0 && programLength < MAX_PATH)
        trees.push_back(ParentOf(FinalPathOfFolder(program)));
    return trees;
}

std::wstring TempFolder()
{
    WCHAR path[MAX_PATH + 1] = L"";
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, path);
    return length > 0 && length <= MAX_PATH ? FinalPathOfFolder(path) : std::wstring();
}

// Where the system itself puts the folder place names.
std::wstring SystemPlaceOf(CPathGuard::FolderPlace place)
{
    switch (place) {
    case CPathGuard::kTempPlace:
        return TempFolder();
    case CPathGuard::kInternetCachePlace:
        return ShellFolder(CSIDL_INTERNET_CACHE);
    case CPathGuard::kCookiesPlace:
        return ShellFolder(CSIDL_COOKIES);
    case CPathGuard::kRecentPlace:
        return ShellFolder(CSIDL_RECENT);
    case CPathGuard::kAppLogPlace: {
        const std::wstring windows = ShellFolder(CSIDL_WINDOWS);
        return windows.empty() ? windows : AppendName(windows, L"APPLOG");
    }
    case CPathGuard::kNoSystemPlace:
        break;
    }
    return std::wstring();
}

bool IsSamePath(const std::wstring& first, const std::wstring& second)
{
    return IsSameOrAncestor(first, second) && IsSameOrAncestor(second, first);
}

}  // namespace

bool CPathGuard::MayEmptyFolderAsWritten(const char* folder)
{
    if (!IsAbsolutePath(folder) || IsRootPath(folder))
        return false;
    // Read as Windows reads a plain path too: "C:\..." is the root there.
    char full[MAX_PATH + 1];
    const DWORD length = ::GetFullPathNameA(folder, sizeof full, full, nullptr);
    return length > 0 && length < sizeof full && !IsRootPath(full);
}

bool CPathGuard::MayEmptyFolder(const char* folder, FolderPlace place)
{
    if (!MayEmptyFolderAsWritten(folder))
        return false;
    const CEntryHandle opened = CEntryHandle::OpenFolderFollowing(LiteralPath(folder), 0);
    if (opened.GetState() == CEntryHandle::kNotOpened)
        return MayEmptyFinalPath(LiteralPath(folder), place);   // judged as written
    return opened && MayEmptyFinalPath(opened.FinalPath(), place);
}

bool CPathGuard::MayEmptyFinalPath(const std::wstring& finalPath, FolderPlace place)
{
    if (!IsOnADrive(finalPath) || IsDriveOrShareRoot(finalPath))
        return false;
    const std::wstring systemPlace = SystemPlaceOf(place);
    for (const std::wstring& shellFolder : ShellFolders()) {
        const bool isTheSystemPlace = !systemPlace.empty() && IsSamePath(shellFolder, systemPlace) &&
                                      IsSamePath(finalPath, systemPlace);
        if (IsSameOrAncestor(finalPath, shellFolder) && !isTheSystemPlace)
            return false;
    }
    if (!systemPlace.empty() && IsSameOrAncestor(systemPlace, finalPath))
        return true;
    for (const std::wstring& tree : FileTrees()) {
        if (!tree.empty() && (IsSameOrAncestor(tree, finalPath) || IsSameOrAncestor(finalPath, tree)))
            return false;
    }
    return true;
}
