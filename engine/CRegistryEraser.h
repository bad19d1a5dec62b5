// CRegistryEraser: the one way the list cleaners remove anything from the registry. A call names
// one key and the values to go from it, and answers how many went; nothing else is ever touched.
// Every value is first written to the run's registry backup (registry/CRegistryBackup.h): only
// what the backup holds, once committed, is removed, and without a backup nothing is.
#pragma once

#include "framework/CStringArray.h"
#include "registry/CRegistryBackup.h"

#include <windows.h>

class CRegistryEraser {
public:
    // The backup removals are written to from now on (nullptr: none); returns the one before.
    static CRegistryBackup* SetBackup(CRegistryBackup* backup);

    // Removes the named values of root\keyPath; the key and its other values stay. A value that
    // is not there, cannot be backed up or cannot be removed is passed over. The number of
    // values removed (in a preview, of values that would be).
    static int RemoveValues(HKEY root, const char* keyPath, const CStringArray& names);
};
