#include "engine/PathParts.h"

#include <vector>

namespace {

const wchar_t kLiteralPrefix[] = L"\\\\?\\";
const wchar_t kLiteralUncPrefix[] = L"\\\\?\\UNC\\";
// What no Windows name may hold besides control characters; "/" and "\" separate.
const wchar_t kForbiddenInNames[] = L"\\/:*?\"<>|";

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

bool IsDriveLetter(wchar_t ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

bool WideFromAnsi(const char* text, std::wstring& wide)
{
    const int length = static_cast<int>(std::strlen(text));
    if (length == 0)
        return false;
    const int needed = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (needed <= 0)
        return false;
    wide.resize(static_cast<size_t>(needed));
    return ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, length, &wide[0], needed) == needed;
}

std::wstring WithoutTrailingSeparators(std::wstring path)
{
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        ::CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Where the names begin in "\\?\X:\..." or "\\?\UNC\server\share\...", or npos for any other form.
size_t NamesStart(const std::wstring& path)
{
    if (StartsWith(path, kLiteralUncPrefix)) {
        const size_t prefix = std::wcslen(kLiteralUncPrefix);
        const size_t serverEnd = path.find(L'\\', prefix);
        if (serverEnd == std::wstring::npos || serverEnd == prefix || serverEnd + 1 >= path.size() ||
            path[serverEnd + 1] == L'\\')
            return std::wstring::npos;
        const size_t shareEnd = path.find(L'\\', serverEnd + 1);
        return shareEnd == std::wstring::npos ? path.size() : shareEnd + 1;
    }
    const size_t prefix = std::wcslen(kLiteralPrefix);
    if (StartsWith(path, kLiteralPrefix) && path.size() >= prefix + 2 && IsDriveLetter(path[prefix]) &&
        path[prefix + 1] == L':' && (path.size() == prefix + 2 || path[prefix + 2] == L'\\'))
        return path.size() == prefix + 2 ? path.size() : prefix + 3;
    return std::wstring::npos;
}

// The literal root ("\\?\C:" or "\\?\UNC\server\share") of a plain absolute path, and where its
// names begin; false for any other form.
bool PlainRoot(const std::wstring& path, std::wstring& root, size_t& namesStart)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        // Final paths name the drive in capitals.
        root = kLiteralPrefix;
        root += static_cast<wchar_t>(path[0] & ~0x20);
        root += L':';
        namesStart = 3;
        return true;
    }
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1]))
        return false;
    const size_t serverEnd = path.find_first_of(L"\\/", 2);
    if (serverEnd == std::wstring::npos)
        return false;
    const std::wstring server = path.substr(2, serverEnd - 2);
    if (server.empty() || server == L"?" || server == L".")
        return false;
    size_t shareEnd = path.find_first_of(L"\\/", serverEnd + 1);
    if (shareEnd == std::wstring::npos)
        shareEnd = path.size();
    const std::wstring share = path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
    if (share.empty())
        return false;
    root = kLiteralUncPrefix + server + L"\\" + share;
    namesStart = shareEnd;
    return true;
}

}  // namespace

void EnsureTrailingSeparator(CString& path, char separator)
{
    if (!path.IsEmpty() && !IsSeparator(path.Last()))
        path += separator;
}

CString WithTrailingBackslash(CString path)
{
    EnsureTrailingSeparator(path, '\\');
    return path;
}

bool IsAbsolutePath(const char* path)
{
    std::wstring wide;
    std::wstring root;
    size_t namesStart = 0;
    return path && WideFromAnsi(path, wide) && PlainRoot(wide, root, namesStart);
}

bool IsRootPath(const char* path)
{
    const size_t length = path ? std::strlen(path) : 0;
    if (length == 0)
        return false;
    size_t at = 0;
    if (length >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // The server, then the share, each with the separators after it.
        at = 2;
        for (int part = 0; part < 2; ++part) {
            while (at < length && !IsSeparator(path[at]))
                ++at;
            while (at < length && IsSeparator(path[at]))
                ++at;
        }
        return at == length;
    }
    if (length >= 2 && IsDriveLetter(static_cast<unsigned char>(path[0])) && path[1] == ':')
        at = 2;
    while (at < length && IsSeparator(path[at]))
        ++at;
    return at == length;
}

std::wstring LiteralPath(const char* path)
{
    std::wstring wide;
    return path && WideFromAnsi(path, wide) ? LiteralPath(wide) : std::wstring();
}

std::wstring LiteralPath(const std::wstring& path)
{
    if (StartsWith(path, kLiteralPrefix)) {
        if (NamesStart(path) == std::wstring::npos)
            return std::wstring();
        const std::wstring trimmed = WithoutTrailingSeparators(path);
        return IsDriveOrShareRoot(trimmed) && !StartsWith(trimmed, kLiteralUncPrefix) ? trimmed + L"\\" : trimmed;
    }

    std::wstring root;
    size_t at = 0;
    if (!PlainRoot(path, root, at))
        return std::wstring();
    std::vector<std::wstring> names;
    while (at < path.size()) {
        size_t end = at;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        const std::wstring name = path.substr(at, end - at);
        if (name == L"..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        at = end + 1;
    }
    if (names.empty())
        return StartsWith(root, kLiteralUncPrefix) ? root : root + L"\\";
    std::wstring literal = root;
    for (const std::wstring& name : names) {
        literal += L'\\';
        literal += name;
    }
    return literal;
}

bool ParentAndName(const std::wstring& path, std::wstring& parent, std::wstring& name)
{
    const size_t namesStart = NamesStart(path);
    const size_t separator = path.rfind(L'\\');
    if (namesStart == std::wstring::npos || separator == std::wstring::npos || separator + 1 < namesStart ||
        separator + 1 >= path.size())
        return false;
    name = path.substr(separator + 1);
    parent = path.substr(0, separator + 1 == namesStart && !StartsWith(path, kLiteralUncPrefix) ? separator + 1
                                                                                                  : separator);
    return true;
}

std::wstring AppendName(const std::wstring& folder, const std::wstring& name)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    path += name;
    return path;
}

bool IsOnADrive(const std::wstring& finalPath)
{
    return NamesStart(finalPath) != std::wstring::npos;
}

bool IsDriveOrShareRoot(const std::wstring& finalPath)
{
    const size_t namesStart = NamesStart(finalPath);
    if (namesStart == std::wstring::npos)
        return false;
    for (size_t at = namesStart; at < finalPath.size(); ++at) {
        if (finalPath[at] != L'\\')
            return false;
    }
    return true;
}

bool IsSameOrAncestor(const std::wstring& folder, const std::wstring& path)
{
    const std::wstring upperFolder = Upper(WithoutTrailingSeparators(folder));
    const std::wstring upperPath = Upper(WithoutTrailingSeparators(path));
    if (upperFolder.empty() || upperPath.compare(0, upperFolder.size(), upperFolder) != 0)
        return false;
    return upperPath.size() == upperFolder.size() || upperPath[upperFolder.size()] == L'\\';
}

bool SplitFinalPath(const std::wstring& finalPath, std::wstring& volume, std::wstring& names)
{
    size_t namesStart = NamesStart(finalPath);
    if (namesStart == std::wstring::npos)
        return false;
    // The names begin with their separator.
    if (namesStart > 0 && namesStart <= finalPath.size() && finalPath[namesStart - 1] == L'\\')
        --namesStart;
    volume = finalPath.substr(0, namesStart);
    names = WithoutTrailingSeparators(finalPath.substr(namesStart));
    return true;
}

std::wstring ShownAsLastName(const std::wstring& name)
{
    size_t end = name.size();
    while (end > 0 && (name[end - 1] == L'.' || name[end - 1] == L' '))
        --end;
    return name.substr(0, end);
}

std::wstring ShownInsideAPath(const std::wstring& name)
{
    return !name.empty() && name.back() == L'.' ? name.substr(0, name.size() - 1) : name;
}

bool AnsiNameOf(const std::wstring& name, CString& ansi)
{
    if (name.empty())
        return false;
    bool ascii = true;
    for (const wchar_t ch : name) {
        if (ch < 0x20 || (ch < 0x80 && std::wcschr(kForbiddenInNames, ch)))
            return false;
        ascii = ascii && ch < 0x80;
    }
    const int length = static_cast<int>(name.size());
    if (ascii) {
        char* out = ansi.GetBuffer(length);
        for (int at = 0; at < length; ++at)
            out[at] = static_cast<char>(name[static_cast<size_t>(at)]);
        ansi.ReleaseBuffer(length);
        return true;
    }

    BOOL usedDefault = FALSE;
    const int needed = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), length, nullptr, 0, nullptr,
                                             &usedDefault);
    if (needed <= 0 || usedDefault)
        return false;
    std::string bytes(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), length, &bytes[0], needed, nullptr, &usedDefault);
    // The way back must give the name again, and no byte of a double-byte character may read as
    // a separator or wildcard to the ANSI visitors.
    std::wstring back(static_cast<size_t>(length) + 1, L'\0');
    const int backLength =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), needed, &back[0], length + 1);
    if (usedDefault || backLength != length || back.compare(0, name.size(), name) != 0)
        return false;
    for (const char byte : bytes) {
        const unsigned char value = static_cast<unsigned char>(byte);
        if (value > 0 && value < 0x80 && std::wcschr(kForbiddenInNames, static_cast<wchar_t>(value)))
            return false;
    }
    ansi = CString(bytes);
    return true;
}
