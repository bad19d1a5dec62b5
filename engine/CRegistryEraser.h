// CRegistryEraser: the one way the cleaners remove anything from the registry. A call names one
// key and the values to go from it, and answers how many went; nothing else is ever touched, so
// whatever must happen before a removal (keeping a copy) has one place to happen.
#pragma once

#include "framework/CStringArray.h"

#include <windows.h>

class CRegistryEraser {
public:
    // Removes the named values of root\keyPath; the key and its other values stay. A value that
    // is not there or cannot be removed is passed over. The number of values removed.
    static int RemoveValues(HKEY root, const char* keyPath, const CStringArray& names);
};
