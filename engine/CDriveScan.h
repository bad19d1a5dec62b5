// CDriveScan: the drives a clean measures: C: to Z: in letter order, removable and fixed only.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <vector>

struct MeasuredDrive {
    char letter;
    CString root;             // "C:\"
    CString label;            // empty when the drive has none or cannot be read
    DWORD serial = 0;         // volume serial number; 0 when the volume cannot be read
    bool removable = false;   // a removable drive may hold no medium, or another one later
    // The size of the volume in bytes; 0 when it cannot be measured. With the serial it tells one
    // medium from another where the serial cannot: Wine gives every medium of a removable drive
    // without a serial of its own the same one.
    unsigned long long totalBytes = 0;
};

class CDriveScan {
public:
    static std::vector<MeasuredDrive> Scan();
    // The drive at letter as the scan sees it; false when its type is not one a clean measures.
    static bool Examine(char letter, MeasuredDrive& drive);
    static bool IsMeasuredType(unsigned driveType);
    static CString RootOf(char letter);
    static CString LabelOf(const char* root);
};
