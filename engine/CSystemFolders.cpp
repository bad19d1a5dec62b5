#include "engine/CSystemFolders.h"

#include "engine/CEntryHandle.h"
#include "engine/CPathGuard.h"
#include "engine/CTreeWalker.h"
#include "engine/PathParts.h"
#include "engine/RecycleBinLinks.h"
#include "engine/RemovalScope.h"
#include "framework/CWnd.h"
#include "framework/CWinApp.h"
#include "framework/UniqueHandle.h"

#include <shlobj.h>


namespace {

const DWORD kPathBufferSize = 1500;

CString PlatformShellFolder(HWND owner, int csidl)
{
    ITEMIDLIST* found = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, csidl, &found)) || !found)
        return CString();
    const UniqueItemIdList list(found);
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
    const CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

const UINT kDetectionFailedStyle = MB_ICONEXCLAMATION | MB_OK;

struct BinContents {
    ULONGLONG items = 0;
    ULONGLONG bytes = 0;
};

// What the bins of all drives hold; nothing when the shell cannot say.
BinContents BinContentsNow()
{
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    BinContents contents;
    if (SUCCEEDED(::SHQueryRecycleBinA(nullptr, &info))) {
        contents.items = static_cast<ULONGLONG>(info.i64NumItems);
        contents.bytes = static_cast<ULONGLONG>(info.i64Size);
    }
    return contents;
}

// A set folder is taken as typed; an empty one is detected, completed and written back.
template <typename Lookup>
void TakeOrDetect(CString& setting, CString& field, Lookup lookup, UserMessages& messages, const char* failureMessage)
{
    if (!setting.IsEmpty()) {
        field = setting;
        return;
    }
    field = WithTrailingBackslash(lookup());
    if (field.IsEmpty())
        messages.Tell(failureMessage, kDetectionFailedStyle);
    setting = field;
}

// Deletes every file a walk lists and every sub-folder once its entries are gone; whatever is
// in use stays, and with it the folders that hold it. Read-only files stay too: Windows refuses
// the write probe the design makes on them (Wine running as root grants it), and the deletion
// path keeps them on every platform.
class TreeEmptier : public CTreeWalker::Visitor {
public:
    explicit TreeEmptier(CPathGuard::FolderPlace place) : m_place(place) {}

    bool AcceptsRoot(const std::wstring& finalPath) override
    {
        return CPathGuard::MayEmptyFinalPath(finalPath, m_place);
    }

    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry& entry, const CString&) override
    {
        CEntryHandle::DeleteListedFile(folder.handle, entry);
        return true;
    }

    void OnFolderLeft(CTreeWalker::Folder& folder) override { folder.handle.MarkForDeletion(); }

private:
    CPathGuard::FolderPlace m_place;
};

}  // namespace

CSystemFolders::CSystemFolders(CleanerSettings& settings, UserMessages& messages)
    : m_settings(settings), m_messages(messages)
{
    Detect();
}

void CSystemFolders::Detect()
{
    const HWND owner = MainWindowHandle();
    const Lookups lookups = g_lookups;

    TakeOrDetect(m_settings.recentDocsFolder, m_RecentFolder,
                 [&] { return lookups.shellFolder(owner, CSIDL_RECENT); }, m_messages,
                 "Error: Cannot detect the Windows Recent Documents Folder.");
    TakeOrDetect(m_settings.ieCookiesFolder, m_CookiesFolder,
                 [&] { return lookups.shellFolder(owner, CSIDL_COOKIES); }, m_messages,
                 "Error: Cannot detect the Internet Explorer Cookies Folder.");
    TakeOrDetect(m_settings.tempFolder, m_TempFolder, lookups.tempFolder, m_messages,
                 "Error: Cannot detect the Windows Temporary Folder.");

    // The Windows folder has no setting: it is asked every time.
    m_WindowsFolder = WithTrailingBackslash(lookups.windowsFolder());
    if (m_WindowsFolder.IsEmpty())
        m_messages.Tell("Error: Cannot detect the Windows Folder.", kDetectionFailedStyle);

    TakeOrDetect(m_settings.ieCacheFolder, m_CacheFolder,
                 [&] { return lookups.shellFolder(owner, CSIDL_INTERNET_CACHE); }, m_messages,
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
    EmptyFolderTree(m_TempFolder, CPathGuard::kTempPlace);
    return TRUE;
}

BOOL CSystemFolders::EmptyRecycleBin()
{
    // An empty bin is no error: the result is of no use. What went is what the bin held before
    // less what it holds after.
    const BinContents before = BinContentsNow();
    if (RemovalScope::Previewing()) {
        RemovalScope::CountBin(before.items, before.bytes);
        return TRUE;
    }
    // Links first, as links: the shell's emptying may follow them.
    if (RemoveLinksFromRecycleBin())
        ::SHEmptyRecycleBinA(MainWindowHandle(), nullptr, SHERB_NOCONFIRMATION);
    const BinContents after = BinContentsNow();
    RemovalScope::CountBin(before.items > after.items ? before.items - after.items : 0,
                           before.bytes > after.bytes ? before.bytes - after.bytes : 0);
    return TRUE;
}

BOOL CSystemFolders::EmptyAppLogFolder()
{
    // Without the Windows folder the path would be "\APPLOG\" on the current drive.
    if (!m_WindowsFolder.IsEmpty())
        EmptyFolderTree(WithTrailingBackslash(m_WindowsFolder) + "APPLOG\\", CPathGuard::kAppLogPlace);
    return TRUE;
}

BOOL CSystemFolders::EmptyCacheFolder()
{
    EmptyFolderTree(m_CacheFolder, CPathGuard::kInternetCachePlace);
    return TRUE;
}

BOOL CSystemFolders::EmptyCookiesFolder()
{
    EmptyFolderTree(m_CookiesFolder, CPathGuard::kCookiesPlace);
    return TRUE;
}

CString CSystemFolders::ShellFolderPath(int csidl)
{
    return WithTrailingBackslash(g_lookups.shellFolder(nullptr, csidl));
}

int CSystemFolders::EmptyFolderTree(const char* folder)
{
    return EmptyFolderTree(folder, CPathGuard::kNoSystemPlace);
}

int CSystemFolders::EmptyFolderTree(const char* folder, CPathGuard::FolderPlace place)
{
    // A typed "C:\" would empty the drive, and a typed "temp" a folder relative to wherever the
    // program was started; where the folder really leads is judged by the walk, on the handle it
    // lists through.
    if (!folder || !*folder || !CPathGuard::MayEmptyFolderAsWritten(folder))
        return 0;
    CString root(folder);
    EnsureTrailingSeparator(root, '\\');
    TreeEmptier emptier(place);
    CTreeWalker::Walk(root, '\\', CTreeWalker::kRecursive | CTreeWalker::kForDeletion, emptier);
    return 0;
}
