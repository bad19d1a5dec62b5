// CDocumentHistory: Windows' history of the documents the user opened, as the shell's own
// "clear recent documents" clears it: the shell's list in the registry, and the shortcut files
// (.lnk) of the Recent folder. Other files there, its sub-folders and the folder itself stay.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CDocumentHistory {
public:
    // Clears the list below root\recentDocsKey (CHistoryLists::ClearRecentDocs), tells the shell
    // to drop its list, and deletes the shortcut files of recentFolder. The number of registry
    // entries removed.
    static int Clear(const char* recentFolder, HKEY root, const char* recentDocsKey);

    // Deletes the shortcut files directly in recentFolder through the one deletion path, when
    // the folder rules let a cleaner work there (CPathGuard::kRecentPlace); links, read-only
    // files and files in use stay. The number deleted.
    static int DeleteShortcuts(const char* recentFolder);

    // Whether a name ends in ".lnk", in any case.
    static bool IsShortcutName(const CString& name);
};
