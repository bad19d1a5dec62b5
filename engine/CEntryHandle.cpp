// GetFinalPathNameByHandleW came with Windows Vista: declared here as for Vista, found at run
// time, and used only where it is.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600

#include "engine/CEntryHandle.h"

#include "engine/PathParts.h"
#include "engine/RemovalScope.h"

#include <winternl.h>

#include <unordered_map>
#include <utility>

namespace {

using FinalPathCall = decltype(&::GetFinalPathNameByHandleW);
using QueryObjectCall = decltype(&::NtQueryObject);

template <typename Fn>
Fn Find(const char* module, const char* name)
{
    const HMODULE loaded = ::GetModuleHandleA(module);
    return loaded ? reinterpret_cast<Fn>(::GetProcAddress(loaded, name)) : nullptr;
}

// Shared with readers and writers, never with someone who would rename or delete the folder
// while the engine works inside it.
const DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
const DWORD kSharedWithAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
const DWORD kDeleteAccess = DELETE;
const DWORD kSharedWithNobody = 0;
// What no name inside a folder may hold: separators, and the wildcards a listing's mask reads.
const wchar_t kNotInAName[] = L"\\/:*?\"<>|";

CEntryHandle::OpenHook g_openHook = nullptr;

bool IsOfKind(DWORD attributes, CEntryHandle::Kind kind)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return false;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return kind == CEntryHandle::kAnyKind || folder == (kind == CEntryHandle::kFolder);
}

DWORD OpenOptionsFor(CEntryHandle::Kind kind)
{
    const DWORD options = NativeFiles::kNotFollowing | NativeFiles::kBackupIntent;
    if (kind == CEntryHandle::kFile)
        return options | NativeFiles::kFileOnly;
    return kind == CEntryHandle::kFolder ? options | NativeFiles::kFolderOnly : options;
}

bool IsPlainName(const std::wstring& name)
{
    return !name.empty() && !IsDotName(name) && name.find_first_of(kNotInAName) == std::wstring::npos;
}

// Wine 8 answers GetFinalPathNameByHandleW from a MAX_PATH buffer and fails on longer paths; its
// NtQueryObject gives the same name, "\??\X:\...", without that limit. Windows names a device
// there ("\Device\HarddiskVolume2\..."), which is never taken.
std::wstring ObjectNameOf(HANDLE handle)
{
    static const QueryObjectCall queryObject = Find<QueryObjectCall>("ntdll.dll", "NtQueryObject");
    if (!queryObject)
        return std::wstring();
    std::vector<LONGLONG> buffer(8192);   // 64 KB: the longest name and its header
    ULONG length = 0;
    if (queryObject(handle, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(LONGLONG)),
                    &length) != 0)
        return std::wstring();
    const UNICODE_STRING& name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data())->Name;
    const std::wstring text(name.Buffer, name.Length / sizeof(WCHAR));
    if (text.compare(0, 4, L"\\??\\") != 0)
        return std::wstring();
    return L"\\\\?\\" + text.substr(4);
}

// The handle's path on its volume, empty for the volume's root.
bool VolumeNamesOf(HANDLE handle, std::wstring& names)
{
    if (!NativeFiles::VolumePath(handle, names))
        return false;
    if (names == L"\\")
        names.clear();
    return true;
}

// Before Vista: the first local drive whose volume the handle is on, and the handle's path there.
std::wstring DrivePathOf(HANDLE handle)
{
    DWORD serial = 0;
    std::wstring names;
    if (!NativeFiles::VolumeSerial(handle, serial) || !VolumeNamesOf(handle, names))
        return std::wstring();
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + letter), L':', L'\\', 0};
        DWORD rootSerial = 0;
        const UINT type = (drives & (1u << letter)) ? ::GetDriveTypeW(root) : DRIVE_NO_ROOT_DIR;
        if ((type == DRIVE_FIXED || type == DRIVE_REMOVABLE) &&
            ::GetVolumeInformationW(root, nullptr, 0, &rootSerial, nullptr, nullptr, nullptr, 0) &&
            rootSerial == serial)
            return std::wstring(L"\\\\?\\") + root[0] + L':' + (names.empty() ? L"\\" : names);
    }
    return std::wstring();
}

bool SameFile(HANDLE first, HANDLE second)
{
    BY_HANDLE_FILE_INFORMATION a = {};
    BY_HANDLE_FILE_INFORMATION b = {};
    return ::GetFileInformationByHandle(first, &a) && ::GetFileInformationByHandle(second, &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Links are resolved in every path the platform names, so only real entries can read like
// another; a link to a file lists as a plain file, and counts.
bool CanReadAlike(const std::wstring& name, DWORD attributes)
{
    return !IsDotName(name) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Whether other, listed beside name, reads like it in the paths Wine names.
bool IsLookAlikeOf(const std::wstring& name, const std::wstring& other, DWORD otherAttributes)
{
    return other != name && CanReadAlike(other, otherAttributes) && ShownAsLastName(other) == ShownAsLastName(name);
}

// Whether a name of the path has a look-alike in the folder above it. Listed with the wide calls,
// once for each folder a walk or deletion starts in.
bool HasLookAlikeAlongThePath(const std::wstring& finalPath)
{
    std::wstring rest = finalPath;
    std::wstring parent;
    std::wstring name;
    while (ParentAndName(rest, parent, name)) {
        WIN32_FIND_DATAW entry;
        const UniqueFind search(::FindFirstFileExW(AppendName(parent, ShownAsLastName(name) + L"*").c_str(),
                                                   FindExInfoStandard, &entry, FindExSearchNameMatch, nullptr, 0));
        if (search) {
            do {
                if (IsLookAlikeOf(name, entry.cFileName, entry.dwFileAttributes))
                    return true;
            } while (::FindNextFileW(search.get(), &entry));
        }
        rest = parent;
    }
    return false;
}

// The entries of folder whose names the mask matches, read through a handle of its own: a
// listing keeps the mask it started with.
std::vector<ListedEntry> Matching(const CEntryHandle& folder, const std::wstring& mask)
{
    std::vector<ListedEntry> found;
    UniqueFile listing;
    if (!NativeFiles::Open(folder.Get(), std::wstring(), FILE_LIST_DIRECTORY, kSharedWithAll,
                           NativeFiles::kFolderOnly | NativeFiles::kBackupIntent, listing))
        return found;
    bool restart = true;
    while (NativeFiles::ReadListing(listing.get(), mask, restart, found) == NativeFiles::Listing::kPartRead)
        restart = false;
    return found;
}

// The listed entry that name reaches: the name itself first, else another spelling of it.
const ListedEntry* Spelled(const std::vector<ListedEntry>& entries, const std::wstring& name)
{
    const ListedEntry* spelled = nullptr;
    for (const ListedEntry& entry : entries) {
        if (entry.name == name)
            return &entry;
        if (!spelled && !IsDotName(entry.name))
            spelled = &entry;
    }
    return spelled;
}

// A preview opens an entry only to look at it; a clean opens it for deletion, shared with nobody.
DWORD RemovalAccess()
{
    return RemovalScope::Previewing() ? 0 : kDeleteAccess;
}

DWORD RemovalShare()
{
    return RemovalScope::Previewing() ? kSharedWithAll : kSharedWithNobody;
}

// Deletes the entry through its handle and counts it with bytes; a preview counts what a clean
// would try: an entry that is itself and not read-only.
CEntryHandle::Outcome Remove(CEntryHandle entry, ULONGLONG bytes)
{
    if (!entry)
        return entry.GetState() == CEntryHandle::kNotOpened ? CEntryHandle::kNothingOpened : CEntryHandle::kKept;
    if (RemovalScope::Previewing()) {
        if (!(entry.Attributes() & FILE_ATTRIBUTE_READONLY))
            RemovalScope::CountFile(bytes);
        return CEntryHandle::kKept;
    }
    if (!entry.MarkForDeletion())
        return CEntryHandle::kKept;
    RemovalScope::CountFile(bytes);
    return CEntryHandle::kDeleted;
}

CEntryHandle::Outcome RemoveOpened(CEntryHandle entry)
{
    ULONGLONG bytes = 0;
    if (entry)
        NativeFiles::Size(entry.Get(), bytes);
    return Remove(std::move(entry), bytes);
}

}  // namespace

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
    static const FinalPathCall finalPath = Find<FinalPathCall>("kernel32.dll", "GetFinalPathNameByHandleW");
    if (finalPath) {
        std::wstring path(MAX_PATH + 1, L'\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            const DWORD length = finalPath(handle, &path[0], static_cast<DWORD>(path.size()), 0);
            if (length == 0)
                break;
            if (length < path.size()) {
                path.resize(length);
                return path;
            }
            path.assign(length + 1, L'\0');
        }
    }
    const std::wstring objectName = ObjectNameOf(handle);
    return objectName.empty() && !finalPath ? DrivePathOf(handle) : objectName;
}

CEntryHandle CEntryHandle::OpenFolderFollowing(const std::wstring& literalPath, DWORD access)
{
    CEntryHandle folder;
    if (literalPath.empty() || !NativeFiles::Available())
        return folder;
    // Wine cannot name a folder whose name ends in a dot or blank by where it is: it is opened
    // by its name inside its folder, itself not followed.
    std::wstring parentPath;
    std::wstring name;
    if (ParentAndName(literalPath, parentPath, name) && ShownAsLastName(name) != name) {
        const CEntryHandle parent = OpenFolderFollowing(parentPath, 0);
        folder = OpenNamedIn(parent, name, kFolder, access | FILE_LIST_DIRECTORY, kFolderShare);
        folder.m_finalPath = AppendName(parent.FinalPath(), name);
        if (parent.GetState() == kNotItself)
            folder.m_state = kNotItself;
        return folder;
    }
    const UniqueFile followed(::CreateFileW(literalPath.c_str(), FILE_READ_ATTRIBUTES, kSharedWithAll, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!followed)
        return folder;
    folder.m_state = kNotItself;
    if (folder.TakeFolderWhereItIs(followed.get(), access) && !HasLookAlikeAlongThePath(folder.m_finalPath))
        folder.m_state = kItself;
    return folder;
}

// Opens the folder again by where followed really is, passing no link, and takes it when it is
// the same folder.
bool CEntryHandle::TakeFolderWhereItIs(HANDLE followed, DWORD access)
{
    m_finalPath = FinalPathOf(followed);
    std::wstring names;
    if (!SplitFinalPath(m_finalPath, m_volume, names))
        return false;
    const std::wstring ntPath = L"\\??\\" + m_finalPath.substr(4);
    if (!NativeFiles::Open(nullptr, ntPath, access | FILE_LIST_DIRECTORY, kFolderShare, OpenOptionsFor(kFolder),
                           m_file))
        return false;
    return NativeFiles::Attributes(Get(), m_attributes) && IsOfKind(m_attributes, kFolder) && SameFile(followed, Get()) &&
           NativeFiles::FileId(Get(), m_fileId) && NativeFiles::VolumeSerial(Get(), m_volumeSerial) &&
           VolumeNamesOf(Get(), m_names);
}

CEntryHandle CEntryHandle::OpenListed(const CEntryHandle& folder, const ListedEntry& listed, Kind kind, DWORD access,
                                      DWORD share)
{
    CEntryHandle entry;
    if (!folder || !IsPlainName(listed.name))
        return entry;
    entry.m_volume = folder.m_volume;
    entry.m_names = folder.m_names + L'\\' + listed.name;
    if (g_openHook)
        g_openHook(entry.Path());
    if (!NativeFiles::Open(folder.Get(), listed.name, access, share, OpenOptionsFor(kind), entry.m_file))
        return entry;
    entry.m_state = kNotItself;
    if (listed.attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return entry;
    if (!NativeFiles::Attributes(entry.Get(), entry.m_attributes) || !IsOfKind(entry.m_attributes, kind) ||
        !NativeFiles::FileId(entry.Get(), entry.m_fileId) || (listed.fileId != 0 && listed.fileId != entry.m_fileId))
        return entry;
    // Wine lists a link to a folder as a reparse point, and what one opens instead has another
    // identity; but it lists a link to a file as the file it leads to, identity and all, and only
    // the path gives that away.
    const bool identityTells = (entry.m_attributes & FILE_ATTRIBUTE_DIRECTORY) && listed.fileId != 0;
    if (!identityTells && !entry.IsWhereFolderHoldsIt(folder, listed.name))
        return entry;
    // A walk stays on the volume it started on: a folder of another volume (mounted there, or
    // under Wine another file system mounted inside the drive) is passed over.
    entry.m_volumeSerial = folder.m_volumeSerial;
    if (entry.m_attributes & FILE_ATTRIBUTE_DIRECTORY) {
        DWORD serial = 0;
        if (!NativeFiles::VolumeSerial(entry.Get(), serial) || serial != folder.m_volumeSerial)
            return entry;
        const std::wstring shown = folder.ShownNames() + L'\\' + ShownInsideAPath(listed.name);
        if (shown != entry.m_names)
            entry.m_shown = shown;
    }
    entry.m_state = kItself;
    return entry;
}

// The path the platform names for the opened entry is the entry's own path in the folder,
// exactly, or as Wine renders that path; a link reaching anything else gives itself away.
bool CEntryHandle::IsWhereFolderHoldsIt(const CEntryHandle& folder, const std::wstring& name) const
{
    std::wstring reached;
    if (!NativeFiles::VolumePath(Get(), reached))
        return false;
    return reached == m_names || reached == folder.ShownNames() + L'\\' + ShownAsLastName(name);
}

CEntryHandle CEntryHandle::Refused()
{
    CEntryHandle refused;
    refused.m_state = kNotItself;
    return refused;
}

CEntryHandle CEntryHandle::OpenNamedIn(const CEntryHandle& folder, const std::wstring& name, Kind kind, DWORD access,
                                       DWORD share)
{
    if (!folder || !IsPlainName(name))
        return CEntryHandle();
    const std::vector<ListedEntry> spellings = Matching(folder, name);
    const ListedEntry* listed = Spelled(spellings, name);
    if (!listed)
        return CEntryHandle();
    for (const ListedEntry& other : Matching(folder, ShownAsLastName(listed->name) + L"*")) {
        if (IsLookAlikeOf(listed->name, other.name, other.attributes))
            return Refused();
    }
    return OpenListed(folder, *listed, kind, access, share);
}

CEntryHandle CEntryHandle::OpenAt(const char* path, Kind kind, DWORD access, DWORD share)
{
    std::wstring folderPath;
    std::wstring name;
    if (!ParentAndName(LiteralPath(path), folderPath, name))
        return CEntryHandle();
    const CEntryHandle folder = OpenFolderFollowing(folderPath, 0);
    if (folder.GetState() == kNotItself)
        return Refused();
    return OpenNamedIn(folder, name, kind, access, share);
}

CEntryHandle::Outcome CEntryHandle::DeleteListedFile(const CEntryHandle& folder, const ListedEntry& entry)
{
    // A preview judges a listed file by its listing alone: it costs no more than the walk.
    if (RemovalScope::Previewing()) {
        if (!(entry.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
            RemovalScope::CountFile(entry.size);
        return kKept;
    }
    return Remove(OpenListed(folder, entry, kFile, kDeleteAccess, kSharedWithNobody), entry.size);
}

CEntryHandle::Outcome CEntryHandle::DeleteNamedFileIn(const CEntryHandle& folder, const std::wstring& name)
{
    return RemoveOpened(OpenNamedIn(folder, name, kFile, RemovalAccess(), RemovalShare()));
}

CEntryHandle::Outcome CEntryHandle::DeleteFileAt(const char* path)
{
    return RemoveOpened(OpenAt(path, kFile, RemovalAccess(), RemovalShare()));
}

std::vector<bool> CEntryHandle::LookAlikes(const std::vector<ListedEntry>& entries)
{
    // Only names ending in a dot or blank read like another; the rest are counted only when
    // such a name reads like them.
    std::unordered_map<std::wstring, int> shown;
    for (const ListedEntry& entry : entries) {
        if (CanReadAlike(entry.name, entry.attributes) && ShownAsLastName(entry.name) != entry.name)
            shown.emplace(ShownAsLastName(entry.name), 0);
    }
    std::vector<bool> lookAlikes(entries.size(), false);
    if (shown.empty())
        return lookAlikes;
    std::vector<int*> counts(entries.size(), nullptr);
    for (size_t at = 0; at < entries.size(); ++at) {
        const auto found = CanReadAlike(entries[at].name, entries[at].attributes)
                               ? shown.find(ShownAsLastName(entries[at].name))
                               : shown.end();
        if (found != shown.end()) {
            counts[at] = &found->second;
            ++found->second;
        }
    }
    for (size_t at = 0; at < entries.size(); ++at)
        lookAlikes[at] = counts[at] && *counts[at] > 1;
    return lookAlikes;
}

bool CEntryHandle::MarkForDeletion()
{
    // The one place anything of the file system is deleted: never in a preview.
    if (RemovalScope::Previewing())
        return false;
    return m_state == kItself && !(m_attributes & FILE_ATTRIBUTE_READONLY) && NativeFiles::MarkForDeletion(Get());
}

bool CEntryHandle::ReadListing(std::vector<ListedEntry>& entries) const
{
    entries.clear();
    if (!m_file)
        return false;
    NativeFiles::Listing read = NativeFiles::Listing::kPartRead;
    while ((read = NativeFiles::ReadListing(Get(), std::wstring(), false, entries)) == NativeFiles::Listing::kPartRead) {
    }
    return read == NativeFiles::Listing::kEnded;
}
