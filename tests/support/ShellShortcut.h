// MakeShellShortcut: a shortcut file made by the shell's own IShellLink (COM must be initialised
// on the calling thread), to a path or to the shell item of a CSIDL number; false when the shell
// refused it.
#pragma once

#include "framework/CString.h"

bool MakeShellShortcut(const CString& at, const char* targetPath, int targetCsidl = 0);
