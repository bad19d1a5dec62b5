#include "engine/NativeFiles.h"

#include <winternl.h>

#include <cstddef>

namespace {

const LONG kSuccess = 0;
const LONG kNoMoreFiles = static_cast<LONG>(0x80000006);
const LONG kNoSuchFile = static_cast<LONG>(0xC000000F);
const LONG kBufferOverflow = static_cast<LONG>(0x80000005);
const LONG kInvalidInfoClass = static_cast<LONG>(0xC0000003);
const LONG kNotImplemented = static_cast<LONG>(0xC0000002);
const LONG kCallMissing = kNotImplemented;
const ULONG kCaseInsensitive = 0x40;   // OBJ_CASE_INSENSITIVE

// Information classes, as the system numbers them.
const int kDirectoryInformation = 1;
const int kBasicInformation = 4;
const int kStandardInformation = 5;
const int kInternalInformation = 6;
const int kNameInformation = 9;
const int kDispositionInformation = 13;
const int kIdBothDirectoryInformation = 37;
const int kVolumeInformation = 1;

using NtOpenFileCall = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, IO_STATUS_BLOCK*, ULONG, ULONG);
using NtQueryDirectoryFileCall = LONG(NTAPI*)(HANDLE, HANDLE, void*, void*, IO_STATUS_BLOCK*, void*, ULONG, int,
                                              BOOLEAN, UNICODE_STRING*, BOOLEAN);
using NtFileInformationCall = LONG(NTAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);

struct Calls {
    NtOpenFileCall open;
    NtQueryDirectoryFileCall queryDirectory;
    NtFileInformationCall queryInformation;
    NtFileInformationCall setInformation;
    NtFileInformationCall queryVolume;
};

template <typename Fn>
void Find(HMODULE module, const char* name, Fn& fn)
{
    fn = module ? reinterpret_cast<Fn>(::GetProcAddress(module, name)) : nullptr;
}

const Calls& Ntdll()
{
    static const Calls calls = [] {
        Calls found = {};
        const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
        Find(ntdll, "NtOpenFile", found.open);
        Find(ntdll, "NtQueryDirectoryFile", found.queryDirectory);
        Find(ntdll, "NtQueryInformationFile", found.queryInformation);
        Find(ntdll, "NtSetInformationFile", found.setInformation);
        Find(ntdll, "NtQueryVolumeInformationFile", found.queryVolume);
        return found;
    }();
    return calls;
}

// The records as the system lays them out; some members only hold their place.
// The listing records. Windows 2000 knows only the plain one, without file identities.
struct IdBothDirectoryRecord {
    ULONG nextEntryOffset;
    // cppcheck-suppress unusedStructMember
    ULONG fileIndex;
    LARGE_INTEGER times[4];
    LARGE_INTEGER endOfFile;
    LARGE_INTEGER allocationSize;
    ULONG fileAttributes;
    ULONG fileNameLength;
    // cppcheck-suppress unusedStructMember
    ULONG eaSize;
    // cppcheck-suppress unusedStructMember
    CCHAR shortNameLength;
    // cppcheck-suppress unusedStructMember
    WCHAR shortName[12];
    LARGE_INTEGER fileId;
    WCHAR fileName[1];
};

struct DirectoryRecord {
    ULONG nextEntryOffset;
    // cppcheck-suppress unusedStructMember
    ULONG fileIndex;
    LARGE_INTEGER times[4];
    LARGE_INTEGER endOfFile;
    LARGE_INTEGER allocationSize;
    ULONG fileAttributes;
    ULONG fileNameLength;
    WCHAR fileName[1];
};

struct BasicRecord {
    LARGE_INTEGER times[4];
    ULONG fileAttributes;
};

struct VolumeRecord {
    LARGE_INTEGER creationTime;
    ULONG serialNumber;
    // cppcheck-suppress unusedStructMember
    ULONG labelLength;
    // cppcheck-suppress unusedStructMember
    BOOLEAN supportsObjects;
    // cppcheck-suppress unusedStructMember
    WCHAR label[64];
};

int g_listingClass = kIdBothDirectoryInformation;
NativeFiles::CallCount g_callsMade;

// One buffer for listings and names: the engine runs on one thread and reads each before the
// next call. 64 KB holds the longest path the system names.
LONGLONG* SharedBuffer(ULONG& bytes)
{
    static LONGLONG buffer[65536 / sizeof(LONGLONG) + 8];
    bytes = sizeof buffer;
    return buffer;
}

template <typename Record>
void AppendRecords(const char* at, std::vector<ListedEntry>& entries, bool withId)
{
    for (;;) {
        const Record* record = reinterpret_cast<const Record*>(at);
        ListedEntry entry;
        entry.name.assign(record->fileName, record->fileNameLength / sizeof(WCHAR));
        entry.attributes = record->fileAttributes;
        entry.size = static_cast<ULONGLONG>(record->endOfFile.QuadPart);
        if (withId)
            entry.fileId = static_cast<ULONGLONG>(reinterpret_cast<const IdBothDirectoryRecord*>(at)->fileId.QuadPart);
        entries.push_back(std::move(entry));
        if (record->nextEntryOffset == 0)
            return;
        at += record->nextEntryOffset;
    }
}

LONG QueryInformation(HANDLE handle, void* buffer, ULONG bytes, int informationClass)
{
    if (!Ntdll().queryInformation)
        return kCallMissing;
    IO_STATUS_BLOCK status = {};
    ++g_callsMade.calls;
    return Ntdll().queryInformation(handle, &status, buffer, bytes, informationClass);
}

}  // namespace

namespace NativeFiles {

bool Available()
{
    const Calls& calls = Ntdll();
    return calls.open && calls.queryDirectory && calls.queryInformation && calls.setInformation && calls.queryVolume;
}

bool Open(HANDLE folder, const std::wstring& name, DWORD access, DWORD share, DWORD options, UniqueFile& opened)
{
    opened.reset();
    if (!Ntdll().open || name.size() * sizeof(WCHAR) > 0xFFF0)
        return false;
    UNICODE_STRING text;
    text.Buffer = const_cast<PWSTR>(name.c_str());
    text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(WCHAR));
    OBJECT_ATTRIBUTES attributes = {};
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = folder;
    attributes.ObjectName = &text;
    attributes.Attributes = kCaseInsensitive;
    IO_STATUS_BLOCK status = {};
    HANDLE handle = nullptr;
    ++g_callsMade.calls;
    const LONG result = Ntdll().open(&handle, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &status, share,
                                     options | FILE_SYNCHRONOUS_IO_NONALERT);
    if (result != kSuccess)
        return false;
    opened.reset(handle);
    ++g_callsMade.opens;
    return static_cast<bool>(opened);
}

Listing ReadListing(HANDLE folder, const std::wstring& mask, bool restart, std::vector<ListedEntry>& entries)
{
    if (!Ntdll().queryDirectory)
        return Listing::kFailed;
    UNICODE_STRING text;
    text.Buffer = const_cast<PWSTR>(mask.c_str());
    text.Length = text.MaximumLength = static_cast<USHORT>(mask.size() * sizeof(WCHAR));
    ULONG bytes = 0;
    LONGLONG* buffer = SharedBuffer(bytes);
    for (;;) {
        IO_STATUS_BLOCK status = {};
        ++g_callsMade.calls;
        const LONG result = Ntdll().queryDirectory(folder, nullptr, nullptr, nullptr, &status, buffer, bytes,
                                                   g_listingClass, FALSE, mask.empty() ? nullptr : &text,
                                                   restart ? TRUE : FALSE);
        if (result == kInvalidInfoClass && g_listingClass == kIdBothDirectoryInformation) {
            g_listingClass = kDirectoryInformation;
            continue;
        }
        if (result == kNoMoreFiles || result == kNoSuchFile || (result == kSuccess && status.Information == 0))
            return Listing::kEnded;
        if (result != kSuccess)
            return Listing::kFailed;
        const char* first = reinterpret_cast<const char*>(buffer);
        if (g_listingClass == kIdBothDirectoryInformation)
            AppendRecords<IdBothDirectoryRecord>(first, entries, true);
        else
            AppendRecords<DirectoryRecord>(first, entries, false);
        return Listing::kPartRead;
    }
}

bool Attributes(HANDLE handle, DWORD& attributes)
{
    BasicRecord basic = {};
    if (QueryInformation(handle, &basic, sizeof basic, kBasicInformation) != kSuccess)
        return false;
    attributes = basic.fileAttributes;
    return true;
}

bool Size(HANDLE handle, ULONGLONG& size)
{
    struct {
        LARGE_INTEGER allocationSize;
        LARGE_INTEGER endOfFile;
        // cppcheck-suppress unusedStructMember
        ULONG numberOfLinks;
        // cppcheck-suppress unusedStructMember
        BOOLEAN deletePending;
        // cppcheck-suppress unusedStructMember
        BOOLEAN directory;
    } standard = {};
    if (QueryInformation(handle, &standard, sizeof standard, kStandardInformation) != kSuccess)
        return false;
    size = static_cast<ULONGLONG>(standard.endOfFile.QuadPart);
    return true;
}

bool FileId(HANDLE handle, ULONGLONG& fileId)
{
    LARGE_INTEGER index = {};
    if (QueryInformation(handle, &index, sizeof index, kInternalInformation) != kSuccess)
        return false;
    fileId = static_cast<ULONGLONG>(index.QuadPart);
    return true;
}

bool VolumeSerial(HANDLE handle, DWORD& serial)
{
    if (!Ntdll().queryVolume)
        return false;
    VolumeRecord volume = {};
    IO_STATUS_BLOCK status = {};
    ++g_callsMade.calls;
    const LONG result = Ntdll().queryVolume(handle, &status, &volume, sizeof volume, kVolumeInformation);
    if (result != kSuccess && result != kBufferOverflow)
        return false;
    serial = volume.serialNumber;
    return true;
}

bool VolumePath(HANDLE handle, std::wstring& path)
{
    ULONG bytes = 0;
    LONGLONG* buffer = SharedBuffer(bytes);
    if (QueryInformation(handle, buffer, bytes, kNameInformation) != kSuccess)
        return false;
    const ULONG length = *reinterpret_cast<const ULONG*>(buffer);
    if (length > bytes - sizeof(ULONG))
        return false;
    path.assign(reinterpret_cast<const WCHAR*>(reinterpret_cast<const char*>(buffer) + sizeof(ULONG)),
                length / sizeof(WCHAR));
    return true;
}

bool MarkForDeletion(HANDLE handle)
{
    if (!Ntdll().setInformation)
        return false;
    BOOLEAN deleteFile = TRUE;
    IO_STATUS_BLOCK status = {};
    ++g_callsMade.calls;
    return Ntdll().setInformation(handle, &status, &deleteFile, sizeof deleteFile, kDispositionInformation) ==
           kSuccess;
}

CallCount CallsMade()
{
    return g_callsMade;
}

}  // namespace NativeFiles
