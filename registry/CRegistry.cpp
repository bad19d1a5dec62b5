#include "CRegistry.h"

#include "framework/UniqueHandle.h"

#include <cstring>
#include <cwchar>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

constexpr LONG kExceptionCaught = ERROR_DLL_INIT_FAILED;   // 1064
constexpr DWORD kTextBufferSize = 2048;
constexpr DWORD kNameBufferSize = 260;

struct RootName {
    HKEY root;
    const char* name;
};

const RootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, "HKEY_USERS"},
    {HKEY_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
    {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

bool IsLocalOnlyRoot(HKEY root)
{
    return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER;
}

CString LocalComputerName()
{
    char name[kNameBufferSize] = {};
    DWORD size = kNameBufferSize;
    if (!::GetComputerNameA(name, &size))
        return CString();
    return CString(name);
}

// A value buffer from LocalAlloc, so that a failed allocation leaves its reason in GetLastError.
class LocalBuffer {
public:
    // A zero size still gets a real block, so the platform never sees a null data pointer.
    explicit LocalBuffer(DWORD size)
        : m_data(static_cast<BYTE*>(::LocalAlloc(LPTR, size ? size : 1))), m_size(size) {}
    ~LocalBuffer() { if (m_data) ::LocalFree(m_data); }
    LocalBuffer(const LocalBuffer&) = delete;
    LocalBuffer& operator=(const LocalBuffer&) = delete;

    bool IsValid() const { return m_data != nullptr; }
    BYTE* Data() const { return m_data; }
    DWORD Size() const { return m_size; }

private:
    BYTE* m_data;
    DWORD m_size;
};

// Appends each zero-terminated string of data, up to the first empty one or the end of data;
// a last string that the data ends without a terminator still counts.
void SplitMultiString(const BYTE* data, DWORD size, CStringArray& strings)
{
    DWORD start = 0;
    while (start < size) {
        DWORD end = start;
        while (end < size && data[end] != 0)
            ++end;
        if (end == start)
            break;
        strings.Add(CString(reinterpret_cast<const char*>(data + start), static_cast<int>(end - start)));
        start = end + 1;
    }
}

// A name or path names a key only when something follows its last separator: "" would name the
// open key itself and "\\" the whole root.
bool NamesAKey(const char* nameOrPath)
{
    const char* lastSeparator = std::strrchr(nameOrPath, '\\');
    return (lastSeparator ? lastSeparator[1] : nameOrPath[0]) != '\0';
}

// Whether the ANSI name the enumeration gave for the sub-key at index is that key's own name. A
// name the code page cannot hold comes back with '?' or a look-alike (U+0100 as "A", U+FF3C as
// "\\"), and opening it would reach another key or none.
bool IsExactName(HKEY key, DWORD index, const char* ansiName)
{
    WCHAR wideName[kNameBufferSize];
    DWORD wideLength = kNameBufferSize;
    const LONG code = ::RegEnumKeyExW(key, index, wideName, &wideLength, nullptr, nullptr, nullptr, nullptr);
    if (code == ERROR_CALL_NOT_IMPLEMENTED)
        return true;   // Windows 95 and 98 keep ANSI names only
    if (code != ERROR_SUCCESS)
        return false;
    WCHAR spelled[kNameBufferSize];
    const int spelledLength = ::MultiByteToWideChar(CP_ACP, 0, ansiName, -1, spelled, kNameBufferSize);
    return spelledLength == static_cast<int>(wideLength) + 1 && std::wmemcmp(spelled, wideName, wideLength) == 0;
}

// Deletes the key behind an open handle, never looking its name up again: a link opened as a link
// goes, not the key it leads to. Windows 95 and 98 have neither NtDeleteKey nor registry links.
LONG DeleteOpenKey(HKEY key, HKEY parent, const char* name)
{
    using NtDeleteKeyFn = LONG(NTAPI*)(HANDLE);
    using StatusToErrorFn = ULONG(NTAPI*)(LONG);
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    const auto deleteKey = reinterpret_cast<NtDeleteKeyFn>(
        reinterpret_cast<void*>(ntdll ? ::GetProcAddress(ntdll, "NtDeleteKey") : nullptr));
    const auto toError = reinterpret_cast<StatusToErrorFn>(
        reinterpret_cast<void*>(ntdll ? ::GetProcAddress(ntdll, "RtlNtStatusToDosError") : nullptr));
    if (!deleteKey || !toError)
        return ::RegDeleteKeyA(parent, name);
    return static_cast<LONG>(toError(deleteKey(key)));
}

// A key the tree walk is in: its handle (a link's own), the name it was opened by under the key
// one level up, and the index of the next sub-key to ask for.
struct TreeLevel {
    UniqueKey key;
    std::string name;
    DWORD nextIndex;
};

using TreeLevels = std::vector<TreeLevel>;

// Opens the key name under parent as itself and makes it the deepest level.
LONG EnterKey(TreeLevels& levels, HKEY parent, const char* name)
{
    UniqueKey key;
    const LONG code = ::RegOpenKeyExA(parent, name, REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, key.receive());
    if (code == ERROR_SUCCESS)
        levels.push_back(TreeLevel{std::move(key), name, 0});
    return code;
}

// Finds the next sub-key of level that can be opened by its ANSI name, and puts the name in
// childName (kNameBufferSize long); false when the enumeration has nothing more.
bool NextChildName(TreeLevel& level, char* childName)
{
    for (;; ++level.nextIndex) {
        const LONG code = ::RegEnumKeyA(level.key.get(), level.nextIndex, childName, kNameBufferSize);
        if (code != ERROR_SUCCESS && code != ERROR_MORE_DATA)
            return false;
        if (code == ERROR_SUCCESS && IsExactName(level.key.get(), level.nextIndex, childName))
            return true;
    }
}

// The handle the deepest level was opened under: the level above it, or the walk's own parent.
HKEY ParentOfDeepest(const TreeLevels& levels, HKEY treeParent)
{
    return levels.size() > 1 ? levels[levels.size() - 2].key.get() : treeParent;
}

// Deletes the key name under parent with its tree, children before their parent.
LONG DeleteTreeLevels(HKEY parent, const char* name)
{
    TreeLevels levels;
    char childName[kNameBufferSize];
    LONG code = EnterKey(levels, parent, name);
    while (code == ERROR_SUCCESS && !levels.empty()) {
        TreeLevel& deepest = levels.back();
        if (NextChildName(deepest, childName)) {
            code = EnterKey(levels, deepest.key.get(), childName);
        } else {
            code = DeleteOpenKey(deepest.key.get(), ParentOfDeepest(levels, parent), deepest.name.c_str());
            levels.pop_back();
        }
    }
    return code;
}

}  // namespace

CRegistry::CRegistry()
{
    Reset();
}

CRegistry::~CRegistry()
{
    CRegistry::Close();
    Reset();
}

void CRegistry::Reset()
{
    m_KeyHandle = nullptr;
    m_RootHandle = nullptr;
    m_ErrorCode = ERROR_SUCCESS;
    m_ClassName.Empty();
    m_MachineName.Empty();
    m_KeyName.Empty();
    m_RootName.Empty();
    m_SubkeyCount = 0;
    m_ValueCount = 0;
    m_LongestSubkeyName = 0;
    m_LongestClassName = 0;
    m_LongestValueName = 0;
    m_LongestValueData = 0;
    m_SecurityDescriptorSize = 0;
    m_LastWriteTime = FILETIME{};
}

BOOL CRegistry::Succeeded(LONG code)
{
    m_ErrorCode = code;
    return code == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL CRegistry::Fail(LONG code)
{
    m_ErrorCode = code;
    return FALSE;
}

// The name belongs to the open key: without a key there is no name.
void CRegistry::CloseKey()
{
    if (m_KeyHandle) {
        ::RegCloseKey(m_KeyHandle);
        m_KeyHandle = nullptr;
    }
    m_KeyName.Empty();
}

BOOL CRegistry::Close()
{
    CloseKey();
    if (!m_RootHandle)
        return TRUE;
    if (!Succeeded(::RegCloseKey(m_RootHandle)))
        return FALSE;
    m_RootHandle = nullptr;
    Reset();
    return TRUE;
}

BOOL CRegistry::Connect(HKEY root, const char* machineName)
{
    try {
        // The platform takes an empty machine name for the local one; so do we.
        const bool remote = machineName && *machineName;
        if (IsLocalOnlyRoot(root)) {
            if (remote)
                return Fail(ERROR_INVALID_HANDLE);
            m_RootHandle = root;
            m_ErrorCode = ERROR_SUCCESS;
        } else {
            // A failed attempt must not wipe the handle of an earlier connection.
            HKEY connected = nullptr;
            if (!Succeeded(::RegConnectRegistryA(remote ? machineName : nullptr, root, &connected)))
                return FALSE;
            m_RootHandle = connected;
        }
        m_MachineName = remote ? CString(machineName) : LocalComputerName();
        m_RootName = NameOfRoot(root);
        return TRUE;
    } catch (const std::exception&) {
        return Fail(kExceptionCaught);
    }
}

BOOL CRegistry::Create(const char* path, const char* className, DWORD options, REGSAM access,
                       LPSECURITY_ATTRIBUTES security, LPDWORD disposition)
{
    if (!path)
        return Fail(ERROR_INVALID_PARAMETER);
    try {
        CloseKey();
        char emptyClass[] = "";
        char* keyClass = className ? const_cast<char*>(className) : emptyClass;
        HKEY created = nullptr;
        DWORD createdDisposition = 0;
        if (!Succeeded(::RegCreateKeyExA(m_RootHandle, path, 0, keyClass, options, access, security,
                                         &created, &createdDisposition)))
            return FALSE;
        m_KeyHandle = created;
        if (disposition)
            *disposition = createdDisposition;
        m_KeyName = path;
        return TRUE;
    } catch (const std::exception&) {
        return Fail(kExceptionCaught);
    }
}

BOOL CRegistry::Open(const char* path, REGSAM access)
{
    try {
        CloseKey();
        HKEY opened = nullptr;
        if (!Succeeded(::RegOpenKeyExA(m_RootHandle, path, 0, access, &opened)))
            return FALSE;
        m_KeyHandle = opened;
        // A key opened without KEY_QUERY_VALUE cannot report its counts; it is open all the same.
        QueryInfo();
        m_KeyName = path;
        m_ErrorCode = ERROR_SUCCESS;
        return TRUE;
    } catch (const std::exception&) {
        return Fail(kExceptionCaught);
    }
}

BOOL CRegistry::DeleteKey(const char* nameOrPath)
{
    if (!nameOrPath || !NamesAKey(nameOrPath))
        return Fail(ERROR_INVALID_PARAMETER);
    const char* lastSeparator = std::strrchr(nameOrPath, '\\');
    if (!lastSeparator)
        return Succeeded(DeleteKeyTree(m_KeyHandle, nameOrPath));
    try {
        const CString parentPath(nameOrPath, static_cast<int>(lastSeparator - nameOrPath));
        if (Open(parentPath, KEY_ALL_ACCESS) && Succeeded(DeleteKeyTree(m_KeyHandle, lastSeparator + 1)))
            return TRUE;
    } catch (const std::exception&) {
        m_ErrorCode = kExceptionCaught;
    }
    // Whichever step failed, the caller finds no key open and no name.
    CloseKey();
    return FALSE;
}

// The walk over a key tree is on the heap, one level per key it is in, so a tree of any depth
// costs no stack. Every key is opened as itself, a link as the link, under the handle of the
// key above it, and deleted through its own handle: nothing outside the tree is ever reached.
// Deleting a sub-key moves the next one to the index it had, so a level asks for the same index
// again; a sub-key passed over (a name too long for the buffer, or one the code page cannot
// spell) moves the level one index on, and its parent then stays. A key that cannot be opened or
// deleted ends the whole walk with its code, so a key that stays is never asked for again.
LONG CRegistry::DeleteKeyTree(HKEY parent, const char* name)
{
    try {
        return DeleteTreeLevels(parent, name);
    } catch (const std::exception&) {
        return ERROR_NOT_ENOUGH_MEMORY;   // the only way the levels' containers fail
    }
}

BOOL CRegistry::DeleteValue(const char* name)
{
    return Succeeded(::RegDeleteValueA(m_KeyHandle, name));
}

BOOL CRegistry::EnumKey(DWORD index, CString& name, CString& className)
{
    char nameBuffer[kTextBufferSize] = {};
    char classBuffer[kTextBufferSize] = {};
    DWORD nameSize = sizeof nameBuffer - 1;
    DWORD classSize = sizeof classBuffer - 1;
    if (!Succeeded(::RegEnumKeyExA(m_KeyHandle, index, nameBuffer, &nameSize, nullptr, classBuffer,
                                   &classSize, &m_LastWriteTime)))
        return FALSE;
    name = nameBuffer;
    className = classBuffer;
    return TRUE;
}

BOOL CRegistry::EnumValue(DWORD index, CString& name, DWORD& type, LPBYTE data, DWORD& size)
{
    try {
        char nameBuffer[kTextBufferSize] = {};
        DWORD nameSize = kTextBufferSize;
        DWORD storedType = type;
        if (!Succeeded(::RegEnumValueA(m_KeyHandle, index, nameBuffer, &nameSize, nullptr, &storedType,
                                       data, &size)))
            return FALSE;
        type = storedType;
        name = nameBuffer;
        return TRUE;
    } catch (const std::exception&) {
        return Fail(kExceptionCaught);
    }
}

BOOL CRegistry::Flush()
{
    return Succeeded(::RegFlushKey(m_KeyHandle));
}

BOOL CRegistry::QueryInfo()
{
    char classBuffer[kTextBufferSize] = {};
    DWORD classSize = kTextBufferSize - 1;
    if (!Succeeded(::RegQueryInfoKeyA(m_KeyHandle, classBuffer, &classSize, nullptr, &m_SubkeyCount,
                                      &m_LongestSubkeyName, &m_LongestClassName, &m_ValueCount,
                                      &m_LongestValueName, &m_LongestValueData, &m_SecurityDescriptorSize,
                                      &m_LastWriteTime)))
        return FALSE;
    m_ClassName = classBuffer;
    return TRUE;
}

BOOL CRegistry::QueryValue(const char* name, DWORD& type, LPBYTE data, DWORD& size)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD storedType = type;
    if (!Succeeded(::RegQueryValueExA(m_KeyHandle, name, nullptr, &storedType, data, &size)))
        return FALSE;
    type = storedType;
    return TRUE;
}

BOOL CRegistry::GetStringValue(const char* name, CString& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    char buffer[kTextBufferSize] = {};
    DWORD type = REG_SZ;
    DWORD size = kTextBufferSize;
    // A 2048-byte value stored without its terminator fills the whole buffer: strnlen keeps to it.
    if (!QueryValue(name, type, reinterpret_cast<BYTE*>(buffer), size)) {
        value.Empty();
        return FALSE;
    }
    value = CString(buffer, static_cast<int>(strnlen(buffer, kTextBufferSize)));
    return TRUE;
}

// Only a value of exactly four bytes is a number: a shorter one would leave the caller's upper
// bytes as they were, a longer one would be cut. The caller's variable changes only on success.
BOOL CRegistry::GetDwordValue(const char* name, DWORD& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD number = 0;
    DWORD type = REG_DWORD;
    DWORD size = sizeof(number);
    if (!QueryValue(name, type, reinterpret_cast<BYTE*>(&number), size))
        return m_ErrorCode == ERROR_MORE_DATA ? Fail(ERROR_INVALID_DATA) : FALSE;
    if (size != sizeof(number))
        return Fail(ERROR_INVALID_DATA);
    value = number;
    return TRUE;
}

BOOL CRegistry::ReadWholeValue(const char* name, DWORD type, CByteArray& bytes)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    QueryInfo();
    LocalBuffer buffer(m_LongestValueData);
    if (!buffer.IsValid())
        return Fail(static_cast<LONG>(::GetLastError()));
    DWORD size = buffer.Size();
    if (!QueryValue(name, type, buffer.Data(), size))
        return FALSE;
    bytes.RemoveAll();
    for (DWORD i = 0; i < size; ++i)
        bytes.Add(buffer.Data()[i]);
    return TRUE;
}

BOOL CRegistry::GetBinaryValue(const char* name, CByteArray& value)
{
    return ReadWholeValue(name, REG_BINARY, value);
}

BOOL CRegistry::GetMultiStringValue(const char* name, CStringArray& value)
{
    CByteArray bytes;
    if (!ReadWholeValue(name, REG_MULTI_SZ, bytes))
        return FALSE;
    value.RemoveAll();
    SplitMultiString(bytes.GetData(), static_cast<DWORD>(bytes.GetSize()), value);
    return TRUE;
}

BOOL CRegistry::GetValue(const char* name, CStringArray& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetMultiStringValue(name, value);
}

BOOL CRegistry::GetValue(const char* name, CString& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetStringValue(name, value);
}

BOOL CRegistry::GetValue(const char* name, DWORD& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetDwordValue(name, value);
}

BOOL CRegistry::GetValue(const char* name, CByteArray& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetBinaryValue(name, value);
}

BOOL CRegistry::SetValue(const char* name, DWORD type, const BYTE* data, DWORD size)
{
    if (!name || !data)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegSetValueExA(m_KeyHandle, name, 0, type, data, size));
}

BOOL CRegistry::SetStringValue(const char* name, const CString& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetValue(name, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                    static_cast<DWORD>(value.GetLength()) + 1);
}

BOOL CRegistry::SetDwordValue(const char* name, DWORD value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetValue(name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

BOOL CRegistry::SetBinaryValue(const char* name, const CByteArray& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    LocalBuffer buffer(static_cast<DWORD>(value.GetSize()));
    if (!buffer.IsValid())
        return Fail(static_cast<LONG>(::GetLastError()));
    if (buffer.Size() > 0)
        std::memcpy(buffer.Data(), value.GetData(), buffer.Size());
    return SetValue(name, REG_BINARY, buffer.Data(), buffer.Size());
}

// Each string with its terminator, back to back, and one more zero closing the list;
// an empty array is that single zero.
BOOL CRegistry::SetMultiStringValue(const char* name, const CStringArray& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD size = 1;
    for (int i = 0; i < value.GetSize(); ++i)
        size += static_cast<DWORD>(value[i].GetLength()) + 1;
    LocalBuffer buffer(size);
    if (!buffer.IsValid())
        return Fail(static_cast<LONG>(::GetLastError()));
    DWORD offset = 0;
    for (int i = 0; i < value.GetSize(); ++i) {
        const DWORD length = static_cast<DWORD>(value[i].GetLength()) + 1;
        std::memcpy(buffer.Data() + offset, value[i].GetString(), length);
        offset += length;
    }
    return SetValue(name, REG_MULTI_SZ, buffer.Data(), size);
}

BOOL CRegistry::SetValue(const char* name, const CString& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetStringValue(name, value);
}

BOOL CRegistry::SetValue(const char* name, const CStringArray& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetMultiStringValue(name, value);
}

BOOL CRegistry::SetValue(const char* name, DWORD value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetDwordValue(name, value);
}

BOOL CRegistry::SetValue(const char* name, const CByteArray& value)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetBinaryValue(name, value);
}

void CRegistry::GetKeyClass(CString& className) const
{
    className = m_ClassName;
}

void CRegistry::GetMachineName(CString& machineName) const
{
    machineName = m_MachineName;
}

void CRegistry::GetKeyName(CString& keyName) const
{
    keyName = m_KeyName;
}

void CRegistry::GetRootName(CString& rootName) const
{
    rootName = m_RootName;
}

LONG CRegistry::GetLastErrorCode() const
{
    return m_ErrorCode;
}

DWORD CRegistry::GetSubkeyCount() const
{
    return m_SubkeyCount;
}

DWORD CRegistry::GetValueCount() const
{
    return m_ValueCount;
}

BOOL CRegistry::GetSecurity(SECURITY_INFORMATION flags, PSECURITY_DESCRIPTOR descriptor, DWORD& size)
{
    if (!descriptor)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegGetKeySecurity(m_KeyHandle, flags, descriptor, &size));
}

BOOL CRegistry::SetSecurity(SECURITY_INFORMATION& flags, PSECURITY_DESCRIPTOR descriptor)
{
    if (!descriptor)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegSetKeySecurity(m_KeyHandle, flags, descriptor));
}

BOOL CRegistry::NotifyChange(HANDLE event, DWORD filter, BOOL watchSubtree, BOOL asynchronous)
{
    return Succeeded(::RegNotifyChangeKeyValue(m_KeyHandle, watchSubtree, filter, event, asynchronous));
}

BOOL CRegistry::LoadKey(const char* subkeyName, const char* fileName)
{
    if (!subkeyName || !fileName)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegLoadKeyA(m_RootHandle, subkeyName, fileName));
}

BOOL CRegistry::UnLoadKey(const char* subkeyName)
{
    if (!subkeyName)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegUnLoadKeyA(m_KeyHandle, subkeyName));
}

BOOL CRegistry::ReplaceKey(const char* subkeyName, const char* newFile, const char* oldFile)
{
    if (!subkeyName || !newFile || !oldFile)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegReplaceKeyA(m_KeyHandle, subkeyName, newFile, oldFile));
}

BOOL CRegistry::RestoreKey(const char* fileName, DWORD flags)
{
    if (!fileName)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegRestoreKeyA(m_KeyHandle, fileName, flags));
}

BOOL CRegistry::SaveKey(const char* fileName, LPSECURITY_ATTRIBUTES security)
{
    if (!fileName)
        return Fail(ERROR_INVALID_PARAMETER);
    return Succeeded(::RegSaveKeyA(m_KeyHandle, fileName, security));
}

const char* CRegistry::NameOfRoot(HKEY root)
{
    for (const RootName& entry : kRootNames) {
        if (entry.root == root)
            return entry.name;
    }
    return "Unknown";
}
