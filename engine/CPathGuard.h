// CPathGuard: the judgements made before deleting: which folders a cleaner may empty (only where
// a cleaner's clutter can be: never a root, a place outside every drive, a system or user folder,
// one that holds such a folder, or a folder inside the trees of the system's and users' files).
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>

class CPathGuard {
public:
    // The folder a cleaner empties, where the system gives a place for it; kNoSystemPlace for a
    // folder only a setting names (the Netscape cache).
    enum FolderPlace { kNoSystemPlace, kTempPlace, kInternetCachePlace, kCookiesPlace, kRecentPlace, kAppLogPlace };

    // True when a folder may have its contents deleted: absolute and, once "." and ".." are
    // resolved, not a root (MayEmptyFolderAsWritten), and where it leads, links followed (as
    // written where nothing is there yet), a place MayEmptyFinalPath accepts.
    static bool MayEmptyFolder(const char* folder, FolderPlace place = kNoSystemPlace);
    static bool MayEmptyFolderAsWritten(const char* folder);

    // True for a final path ("\\?\X:\...") on a drive or share where only clutter can be:
    //  - never a root, a folder the system names for any purpose (a shell folder), nor one that
    //    holds such a folder, save the system's own place for place itself;
    //  - the system's place for place, or a folder below it; or else
    //  - a folder outside every tree of the system's and the users' files: the Windows folder,
    //    the program-files folders, the common application data, the folder of the user
    //    profiles, and this program's own folder.
    static bool MayEmptyFinalPath(const std::wstring& finalPath, FolderPlace place = kNoSystemPlace);
};
