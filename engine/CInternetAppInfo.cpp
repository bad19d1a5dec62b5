#include "engine/CInternetAppInfo.h"

#include "app/CCleanerApp.h"
#include "engine/CPathGuard.h"
#include "engine/CSystemFolders.h"
#include "engine/PathParts.h"
#include "registry/CRegistry.h"

namespace {

const char kCookieFileName[] = "cookies.txt";

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

bool IsDotComponent(const CString& path, int start, int end)
{
    const int length = end - start;
    return (length == 1 && path.GetAt(start) == '.') ||
           (length == 2 && path.GetAt(start) == '.' && path.GetAt(start + 1) == '.');
}

// The path as "\\?\X:\..." so that every name is taken as it stands: a plain path drops the
// trailing dots and blanks of its names, and "E:\T\dir.\a.TMP" would reach into "E:\T\dir",
// which may be a link. Paths that need "." or ".." resolved, or that are relative, stay plain.
CString LiteralPath(const CString& path)
{
    if (!CPathGuard::IsAbsolutePath(path) || path.Left(4) == "\\\\?\\")
        return path;
    const bool unc = IsSeparator(path.GetAt(0));
    CString literal(unc ? "\\\\?\\UNC\\" : "\\\\?\\");
    int componentStart = unc ? 2 : 0;
    for (int at = componentStart; at <= path.GetLength(); ++at) {
        if (at < path.GetLength() && !IsSeparator(path.GetAt(at)))
            continue;
        if (at == componentStart) {          // a doubled separator
            componentStart = at + 1;
            continue;
        }
        if (IsDotComponent(path, componentStart, at))
            return path;
        if (literal.Last() != '\\')
            literal += '\\';
        literal += path.Mid(componentStart, at - componentStart);
        componentStart = at + 1;
    }
    return literal;
}

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
    SweepDrives(driveRoots, DeleteIfTempExtension, nullptr);
    return TRUE;
}

int CInternetAppInfo::DeleteIfTempExtension(void* /*userData*/, const CString& path)
{
    // The name first: the link check asks the file system, and few files match.
    if (!HasTempExtension(path))
        return 1;
    // Under Wine a link to a file lists as a plain file, and deleting it deletes its target.
    const CString literal = LiteralPath(path);
    if (!CPathGuard::IsLink(literal))
        ::DeleteFileA(literal);
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
    CString path = theApp.m_folderNSCache;
    if (path.IsEmpty())
        return FALSE;
    // A typed folder may lack the separator; gluing the name to it would name a sibling file.
    if (!IsSeparator(path.Last()))
        path += '\\';
    path += kCookieFileName;
    if (CPathGuard::IsAbsolutePath(path) && !CPathGuard::IsLink(path))
        ::DeleteFileA(path);
    return TRUE;
}
