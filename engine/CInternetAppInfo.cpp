#include "engine/CInternetAppInfo.h"

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

bool HasTempExtension(const char* path, const CStringArray& extensions)
{
    const char* extension = ExtensionOf(path);
    if (!*extension)
        return false;
    for (int i = 0; i < extensions.GetSize(); ++i) {
        if (SameAsciiNoCase(extension, extensions.GetAt(i)))
            return true;
    }
    return false;
}

// Deletes, through the one deletion path, each listed file whose extension is a temporary one.
class TempFileDeleter : public CTreeWalker::Visitor {
public:
    explicit TempFileDeleter(const CStringArray& extensions) : m_extensions(extensions) {}

    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry& entry, const CString& ansiName) override
    {
        if (HasTempExtension(ansiName, m_extensions))
            CEntryHandle::DeleteListedFile(folder.handle, entry);
        return true;
    }

private:
    const CStringArray& m_extensions;
};

}  // namespace

CInternetAppInfo::CInternetAppInfo(const CleanerSettings& settings) : m_settings(settings)
{
    CRegistry reg;
    if (!reg.Connect(HKEY_CURRENT_USER) || !reg.Open("Software\\Microsoft\\Outlook Express", KEY_READ))
        return;
    if (reg.GetStringValue("Store Root", m_StoreRoot))
        reg.Close();
}

BOOL CInternetAppInfo::DeleteTempFiles(const CStringArray& driveRoots)
{
    TempFileDeleter deleter(m_settings.tempExtensions);
    for (int i = 0; i < driveRoots.GetSize(); ++i) {
        CString root = driveRoots.GetAt(i);
        EnsureTrailingSeparator(root, '/');
        if (!root.IsEmpty())
            CTreeWalker::Walk(root, '/', CTreeWalker::kRecursive, deleter);
    }
    return TRUE;
}

BOOL CInternetAppInfo::EmptyNetscapeCache()
{
    const CString& folder = m_settings.nsCacheFolder;
    if (folder.IsEmpty())
        return FALSE;
    CSystemFolders::EmptyFolderTree(folder);
    return TRUE;
}

BOOL CInternetAppInfo::DeleteNetscapeCookies()
{
    const CString& folder = m_settings.nsCacheFolder;
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
