// CDriveScan: the drives a clean measures: C: to Z: in letter order, removable and fixed only.
#pragma once

#include "framework/CString.h"

#include <vector>

struct MeasuredDrive {
    char letter;
    CString root;    // "C:\"
    CString label;   // empty when the drive has none or cannot be read
};

class CDriveScan {
public:
    static std::vector<MeasuredDrive> Scan();
    static bool IsMeasuredType(unsigned driveType);
    static CString RootOf(char letter);
    static CString LabelOf(const char* root);
};
