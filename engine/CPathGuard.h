// CPathGuard: the judgements made before deleting: which folders a cleaner may empty (only where
// a cleaner's clutter can be: never a root, a place outside every drive, a system or user folder,
// one that holds such a folder, or a folder inside the trees of the system's and users' files),
// which paths are plainly absolute and not roots, and whether an entry is a link.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>

class CPathGuard {
public:
    // TRUE when the entry that a listing of folder returned is a link of any kind, or when that
    // cannot be ruled out; such an entry must be neither entered nor deleted nor removed.
    static BOOL IsLinkEntry(const char* folder, const WIN32_FIND_DATAA& entry);

    // The same check for a full path (folder, separator, name); TRUE also when nothing is there,
    // and for an entry with a look-alike beside it ("report" beside "report."). Every name is
    // taken as written ("report." is not "report").
    static BOOL IsLink(const char* path);

    // TRUE for a path that names a whole drive or share: "C:", "C:\", "C:/", "\", "/",
    // "\\server", "\\server\share", "\\server\share\".
    static BOOL IsRootPath(const char* path);

    // TRUE for "X:\..." or "X:/..." and for UNC paths "\\server\share...".
    static BOOL IsAbsolutePath(const char* path);

    // The folder a cleaner empties, where the system gives a place for it; kNoSystemPlace for a
    // folder only a setting names (the Netscape cache).
    enum FolderPlace { kNoSystemPlace, kTempPlace, kInternetCachePlace, kCookiesPlace, kRecentPlace, kAppLogPlace };

    // TRUE when a folder may have its contents deleted: absolute and, once "." and ".." are
    // resolved, not a root (MayEmptyFolderAsWritten), and where it leads, links followed (as
    // written where nothing is there yet), a place MayEmptyFinalPath accepts.
    static BOOL MayEmptyFolder(const char* folder, FolderPlace place = kNoSystemPlace);
    static BOOL MayEmptyFolderAsWritten(const char* folder);

    // TRUE for a final path ("\\?\X:\...") on a drive or share where only clutter can be:
    //  - never a root, a folder the system names for any purpose (a shell folder), nor one that
    //    holds such a folder, save the system's own place for place itself;
    //  - the system's place for place, or a folder below it; or else
    //  - a folder outside every tree of the system's and the users' files: the Windows folder,
    //    the program-files folders, the common application data, the folder of the user
    //    profiles, and this program's own folder.
    static BOOL MayEmptyFinalPath(const std::wstring& finalPath, FolderPlace place = kNoSystemPlace);
};
