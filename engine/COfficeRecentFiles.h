// COfficeRecentFiles: the recent-file lists of Office 97 and 2000 that can be cleared without
// touching anything else. A list is cleared only where its place is documented as a key of its
// own: Excel 97 keeps its list in "Recent File List" under Office\8.0\Excel, one text per file.
// Word keeps its list inside the binary "Settings" value with its options, which would have to
// be rewritten; the places of the lists of Excel 2000, PowerPoint and Access are not documented.
// Those lists are left as they are.
#pragma once

#include <windows.h>

class COfficeRecentFiles {
public:
    enum Application { kWord = 0x1, kExcel = 0x2, kPowerPoint = 0x4, kAccess = 0x8 };

    static const char kOfficeKey[];

    // Removes the entries of the lists of the applications given (a combination of
    // Application) below root\officeKey; the number removed. Texts only: a value of another
    // type in a list's key stays.
    static int Clear(unsigned applications, HKEY root, const char* officeKey = kOfficeKey);
};
