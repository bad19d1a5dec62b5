// CInvalidShortcuts: shortcut files (.lnk) whose target is gone. A shortcut is read without
// being resolved (no search for a moved target, no window) and counts as invalid only when its
// target is a file-system path on a fixed local drive that is there, and nothing is at that path.
// Kept: a target on a removable, CD-ROM or network drive or on a drive that is not there, a
// target that is no file-system path (a Control Panel item), a shortcut that cannot be read.
// Internet shortcuts (.url) are not shortcuts of this kind. Reading needs COM on the calling
// thread (the program initialises OLE at start); without it every shortcut is kept.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CInvalidShortcuts {
public:
    // The target as the shortcut stores it, environment references expanded; empty when the
    // shortcut cannot be read or has no file-system target.
    static CString TargetOf(const char* shortcutPath);

    // Whether target is a path on a fixed local drive that is there, and nothing is at it.
    static bool IsMissingOnFixedDrive(const CString& target);

    // Deletes the invalid shortcuts directly in folder (not below it) through the one deletion
    // path; a shortcut file that is a link stays. The number deleted.
    static int DeleteFrom(const char* folder);
};
