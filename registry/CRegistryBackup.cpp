#include "registry/CRegistryBackup.h"

#include "framework/UniqueHandle.h"
#include "registry/CRegistry.h"

#include <shlobj.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kHexBytesPerLine = 25;
constexpr int kMostRunsPerSecond = 99;
constexpr DWORD kPathBufferSize = MAX_PATH * 2;

// The roots a registry file names and regedit imports into; empty for any other.
CString RootNameOf(HKEY root)
{
    const bool importable = root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE ||
                            root == HKEY_USERS;
    return importable ? CString(CRegistry::NameOfRoot(root)) : CString();
}

bool HasLineBreakOrControl(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x20)
            return true;
    }
    return false;
}

// regedit reads a backslash and a quote inside quotes only when escaped.
CString Quoted(const char* text, size_t length)
{
    CString quoted('"');
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '\\' || text[i] == '"')
            quoted += '\\';
        quoted += text[i];
    }
    return quoted + '"';
}

// A string that regedit gives back exactly from its quoted form: one terminator at the end,
// nothing else below a blank.
bool IsPlainString(const BYTE* data, DWORD size)
{
    return size > 0 && data[size - 1] == 0 &&
           !HasLineBreakOrControl(reinterpret_cast<const char*>(data), size - 1);
}

CString HexBytes(const BYTE* data, DWORD size)
{
    CString text;
    for (DWORD i = 0; i < size; ++i) {
        static const char kDigits[] = "0123456789abcdef";
        if (i > 0)
            text += (i % kHexBytesPerLine == 0) ? ",\\\r\n  " : ",";
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
    }
    return text;
}

CString DataText(DWORD type, const BYTE* data, DWORD size)
{
    if (type == REG_SZ && IsPlainString(data, size))
        return Quoted(reinterpret_cast<const char*>(data), size - 1);
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, data, sizeof value);
        CString text;
        text.Format("dword:%08lx", static_cast<unsigned long>(value));
        return text;
    }
    CString prefix("hex:");
    if (type != REG_BINARY)
        prefix.Format("hex(%lx):", static_cast<unsigned long>(type));
    return prefix + HexBytes(data, size);
}

// One line "name"=data, or empty when the name cannot be written.
CString ValueLine(const char* name, DWORD type, const BYTE* data, DWORD size)
{
    const size_t nameLength = std::strlen(name);
    if (HasLineBreakOrControl(name, nameLength))
        return CString();
    const CString written = nameLength == 0 ? CString("@") : Quoted(name, nameLength);
    return written + "=" + DataText(type, data, size) + "\r\n";
}

bool AppendValues(HKEY key, CString& out)
{
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                           &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    // The counts are the stored (wide) sizes; an ANSI name can take two bytes a character.
    std::vector<char> name(longestName * 2 + 2);
    std::vector<BYTE> data(longestData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG code =
            ::RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
        if (code == ERROR_NO_MORE_ITEMS)
            return true;
        if (code != ERROR_SUCCESS)
            return false;
        const CString line = ValueLine(name.data(), type, data.data(), dataSize);
        if (line.IsEmpty())
            return false;
        out += line;
    }
}

// The key's section, then one for each key below it. A name the code page cannot spell comes
// back with substitutes and does not open: the whole tree is then refused.
bool AppendKeyTree(HKEY key, const CString& fullName, REGSAM view, CString& out)
{
    if (fullName.Find('\r') >= 0 || fullName.Find('\n') >= 0)
        return false;
    out += "[" + fullName + "]\r\n";
    if (!AppendValues(key, out))
        return false;
    out += "\r\n";
    for (DWORD index = 0;; ++index) {
        char name[1024] = "";
        DWORD nameSize = sizeof name;
        const LONG code = ::RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (code == ERROR_NO_MORE_ITEMS)
            return true;
        UniqueKey child;
        if (code != ERROR_SUCCESS || ::RegOpenKeyExA(key, name, 0, KEY_READ | view, child.receive()) != ERROR_SUCCESS)
            return false;
        if (!AppendKeyTree(child.get(), fullName + "\\" + name, view, out))
            return false;
    }
}

bool IsFolder(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes the folder and those above it that are missing.
bool MakeFolders(const CString& folder)
{
    for (int separator = folder.Find('\\', 3); separator > 0; separator = folder.Find('\\', separator + 1)) {
        if (!IsFolder(folder.Left(separator)))
            ::CreateDirectoryA(folder.Left(separator), nullptr);
    }
    if (!IsFolder(folder))
        ::CreateDirectoryA(folder, nullptr);
    return IsFolder(folder);
}

bool WriteAll(HANDLE file, const CString& text)
{
    const char* next = text.GetString();
    DWORD left = static_cast<DWORD>(text.GetLength());
    while (left > 0) {
        DWORD written = 0;
        if (!::WriteFile(file, next, left, &written, nullptr) || written == 0)
            return false;
        next += written;
        left -= written;
    }
    return ::FlushFileBuffers(file) != FALSE;
}

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

}  // namespace

CRegistryBackup::CRegistryBackup(const CString& folder) : m_folder(folder)
{
}

CString CRegistryBackup::DefaultFolder()
{
    ITEMIDLIST* found = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &found)) || !found)
        return CString();
    const std::unique_ptr<ITEMIDLIST, ItemListFree> list(found);
    char path[kPathBufferSize] = "";
    if (!::SHGetPathFromIDListA(list.get(), path) || !path[0])
        return CString();
    CString folder(path);
    if (folder.Last() != '\\')
        folder += '\\';
    return folder + "Halvex\\Dustora\\Backups";
}

CString CRegistryBackup::FileNameFor(const SYSTEMTIME& time)
{
    CString name;
    name.Format("%04u-%02u-%02u %02u-%02u-%02u.reg", time.wYear, time.wMonth, time.wDay, time.wHour,
                time.wMinute, time.wSecond);
    return name;
}

BOOL CRegistryBackup::AddKey(HKEY root, const char* path, REGSAM view)
{
    const CString rootName = RootNameOf(root);
    UniqueKey key;
    if (rootName.IsEmpty() || !path || !*path ||
        ::RegOpenKeyExA(root, path, 0, KEY_READ | view, key.receive()) != ERROR_SUCCESS)
        return FALSE;
    CString section;
    if (!AppendKeyTree(key.get(), rootName + "\\" + path, view, section))
        return FALSE;
    m_pending += section;
    return TRUE;
}

BOOL CRegistryBackup::AddValue(HKEY root, const char* path, const char* valueName, REGSAM view)
{
    const CString rootName = RootNameOf(root);
    const char* name = valueName ? valueName : "";
    UniqueKey key;
    if (rootName.IsEmpty() || !path || !*path ||
        ::RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | view, key.receive()) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return FALSE;
    std::vector<BYTE> data(size + 2);
    size = static_cast<DWORD>(data.size());
    if (::RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return FALSE;
    const CString line = ValueLine(name, type, data.data(), size);
    const CString keyName = rootName + "\\" + path;
    if (line.IsEmpty() || keyName.Find('\r') >= 0 || keyName.Find('\n') >= 0)
        return FALSE;
    m_pending += "[" + keyName + "]\r\n" + line + "\r\n";
    return TRUE;
}

BOOL CRegistryBackup::Commit()
{
    if (m_pending.IsEmpty())
        return TRUE;
    const CString pending = m_pending;
    m_pending.Empty();
    if (m_folder.IsEmpty() || !MakeFolders(m_folder))
        return FALSE;
    const CString path = m_filePath.IsEmpty() ? ChooseFilePath() : m_filePath;
    if (path.IsEmpty() || !WriteWholeFile(path, "REGEDIT4\r\n\r\n" + m_committed + pending))
        return FALSE;
    m_filePath = path;
    m_committed += pending;
    return TRUE;
}

// A new file beside the old one takes its place only when it is complete, so a failed commit
// leaves the entries committed before it undoable.
BOOL CRegistryBackup::WriteWholeFile(const CString& path, const CString& text)
{
    const CString fresh = path + ".new";
    UniqueFile file(::CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return FALSE;
    const bool written = WriteAll(file.get(), text);
    const bool closed = ::CloseHandle(file.release()) != FALSE;
    if (written && closed && ::MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    ::DeleteFileA(fresh);
    return FALSE;
}

CString CRegistryBackup::ChooseFilePath() const
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const CString folder = m_folder.Last() == '\\' ? m_folder : m_folder + "\\";
    const CString name = FileNameFor(now);
    for (int run = 1; run <= kMostRunsPerSecond; ++run) {
        CString path = folder + name;
        if (run > 1)
            path.Format("%s%s (%d).reg", folder.GetString(), name.Left(name.GetLength() - 4).GetString(), run);
        if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND)
            return path;
    }
    return CString();
}
