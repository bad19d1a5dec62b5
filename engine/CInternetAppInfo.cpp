#include "engine/CInternetAppInfo.h"

#include "app/CCleanerApp.h"
#include "engine/CEntryHandle.h"
#include "engine/CPathGuard.h"
#include "engine/CSystemFolders.h"
#include "engine/CTreeWalker.h"
#include "engine/PathParts.h"
#include "registry/CRegistry.h"

namespace {

const wchar_t kCookieFileName[] = L"cookies.txt";

char AsciiUpper(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// Case-insensitive in ASCII only: the code page must not make two extensions equal.
bool SameAsciiNoCase(const char* left, const char* right)
{
    for (; *left && *right; ++left, ++right) {
        if (AsciiUpper(*left) != AsciiUpper(*right))
            return false;
    }
    return *left == *right;
}

// The extension as _splitpath gives it: from the last dot of the last path component on, the
// dot included; empty when that component has no dot.
const char* ExtensionOf(const char* path)
{
    const char* extension = nullptr;
    const char* at = path;
    for (; *at; ++at) {
        if (IsSeparator(*at))
            extension = nullptr;
        else if (*at == '.')
            extension = at;
    }
    return extension ? extension : at;
}

bool HasTempExtension(const char* path)
{
    const char* extension = ExtensionOf(path);
    if (!*extension)
        return false;
    const CStringArray& extensions = theApp.g_TempExtensions;
    for (int i = 0; i < extensions.GetSize(); ++i) {
        if (SameAsciiNoCase(extension, extensions.GetAt(i)))
            return true;
    }
    return false;
}

// Deletes, through the one deletion path, each listed file whose extension is a temporary one.
class TempFileDeleter : public CTreeWalker::Visitor {
public:
    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry& entry, const CString& ansiName) override
    {
        if (HasTempExtension(ansiName))
            CEntryHandle::DeleteListedFile(folder.handle, entry);
        return true;
    }
};

}  // namespace

CInternetAppInfo::CInternetAppInfo()
{
    CRegistry reg;
    if (!reg.Connect(HKEY_CURRENT_USER) || !reg.Open("Software\\Microsoft\\Outlook Express", KEY_READ))
        return;
    if (reg.GetStringValue("Store Root", m_StoreRoot))
        reg.Close();
}

void CInternetAppInfo::SweepDrives(const CStringArray& driveRoots, FileVisitor visitor, void* userData)
{
    CFileSweeper sweeper;
    for (int i = 0; i < driveRoots.GetSize(); ++i) {
        if (sweeper.SetPath(driveRoots.GetAt(i)))
            sweeper.ForEachFileRecursive(visitor, userData);
    }
}

BOOL CInternetAppInfo::DeleteTempFiles(const CStringArray& driveRoots)
{
    TempFileDeleter deleter;
    for (int i = 0; i < driveRoots.GetSize(); ++i) {
        CString root = driveRoots.GetAt(i);
        EnsureTrailingSeparator(root, '/');
        if (!root.IsEmpty())
            CTreeWalker::Walk(root, '/', CTreeWalker::kRecursive, deleter);
    }
    return TRUE;
}

int CInternetAppInfo::DeleteIfTempExtension(void* /*userData*/, const CString& path)
{
    // The name first: few files match.
    if (HasTempExtension(path))
        CEntryHandle::DeleteFileAt(path);
    return 1;
}

BOOL CInternetAppInfo::EmptyNetscapeCache()
{
    const CString folder = theApp.m_folderNSCache;
    if (folder.IsEmpty())
        return FALSE;
    CSystemFolders folders;
    folders.EmptyFolderTree(folder);
    return TRUE;
}

BOOL CInternetAppInfo::DeleteNetscapeCookies()
{
    const CString folder = theApp.m_folderNSCache;
    if (folder.IsEmpty())
        return FALSE;
    // The file is looked for inside the folder, whether or not the setting ends in a separator,
    // and only in a folder the cleaners may empty.
    if (CPathGuard::IsAbsolutePath(folder)) {
        const CEntryHandle cache = CEntryHandle::OpenFolderFollowing(LiteralPath(folder), 0);
        if (cache && CPathGuard::MayEmptyFinalPath(cache.FinalPath()))
            CEntryHandle::DeleteNamedFileIn(cache, kCookieFileName);
    }
    return TRUE;
}
