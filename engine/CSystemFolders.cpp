#include "engine/CSystemFolders.h"

#include "app/CCleanerApp.h"
#include "engine/CPathGuard.h"
#include "engine/PathParts.h"
#include "framework/CWnd.h"
#include "framework/MessageBox.h"
#include "framework/UniqueHandle.h"

#include <shlobj.h>

#include <cstring>
#include <memory>

namespace {

const DWORD kPathBufferSize = 1500;

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

CString PlatformShellFolder(HWND owner, int csidl)
{
    ITEMIDLIST* found = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, csidl, &found)) || !found)
        return CString();
    UniqueItemList list(found);
    char path[kPathBufferSize] = "";
    if (!::SHGetPathFromIDListA(list.get(), path))
        return CString();
    return CString(path);
}

CString PlatformTempFolder()
{
    char path[kPathBufferSize] = "";
    const DWORD length = ::GetTempPathA(kPathBufferSize, path);
    return length > 0 && length < kPathBufferSize ? CString(path) : CString();
}

CString PlatformWindowsFolder()
{
    char path[kPathBufferSize] = "";
    const UINT length = ::GetWindowsDirectoryA(path, kPathBufferSize);
    return length > 0 && length < kPathBufferSize ? CString(path) : CString();
}

CSystemFolders::Lookups g_lookups = CSystemFolders::PlatformLookups();

HWND MainWindowHandle()
{
    return theApp.m_pMainWnd ? theApp.m_pMainWnd->GetSafeHwnd() : nullptr;
}

// A set folder is taken as typed; an empty one is detected, completed and written back.
template <typename Lookup>
void TakeOrDetect(CString& setting, CString& field, Lookup lookup, const char* failureMessage)
{
    if (!setting.IsEmpty()) {
        field = setting;
        return;
    }
    field = WithTrailingBackslash(lookup());
    if (field.IsEmpty())
        AfxMessageBox(failureMessage, MB_ICONEXCLAMATION | MB_OK);
    setting = field;
}

// The folder as "\\?\X:\dir" or "\\?\UNC\server\share\dir": below it every name is taken as
// it stands. Plain paths drop trailing dots and blanks, so "E:\T\...\x" would not reach into a
// folder named "...", and deleting "E:\T\report." would delete "E:\T\report".
CString ExtendedPath(const char* folder)
{
    char full[MAX_PATH + 1];
    const DWORD length = ::GetFullPathNameA(folder, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return CString();
    const CString path(full);
    if (path.Left(2) == "\\\\")
        return "\\\\?\\UNC\\" + path.Mid(2);
    return "\\\\?\\" + path;
}

bool IsReadOnly(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Opening for reading and writing without sharing tells whether anyone else holds the file.
// Windows refuses that open on a read-only file, while Wine running as root grants it: the
// attribute counts as a failed probe on every platform, so a read-only file always stays.
bool WriteProbeSucceeds(const CString& path)
{
    if (IsReadOnly(path))
        return false;
    UniqueFile file(::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(file);
}

}  // namespace

CSystemFolders::CSystemFolders()
{
    Detect();
}

void CSystemFolders::Detect()
{
    const HWND owner = MainWindowHandle();
    const Lookups lookups = g_lookups;

    TakeOrDetect(theApp.m_folderRecentDocs, m_RecentFolder,
                 [&] { return lookups.shellFolder(owner, CSIDL_RECENT); },
                 "Error: Cannot detect the Windows Recent Documents Folder.");
    TakeOrDetect(theApp.m_folderIECookies, m_CookiesFolder,
                 [&] { return lookups.shellFolder(owner, CSIDL_COOKIES); },
                 "Error: Cannot detect the Internet Explorer Cookies Folder.");
    TakeOrDetect(theApp.m_folderTemp, m_TempFolder, lookups.tempFolder,
                 "Error: Cannot detect the Windows Temporary Folder.");

    // The Windows folder has no setting: it is asked every time.
    m_WindowsFolder = WithTrailingBackslash(lookups.windowsFolder());
    if (m_WindowsFolder.IsEmpty())
        AfxMessageBox("Error: Cannot detect the Windows Folder.", MB_ICONEXCLAMATION | MB_OK);

    TakeOrDetect(theApp.m_folderIECache, m_CacheFolder,
                 [&] { return lookups.shellFolder(owner, CSIDL_INTERNET_CACHE); },
                 "Error: Cannot detect the Internet Explorer Cache Folder.");
}

CSystemFolders::Lookups CSystemFolders::SetLookups(const Lookups& lookups)
{
    const Lookups previous = g_lookups;
    g_lookups = lookups;
    return previous;
}

CSystemFolders::Lookups CSystemFolders::PlatformLookups()
{
    return Lookups{PlatformShellFolder, PlatformTempFolder, PlatformWindowsFolder};
}

BOOL CSystemFolders::EmptyTempFolder()
{
    EmptyFolderTree(m_TempFolder);
    return TRUE;
}

BOOL CSystemFolders::EmptyRecycleBin()
{
    // An empty bin is no error: the result is of no use.
    ::SHEmptyRecycleBinA(MainWindowHandle(), nullptr, SHERB_NOCONFIRMATION);
    return TRUE;
}

BOOL CSystemFolders::EmptyAppLogFolder()
{
    // Without the Windows folder the path would be "\APPLOG\" on the current drive.
    if (!m_WindowsFolder.IsEmpty())
        EmptyFolderTree(WithTrailingBackslash(m_WindowsFolder) + "APPLOG\\");
    return TRUE;
}

BOOL CSystemFolders::EmptyCacheFolder()
{
    EmptyFolderTree(m_CacheFolder);
    return TRUE;
}

int CSystemFolders::EmptyFolderTree(const char* folder)
{
    // A typed "C:\" would empty the drive, and a typed "temp" a folder relative to wherever
    // the program was started.
    if (!folder || !*folder || !CPathGuard::MayEmptyFolder(folder))
        return 0;
    const CString extended = ExtendedPath(folder);
    if (!extended.IsEmpty())
        EmptyFolderContents(extended);
    return 0;
}

void CSystemFolders::EmptyFolderContents(const CString& folder)
{
    CString prefix(folder);
    if (prefix.Last() != '\\')
        prefix += '\\';
    WIN32_FIND_DATAA entry;
    UniqueFind search(::FindFirstFileA(prefix + "*.*", &entry));
    if (!search)
        return;
    const CString folderFinal = CPathGuard::FolderFinalPath(prefix);
    do {
        // Under Wine, removing a link to an empty folder removes the folder, and deleting a
        // link to a file deletes the file: links are left as they are.
        if (IsDotEntry(entry) || CPathGuard::IsLinkEntry(prefix, folderFinal, entry))
            continue;
        const CString path = prefix + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolderContents(path);
            ::RemoveDirectoryA(path);
        } else {
            DeleteFileEntry(path);
        }
    } while (::FindNextFileA(search.get(), &entry));
}

void CSystemFolders::DeleteFileEntry(const CString& path)
{
    // The attribute may have been set since the probe looked.
    if (WriteProbeSucceeds(path) && IsReadOnly(path))
        ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path);
}
