// CUninstallEntries: the entries of "Add or Remove Programs" whose uninstaller is gone. An entry
// (a sub-key of ...\CurrentVersion\Uninstall) is broken when its UninstallString names a program
// by an absolute path on a fixed local drive that is there and that file is missing; for a
// rundll32 command, the DLL of its first argument. Never broken: an entry with SystemComponent
// or WindowsInstaller set, an msiexec command, and whatever CProgramProbe cannot be sure of.
#pragma once

#include "engine/CProgramProbe.h"
#include "framework/CString.h"
#include "registry/CRegistryBackup.h"
#include "registry/CRegistryViews.h"

#include <windows.h>

#include <vector>

class CUninstallEntries {
public:
    // The machine's list in each registry view, and the user's.
    static std::vector<RegistryPlace> Places(bool wow64System);
    static bool IsBroken(HKEY entry, const CString& name, const CProgramProbe& probe);
    // Removes the broken entries of all places of this system; the number removed.
    static int RemoveBroken(CRegistryBackup& backup);
};
