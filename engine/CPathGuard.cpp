#include "engine/CPathGuard.h"

#include "engine/PathParts.h"
#include "framework/UniqueHandle.h"

#include <cctype>
#include <memory>
#include <vector>

namespace {

using FinalPathFn = DWORD(WINAPI*)(HANDLE file, LPSTR path, DWORD size, DWORD flags);

// FILE_NAME_NORMALIZED | VOLUME_NAME_DOS: the headers leave them out for the systems we target.
const DWORD kNormalizedDosName = 0x0;

// Present from Windows Vista on, and in Wine. Older systems have no symbolic links to files,
// so the attribute check is all they need.
FinalPathFn FinalPathFunction()
{
    static const FinalPathFn fn = reinterpret_cast<FinalPathFn>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA"));
    return fn;
}

// The path the file system really reaches through path, links followed, as "\\?\X:\...".
bool FinalPathOf(const CString& path, CString& finalPath)
{
    // No access rights asked: the entry may be held open without sharing by someone else.
    UniqueFile file(::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return false;
    std::vector<char> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = FinalPathFunction()(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                 kNormalizedDosName);
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            finalPath = CString(buffer.data(), static_cast<int>(length));
            return true;
        }
        buffer.resize(length + 1);
    }
    return false;
}

CString FolderWithSeparator(const char* folder)
{
    CString path(folder);
    if (!IsSeparator(path.Last()) && path.Last() != ':')
        path += '\\';
    return path;
}

// Without trailing separators, except the one a drive root needs ("X:" alone is the
// current folder of the drive, and "\\?\X:" the volume itself).
CString OpenableFolder(const char* folder)
{
    CString path(folder);
    while (path.GetLength() > 1 && IsSeparator(path.Last()))
        path = path.Left(path.GetLength() - 1);
    if (path.Last() == ':')
        path += '\\';
    return path;
}

// Each name of the path without its trailing dots and blanks, and empty names dropped.
CString WithoutTrailingDotsAndBlanks(const CString& path)
{
    CString result;
    CString name;
    for (int at = 0; at <= path.GetLength(); ++at) {
        const char ch = at < path.GetLength() ? path.GetAt(at) : '\\';
        if (ch != '\\') {
            name += ch;
            continue;
        }
        int end = name.GetLength();
        while (end > 0 && (name.GetAt(end - 1) == '.' || name.GetAt(end - 1) == ' '))
            --end;
        if (end > 0) {
            if (!result.IsEmpty())
                result += '\\';
            result += name.Left(end);
        }
        name.Empty();
    }
    return result;
}

bool HasEntryNamed(const CString& folderPrefix, const CString& name)
{
    WIN32_FIND_DATAA entry;
    UniqueFind search(::FindFirstFileA(folderPrefix + name, &entry));
    if (!search)
        return false;
    do {
        if (name == entry.cFileName)
            return true;
    } while (::FindNextFileA(search.get(), &entry));
    return false;
}

// "\\?\X:\dir" -> "X:\dir", "\\?\UNC\server\share" -> "\\server\share".
CString WithoutLongPathPrefix(const CString& path)
{
    if (path.Left(8).CompareNoCase("\\\\?\\UNC\\") == 0)
        return "\\\\" + path.Mid(8);
    if (path.Left(4) == "\\\\?\\")
        return path.Mid(4);
    return path;
}

}  // namespace

CString CPathGuard::FolderFinalPath(const char* folder)
{
    CString folderFinal;
    if (!FinalPathFunction() || !FinalPathOf(OpenableFolder(folder), folderFinal))
        return CString();
    if (folderFinal.Last() != '\\')
        folderFinal += '\\';
    return folderFinal;
}

BOOL CPathGuard::IsLinkEntry(const char* folder, const WIN32_FIND_DATAA& entry)
{
    return IsLinkEntry(folder, FolderFinalPath(folder), entry);
}

BOOL CPathGuard::IsLinkEntry(const char* folder, const CString& folderFinal, const WIN32_FIND_DATAA& entry)
{
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return TRUE;
    if (!FinalPathFunction())
        return FALSE;

    // Wine lists a Unix symlink to a file as a plain file, and opening it reaches the target.
    // An entry is itself only if its final path is its folder's final path plus its own name;
    // the name must match exactly, or a link "Name" to a sibling "name" would pass.
    CString entryFinal;
    const CString entryName(entry.cFileName);
    if (folderFinal.IsEmpty() || !FinalPathOf(FolderWithSeparator(folder) + entryName, entryFinal))
        return TRUE;
    const CString expected = folderFinal + entryName;
    if (entryFinal == expected)
        return FALSE;

    // Wine's final paths lose the trailing dots and blanks of names ("report." comes back as
    // "report", a folder "..." as nothing): compare without them, unless a sibling holds the
    // shortened name, which a link could equally lead to.
    if (WithoutTrailingDotsAndBlanks(entryFinal) != WithoutTrailingDotsAndBlanks(expected))
        return TRUE;
    const CString shortened = WithoutTrailingDotsAndBlanks(entryName);
    if (shortened == entryName || shortened.IsEmpty())
        return FALSE;
    return HasEntryNamed(FolderWithSeparator(folder), shortened) ? TRUE : FALSE;
}

BOOL CPathGuard::IsLink(const char* path)
{
    const CString fullPath(path);
    const CString afterPrefix = fullPath.Left(4) == "\\\\?\\" ? fullPath.Mid(4) : fullPath;
    if (afterPrefix.IsEmpty() || afterPrefix.Find('*') >= 0 || afterPrefix.Find('?') >= 0)
        return TRUE;
    const int slash = fullPath.ReverseFind('/');
    const int backslash = fullPath.ReverseFind('\\');
    const int separator = slash > backslash ? slash : backslash;
    if (separator < 0 || separator == fullPath.GetLength() - 1)
        return TRUE;

    // The search also matches other spellings: another case, the short name, and under Wine,
    // on a case-sensitive file system, a second entry differing only in case. The exact name
    // comes first; an entry that is no spelling of the name at all is not the one meant.
    const CString name = fullPath.Mid(separator + 1);
    WIN32_FIND_DATAA entry;
    UniqueFind search(::FindFirstFileA(fullPath, &entry));
    if (!search)
        return TRUE;
    WIN32_FIND_DATAA spelled = {};
    bool found = false;
    do {
        if (name == entry.cFileName) {
            spelled = entry;
            found = true;
            break;
        }
        if (!found && (name.CompareNoCase(entry.cFileName) == 0 || name.CompareNoCase(entry.cAlternateFileName) == 0)) {
            spelled = entry;
            found = true;
        }
    } while (::FindNextFileA(search.get(), &entry));
    return found ? IsLinkEntry(fullPath.Left(separator + 1), spelled) : TRUE;
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

BOOL CPathGuard::MayEmptyFolder(const char* folder)
{
    if (!IsAbsolutePath(folder) || IsRootPath(folder))
        return FALSE;

    char full[MAX_PATH + 1];
    const DWORD length = ::GetFullPathNameA(folder, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full || IsRootPath(full))
        return FALSE;

    // A folder that is itself a junction to a drive root would empty that drive.
    CString folderFinal;
    if (FinalPathFunction() && FinalPathOf(folder, folderFinal) && IsRootPath(WithoutLongPathPrefix(folderFinal)))
        return FALSE;
    return TRUE;
}
