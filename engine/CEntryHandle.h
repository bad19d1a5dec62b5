// CEntryHandle: an entry of the file system opened once and checked on that very handle to be
// the entry itself, so that nothing can be swapped in between the check and the deed.
//
// What the deletion path defends against. A cleaner deletes without asking, so everything it
// is handed is taken as possibly hostile or mistaken:
//  - names: a name read in ANSI may be a best-fit of another ("．．＼x" reads "..\x"), and names
//    differing only in trailing dots and blanks may be taken for one another;
//  - links: a junction, a Windows or a Unix symbolic link, a mount point, anywhere in a tree, may
//    lead out of it; none is followed or entered, and only the link itself could ever go;
//  - swaps: any entry, a folder the walk is in included, may be replaced by a link between its
//    listing and its deletion;
//  - settings: a folder setting may name a root, a place outside every drive, or the system's or
//    the users' files (CPathGuard judges where it really leads).
//
// A folder to work in is opened by its path once; everything inside it is opened by its one name
// relative to the handle of the folder that lists it (engine/NativeFiles.h), never by a path:
// no parent can be swapped and no look-alike name can be reached instead. Each entry is then
// checked on its own handle (its kind, no reparse point, the identity its listing gave, for a
// folder its volume) and deleted through that handle.
//
// Under Wine a Unix symbolic link to a file lists as a plain file and opens as its target. The
// path the platform names for the opened entry then gives it away, and is compared exactly with
// the path the entry has in its folder, as Wine renders it: the last name of a path without its
// trailing dots and blanks, a name inside a path without one trailing dot. Two names of one
// folder that differ only in trailing dots and blanks (look-alikes: "R", "R.", "R..", "R ")
// render alike, so such entries are left alone, and so is a folder to work in that has a
// look-alike along its path.
#pragma once

#include "engine/NativeFiles.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

class CEntryHandle {
public:
    enum Kind { kFile, kFolder, kAnyKind };
    enum State { kNotOpened, kNotItself, kItself };
    enum Outcome { kNothingOpened, kKept, kDeleted };

    CEntryHandle();
    ~CEntryHandle();
    CEntryHandle(CEntryHandle&& other) noexcept;
    CEntryHandle& operator=(CEntryHandle&& other) noexcept;

    // A folder named by a setting, the system or a caller (a drive root, a temporary folder),
    // opened to list it (FILE_LIST_DIRECTORY is always added to access): followed if it is a
    // link, as Windows users expect of a redirected folder, then opened again where it really
    // is without following anything, and itself only when that is the same folder, on a drive,
    // and no folder on its path has a look-alike beside it.
    static CEntryHandle OpenFolderFollowing(const std::wstring& literalPath, DWORD access);

    // The entry that folder's listing gave, opened by its name relative to folder's handle and
    // not through a link at that name. Itself only when it is of the kind asked, carries no
    // reparse point, has the identity the listing gave, lies where the folder holds it and, for
    // a folder, on the folder's volume.
    static CEntryHandle OpenListed(const CEntryHandle& folder, const ListedEntry& listed, Kind kind, DWORD access,
                                   DWORD share);

    // The entry name inside folder, in whatever spelling the folder holds it (another case, the
    // short name); not itself when it has a look-alike beside it.
    static CEntryHandle OpenNamedIn(const CEntryHandle& folder, const std::wstring& name, Kind kind, DWORD access,
                                    DWORD share);
    // The same for the entry of an absolute ANSI path; its folder is followed as above.
    static CEntryHandle OpenAt(const char* path, Kind kind, DWORD access, DWORD share);

    // Deleting a file: one open for deletion shared with nobody (a file in use stays), the
    // checks, the deletion through the handle. Read-only files stay.
    static Outcome DeleteListedFile(const CEntryHandle& folder, const ListedEntry& entry);
    static Outcome DeleteNamedFileIn(const CEntryHandle& folder, const std::wstring& name);
    static Outcome DeleteFileAt(const char* path);

    // For each entry of a listing, whether another entry differs from it only in trailing dots
    // and blanks.
    static std::vector<bool> LookAlikes(const std::vector<ListedEntry>& entries);

    State GetState() const { return m_state; }
    explicit operator bool() const { return m_state == kItself; }
    HANDLE Get() const { return m_file.get(); }
    // The literal path it is reached by ("\\?\X:\dir\name").
    std::wstring Path() const { return m_volume + m_names; }
    // Where a folder opened by OpenFolderFollowing really is, as the platform names it:
    // "\\?\X:\...", "\\?\UNC\...", and under Wine "\\?\unix\..." outside every drive.
    const std::wstring& FinalPath() const { return m_finalPath; }
    DWORD Attributes() const { return m_attributes; }
    DWORD VolumeSerial() const { return m_volumeSerial; }
    ULONGLONG FileId() const { return m_fileId; }

    // Marks the entry for deletion through this handle (opened with DELETE); it goes when the
    // handle closes. False for a read-only entry, which the cleaners keep, and for a folder that
    // still holds something.
    bool MarkForDeletion();

    // The whole listing of this folder, in the order the file system gives it, "." and ".."
    // included; false when it cannot be read.
    bool ReadListing(std::vector<ListedEntry>& entries) const;

    // Where the file system really reaches through handle; empty when the platform cannot tell.
    static std::wstring FinalPathOf(HANDLE handle);

    // For tests: called with an entry's literal path just before it is opened (a test may swap
    // the entry there); returns the hook in force before.
    using OpenHook = void (*)(const std::wstring& literalPath);
    static OpenHook SetOpenHook(OpenHook hook);

private:
    // Not itself, with nothing opened: an entry that must be neither opened nor deleted.
    static CEntryHandle Refused();
    bool TakeFolderWhereItIs(HANDLE followed, DWORD access);
    bool IsWhereFolderHoldsIt(const CEntryHandle& folder, const std::wstring& name) const;
    const std::wstring& ShownNames() const { return m_shown.empty() ? m_names : m_shown; }

    UniqueFile m_file;
    State m_state = kNotOpened;
    std::wstring m_volume;      // "\\?\X:" or "\\?\UNC\server\share"
    std::wstring m_names;       // "\dir\name" on the volume; empty for its root
    std::wstring m_shown;       // the same as Wine renders it inside a longer path, when it differs
    std::wstring m_finalPath;
    DWORD m_attributes = 0;
    DWORD m_volumeSerial = 0;
    ULONGLONG m_fileId = 0;
};
