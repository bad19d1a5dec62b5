// CComEntries: COM class registrations whose servers are all gone. A class key CLSID\{...} is
// broken when it names at least one server (InprocServer32, LocalServer32, InprocHandler32) and
// every server it names is given by an absolute path on a fixed local drive that is there and is
// missing. Never broken: a class without a server key, a server key without a path, and
// whatever CProgramProbe cannot be sure of (a bare file name, another kind of drive, an
// environment reference that does not expand). A class is removed from the hive that holds it,
// the user's classes or the machine's, never through the merged HKEY_CLASSES_ROOT.
#pragma once

#include "engine/CProgramProbe.h"
#include "framework/CString.h"
#include "registry/CRegistryBackup.h"
#include "registry/CRegistryViews.h"

#include <windows.h>

#include <vector>

class CComEntries {
public:
    // The user's and the machine's classes, in each registry view.
    static std::vector<RegistryPlace> Places(bool wow64System);
    static bool IsBroken(HKEY classKey, const CString& name, const CProgramProbe& probe);
    // Removes the broken classes of all places of this system; the number removed.
    static int RemoveBroken(CRegistryBackup& backup);
};
