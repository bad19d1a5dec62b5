// NativeFiles: the system's own file calls (ntdll.dll), found at run time, through which the
// engine opens every entry by its one name relative to the handle of the folder that lists it,
// reads listings, asks a handle what it holds and deletes through it. They are in ntdll since
// Windows NT 4. Listings give file identities from Windows XP on; on Windows 2000 an entry is
// listed without one (0). The statuses stay in here: every call answers true/false, and a
// listing how its part was read.
// Also holds ListedEntry, one entry of a folder's listing.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

struct ListedEntry {
    std::wstring name;
    DWORD attributes = 0;
    ULONGLONG fileId = 0;   // 0 where the file system gives none
    ULONGLONG size = 0;     // bytes of a file's data
};

namespace NativeFiles {

// Open options, as the system names them.
const DWORD kFolderOnly = 0x00000001;        // FILE_DIRECTORY_FILE
const DWORD kFileOnly = 0x00000040;          // FILE_NON_DIRECTORY_FILE
const DWORD kNotFollowing = 0x00200000;      // FILE_OPEN_REPARSE_POINT
const DWORD kBackupIntent = 0x00004000;      // FILE_OPEN_FOR_BACKUP_INTENT

// True when every call below was found.
bool Available();

// Opens name inside folder: one name, never a path, and a link or mount point at that name
// itself rather than what it leads to (where the platform can). With no folder, name is a
// whole NT path ("\??\C:\dir"). SYNCHRONIZE and FILE_READ_ATTRIBUTES are always added.
bool Open(HANDLE folder, const std::wstring& name, DWORD access, DWORD share, DWORD options, UniqueFile& opened);

enum class Listing { kPartRead, kEnded, kFailed };
// Appends the next part of folder's listing to entries. restart starts the listing again, with
// only the names mask matches when one is given (a name, or a name and "*"); later parts keep
// that mask.
Listing ReadListing(HANDLE folder, const std::wstring& mask, bool restart, std::vector<ListedEntry>& entries);

bool Attributes(HANDLE handle, DWORD& attributes);
bool FileId(HANDLE handle, ULONGLONG& fileId);
bool VolumeSerial(HANDLE handle, DWORD& serial);
// The bytes of the entry's data.
bool Size(HANDLE handle, ULONGLONG& size);
// The entry's path on its volume ("\dir\name"), as the platform names where it really is.
bool VolumePath(HANDLE handle, std::wstring& path);
// The entry goes when its last handle closes.
bool MarkForDeletion(HANDLE handle);

// How many of the calls above reached ntdll since the program started, and how many opened a
// handle (each closed once more); for the benchmark's calls per entry.
struct CallCount {
    unsigned long calls = 0;
    unsigned long opens = 0;
};
CallCount CallsMade();

}  // namespace NativeFiles
