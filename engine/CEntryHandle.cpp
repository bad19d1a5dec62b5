// The handle calls and their structures came with Windows Vista: declared here as for Vista,
// found at run time, and used only where they are, so that the program still starts elsewhere.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600

#include "engine/CEntryHandle.h"

#include "engine/PathParts.h"
#include "framework/CString.h"

#include <winternl.h>

#include <new>
#include <vector>

namespace {

struct HandleCalls {
    decltype(&::GetFileInformationByHandleEx) getInformation;
    decltype(&::SetFileInformationByHandle) setInformation;
    decltype(&::GetFinalPathNameByHandleW) finalPath;
    decltype(&::NtQueryObject) queryObject;
};

template <typename Fn>
void Find(HMODULE module, const char* name, Fn& fn)
{
    fn = module ? reinterpret_cast<Fn>(::GetProcAddress(module, name)) : nullptr;
}

const HandleCalls& Calls()
{
    static const HandleCalls calls = [] {
        HandleCalls found = {};
        const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
        Find(kernel, "GetFileInformationByHandleEx", found.getInformation);
        Find(kernel, "SetFileInformationByHandle", found.setInformation);
        Find(kernel, "GetFinalPathNameByHandleW", found.finalPath);
        Find(::GetModuleHandleA("ntdll.dll"), "NtQueryObject", found.queryObject);
        return found;
    }();
    return calls;
}

// Shared with readers and writers, never with someone who would rename or delete the folder
// while a walk is inside it.
const DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
const DWORD kListingBufferBytes = 16384;

CEntryHandle::OpenHook g_openHook = nullptr;

bool ReadAttributes(HANDLE handle, DWORD& attributes)
{
    FILE_BASIC_INFO info = {};
    if (!Calls().getInformation || !Calls().getInformation(handle, FileBasicInfo, &info, sizeof info))
        return false;
    attributes = info.FileAttributes;
    return true;
}

bool IsOfKind(DWORD attributes, CEntryHandle::Kind kind)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return false;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return kind == CEntryHandle::kAnyKind || folder == (kind == CEntryHandle::kFolder);
}

// Wine 8 answers GetFinalPathNameByHandleW from a MAX_PATH buffer and fails on longer paths; its
// NtQueryObject gives the same name, "\??\X:\...", without that limit. Windows names a device
// there ("\Device\HarddiskVolume2\..."), which is never taken.
std::wstring ObjectNameOf(HANDLE handle)
{
    if (!Calls().queryObject)
        return std::wstring();
    std::vector<LONGLONG> buffer(8192);   // 64 KB: the longest name and its header
    ULONG length = 0;
    if (Calls().queryObject(handle, ObjectNameInformation, buffer.data(),
                            static_cast<ULONG>(buffer.size() * sizeof(LONGLONG)), &length) != 0)
        return std::wstring();
    const UNICODE_STRING& name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data())->Name;
    const std::wstring text(name.Buffer, name.Length / sizeof(WCHAR));
    if (text.compare(0, 4, L"\\??\\") != 0)
        return std::wstring();
    return L"\\\\?\\" + text.substr(4);
}

bool SameFile(HANDLE first, HANDLE second)
{
    BY_HANDLE_FILE_INFORMATION a = {};
    BY_HANDLE_FILE_INFORMATION b = {};
    return ::GetFileInformationByHandle(first, &a) && ::GetFileInformationByHandle(second, &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Calls onEntry with every name the wide listing of pattern gives, until it returns true.
template <typename OnEntry>
bool AnyListed(const std::wstring& pattern, OnEntry onEntry)
{
    WIN32_FIND_DATAW entry;
    const UniqueFind search(
        ::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search)
        return false;
    do {
        if (onEntry(entry))
            return true;
    } while (::FindNextFileW(search.get(), &entry));
    return false;
}

// Calls onName with each name of path and the folder that holds it, last name first, until it
// returns true.
template <typename OnName>
bool AnyNameOf(const std::wstring& path, OnName onName)
{
    std::wstring parent;
    std::wstring name;
    std::wstring rest = path;
    while (ParentAndName(rest, parent, name)) {
        if (onName(parent, name))
            return true;
        rest = parent;
    }
    return false;
}

bool HasNameEndingInDotOrBlank(const std::wstring& path)
{
    return AnyNameOf(path, [](const std::wstring&, const std::wstring& name) { return EndsInDotOrBlank(name); });
}

// Wine's final paths lose the trailing dots and blanks of a path's last name ("report." comes
// back as "report"), so a handle whose final path reads like that of a sibling differing only in
// them may be that sibling, reached through a link. True when the handle is on such a sibling.
bool IsOnASiblingTwin(HANDLE handle, const std::wstring& literalPath)
{
    std::wstring folder;
    std::wstring name;
    if (!ParentAndName(literalPath, folder, name))
        return true;
    const std::wstring bare = WithoutTrailingDots(name);
    return AnyListed(AppendName(folder, bare + L"*"), [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring twin(entry.cFileName);
        if (twin == name || IsDotName(twin) || WithoutTrailingDots(twin) != bare)
            return false;
        const UniqueFile other(::CreateFileW(AppendName(folder, twin).c_str(), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return !other || SameFile(handle, other.get());
    });
}

// Whether the handle opened by literalPath is that entry and not one a link led to.
bool ReachesItself(HANDLE handle, const std::wstring& finalPath, const std::wstring& literalPath)
{
    if (finalPath == literalPath)
        return true;
    // Wine renders names ending in dots or blanks without them (a folder "c.." inside a path as
    // "c."): where the path has such names, compare without them.
    if (!HasNameEndingInDotOrBlank(literalPath) || WithoutTrailingDots(finalPath) != WithoutTrailingDots(literalPath))
        return false;
    std::wstring folder;
    std::wstring name;
    return ParentAndName(literalPath, folder, name) && (!EndsInDotOrBlank(name) || !IsOnASiblingTwin(handle, literalPath));
}

// How Wine renders a folder's name inside the final paths of what lies below it: without one
// trailing dot ("N." and "N" both read "N").
std::wstring ShownInsideAPath(const std::wstring& name)
{
    return !name.empty() && name.back() == L'.' ? name.substr(0, name.size() - 1) : name;
}

// True when a name of path has a twin: a real folder beside it that reads the same inside final
// paths, so that what lies below the two could not be told apart.
bool HasTwinAlongThePath(const std::wstring& path)
{
    return AnyNameOf(path, [](const std::wstring& parent, const std::wstring& name) {
        const std::wstring shown = ShownInsideAPath(name);
        return AnyListed(AppendName(parent, shown + L"*"), [&](const WIN32_FIND_DATAW& entry) {
            const std::wstring other(entry.cFileName);
            const bool realFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                    !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
            return realFolder && other != name && !IsDotName(other) && ShownInsideAPath(other) == shown;
        });
    });
}

// The name as the folder holds it: exactly as given first, else another case or the short name.
std::wstring SpellingIn(const std::wstring& folder, const std::wstring& name)
{
    CString ansi;
    if (!AnsiNameOf(name, ansi))
        return std::wstring();
    std::wstring spelled;
    AnyListed(AppendName(folder, name), [&](const WIN32_FIND_DATAW& entry) {
        CString listed;
        if (!AnsiNameOf(entry.cFileName, listed))
            return false;
        if (name == entry.cFileName) {
            spelled = entry.cFileName;
            return true;
        }
        if (spelled.empty())
            spelled = entry.cFileName;
        return false;
    });
    return spelled;
}

CEntryHandle::Outcome DeleteThrough(CEntryHandle entry)
{
    if (!entry)
        return entry.GetState() == CEntryHandle::kNotOpened ? CEntryHandle::kNothingOpened : CEntryHandle::kKept;
    return entry.MarkForDeletion() ? CEntryHandle::kDeleted : CEntryHandle::kKept;
}

const DWORD kDeleteAccess = DELETE;
const DWORD kSharedWithNobody = 0;

}  // namespace

struct CEntryHandle::Listing {
    std::vector<LONGLONG> buffer = std::vector<LONGLONG>(kListingBufferBytes / sizeof(LONGLONG));
    const char* next = nullptr;
    bool done = false;
};

CEntryHandle::CEntryHandle() = default;
CEntryHandle::~CEntryHandle() = default;
CEntryHandle::CEntryHandle(CEntryHandle&& other) noexcept = default;
CEntryHandle& CEntryHandle::operator=(CEntryHandle&& other) noexcept = default;

CEntryHandle::OpenHook CEntryHandle::SetOpenHook(OpenHook hook)
{
    const OpenHook previous = g_openHook;
    g_openHook = hook;
    return previous;
}

std::wstring CEntryHandle::FinalPathOf(HANDLE handle)
{
    if (Calls().finalPath) {
        std::wstring path(MAX_PATH + 1, L'\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            const DWORD length = Calls().finalPath(handle, &path[0], static_cast<DWORD>(path.size()), 0);
            if (length == 0)
                break;
            if (length < path.size()) {
                path.resize(length);
                return path;
            }
            path.assign(length + 1, L'\0');
        }
    }
    return ObjectNameOf(handle);
}

CEntryHandle CEntryHandle::Open(const std::wstring& literalPath, Kind kind, DWORD access, DWORD share)
{
    CEntryHandle entry;
    entry.m_path = literalPath;
    if (g_openHook)
        g_openHook(literalPath);
    entry.m_file.reset(::CreateFileW(literalPath.c_str(), access | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry.m_file)
        return entry;
    entry.m_state = kNotItself;
    if (!ReadAttributes(entry.Get(), entry.m_attributes) || !IsOfKind(entry.m_attributes, kind))
        return entry;
    entry.m_finalPath = FinalPathOf(entry.Get());
    if (ReachesItself(entry.Get(), entry.m_finalPath, literalPath))
        entry.m_state = kItself;
    return entry;
}

CEntryHandle CEntryHandle::OpenFolderFollowing(const std::wstring& literalPath, DWORD access)
{
    CEntryHandle folder;
    folder.m_path = literalPath;
    if (literalPath.empty())
        return folder;
    folder.m_file.reset(::CreateFileW(literalPath.c_str(), access | FILE_READ_ATTRIBUTES, kFolderShare, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.m_file)
        return folder;
    folder.m_state = kNotItself;
    if (!ReadAttributes(folder.Get(), folder.m_attributes) || !(folder.m_attributes & FILE_ATTRIBUTE_DIRECTORY))
        return folder;
    folder.m_finalPath = FinalPathOf(folder.Get());
    if (!IsOnADrive(folder.m_finalPath))
        return folder;
    if (!ReachesItself(folder.Get(), folder.m_finalPath, literalPath)) {
        // Reached through a link, or spelled otherwise (another case, a short name): open it again
        // where it really is, and make sure that is the same folder.
        CEntryHandle real = Open(folder.m_finalPath, kFolder, access, kFolderShare);
        if (!real || !SameFile(real.Get(), folder.Get()))
            return folder;
        folder = std::move(real);
    }
    if (!HasTwinAlongThePath(folder.m_path))
        folder.m_state = kItself;
    return folder;
}

CEntryHandle CEntryHandle::OpenNamedIn(const CEntryHandle& folder, const std::wstring& name, Kind kind, DWORD access,
                                       DWORD share)
{
    if (!folder)
        return CEntryHandle();
    const std::wstring spelled = SpellingIn(folder.Path(), name);
    if (spelled.empty())
        return CEntryHandle();
    return Open(AppendName(folder.Path(), spelled), kind, access, share);
}

CEntryHandle CEntryHandle::OpenAt(const char* path, Kind kind, DWORD access, DWORD share)
{
    std::wstring folderPath;
    std::wstring name;
    if (!ParentAndName(LiteralPath(path), folderPath, name))
        return CEntryHandle();
    const CEntryHandle folder = OpenFolderFollowing(folderPath, 0);
    if (folder.GetState() == kNotItself) {
        CEntryHandle refused;
        refused.m_state = kNotItself;
        return refused;
    }
    return OpenNamedIn(folder, name, kind, access, share);
}

CEntryHandle::Outcome CEntryHandle::DeleteFile(const std::wstring& literalPath)
{
    return DeleteThrough(Open(literalPath, kFile, kDeleteAccess, kSharedWithNobody));
}

CEntryHandle::Outcome CEntryHandle::DeleteNamedFileIn(const CEntryHandle& folder, const std::wstring& name)
{
    return DeleteThrough(OpenNamedIn(folder, name, kFile, kDeleteAccess, kSharedWithNobody));
}

CEntryHandle::Outcome CEntryHandle::DeleteFileAt(const char* path)
{
    return DeleteThrough(OpenAt(path, kFile, kDeleteAccess, kSharedWithNobody));
}

BOOL CEntryHandle::MarkForDeletion()
{
    if (m_state != kItself || (m_attributes & FILE_ATTRIBUTE_READONLY) || !Calls().setInformation)
        return FALSE;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return Calls().setInformation(Get(), FileDispositionInfo, &disposition, sizeof disposition);
}

int CEntryHandle::NextEntry(ListedEntry& entry)
{
    if (!m_listing) {
        m_listing.reset(new (std::nothrow) Listing);
        if (!m_listing)
            return -1;
    }
    Listing& listing = *m_listing;
    if (!listing.next) {
        if (listing.done)
            return 0;
        const DWORD bytes = static_cast<DWORD>(listing.buffer.size() * sizeof(LONGLONG));
        if (!Calls().getInformation ||
            !Calls().getInformation(Get(), FileIdBothDirectoryInfo, listing.buffer.data(), bytes)) {
            listing.done = true;
            return ::GetLastError() == ERROR_NO_MORE_FILES ? 0 : -1;
        }
        listing.next = reinterpret_cast<const char*>(listing.buffer.data());
    }
    const FILE_ID_BOTH_DIR_INFO* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(listing.next);
    entry.name.assign(info->FileName, info->FileNameLength / sizeof(WCHAR));
    entry.attributes = info->FileAttributes;
    entry.fileId = static_cast<ULONGLONG>(info->FileId.QuadPart);
    listing.next = info->NextEntryOffset ? listing.next + info->NextEntryOffset : nullptr;
    return 1;
}
