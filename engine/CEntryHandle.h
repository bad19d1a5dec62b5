// CEntryHandle: an entry of the file system opened once, by its literal path and without
// following a link, and checked on that very handle to be the entry itself. Whatever the engine
// lists or deletes goes through such a handle, so nothing can be swapped in between the check
// and the deed. Also holds ListedEntry, one entry of a folder's listing.
//
// The handle calls used here (GetFileInformationByHandleEx, SetFileInformationByHandle,
// GetFinalPathNameByHandleW) came with Windows Vista and are found at run time; where they are
// missing, nothing can be checked, so nothing is opened as itself and nothing is deleted.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <memory>
#include <string>

struct ListedEntry {
    std::wstring name;
    DWORD attributes = 0;
    ULONGLONG fileId = 0;   // 0 where the file system gives none
};

class CEntryHandle {
public:
    enum Kind { kFile, kFolder, kAnyKind };
    enum State { kNotOpened, kNotItself, kItself };
    enum Outcome { kNothingOpened, kKept, kDeleted };

    CEntryHandle();
    ~CEntryHandle();
    CEntryHandle(CEntryHandle&& other) noexcept;
    CEntryHandle& operator=(CEntryHandle&& other) noexcept;

    // The entry at literalPath ("\\?\X:\dir\name"), opened without following a link, with access
    // (FILE_READ_ATTRIBUTES is always added) and share. Itself only when it is of the kind asked,
    // carries no reparse point and its final path is literalPath: under Wine a Unix symbolic link
    // opens its target, and only the final path gives it away.
    static CEntryHandle Open(const std::wstring& literalPath, Kind kind, DWORD access, DWORD share);

    // A folder named by a setting, the system or a caller (a drive root, a temporary folder):
    // followed if it is a link, as Windows users expect of a redirected folder, and opened again
    // where it really is when it was reached through one, so that Path() leads there passing no
    // link. Not itself when it lies outside every drive or cannot be told apart from a sibling.
    static CEntryHandle OpenFolderFollowing(const std::wstring& literalPath, DWORD access);

    // The entry name inside folder (from OpenFolderFollowing), in whatever spelling the folder
    // holds it (another case, the short name).
    static CEntryHandle OpenNamedIn(const CEntryHandle& folder, const std::wstring& name, Kind kind, DWORD access,
                                    DWORD share);
    // The same for the entry of an absolute ANSI path; its folder is followed as above.
    static CEntryHandle OpenAt(const char* path, Kind kind, DWORD access, DWORD share);

    // Deleting a file: one open for deletion shared with nobody (a file in use stays), the check,
    // the deletion through the handle. Read-only files stay.
    static Outcome DeleteFile(const std::wstring& literalPath);
    static Outcome DeleteNamedFileIn(const CEntryHandle& folder, const std::wstring& name);
    static Outcome DeleteFileAt(const char* path);

    State GetState() const { return m_state; }
    explicit operator bool() const { return m_state == kItself; }
    HANDLE Get() const { return m_file.get(); }
    // The literal path by which it was opened, and the one its entries are reached by.
    const std::wstring& Path() const { return m_path; }
    // Where it really is, as the platform names it: "\\?\X:\...", "\\?\UNC\...", and under Wine
    // "\\?\unix\..." outside every drive.
    const std::wstring& FinalPath() const { return m_finalPath; }
    DWORD Attributes() const { return m_attributes; }

    // Marks the entry for deletion through this handle (opened with DELETE); it goes when the
    // handle closes. FALSE for a read-only entry, which the cleaners keep, and for a folder that
    // still holds something.
    BOOL MarkForDeletion();

    // The next entry of this folder (opened with FILE_LIST_DIRECTORY), read through this handle
    // in the order the file system gives them: 1 an entry, 0 the end, -1 the listing failed.
    int NextEntry(ListedEntry& entry);

    // Where the file system really reaches through handle; empty when the platform cannot tell.
    static std::wstring FinalPathOf(HANDLE handle);

    // For tests: called with an entry's literal path just before Open opens it (a test may swap
    // the entry there); returns the hook in force before.
    using OpenHook = void (*)(const std::wstring& literalPath);
    static OpenHook SetOpenHook(OpenHook hook);

private:
    struct Listing;

    UniqueFile m_file;
    State m_state = kNotOpened;
    std::wstring m_path;
    std::wstring m_finalPath;
    DWORD m_attributes = 0;
    std::unique_ptr<Listing> m_listing;
};
