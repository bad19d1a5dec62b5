#include "engine/CDriveScan.h"

#include <windows.h>

bool CDriveScan::IsMeasuredType(unsigned driveType)
{
    return driveType == DRIVE_REMOVABLE || driveType == DRIVE_FIXED;
}

CString CDriveScan::RootOf(char letter)
{
    CString root;
    root.Format("%c:\\", letter);
    return root;
}

CString CDriveScan::LabelOf(const char* root)
{
    char label[1024] = "";
    if (!::GetVolumeInformationA(root, label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0))
        return CString();
    return CString(label);
}

std::vector<MeasuredDrive> CDriveScan::Scan()
{
    std::vector<MeasuredDrive> drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const CString root = RootOf(letter);
        if (IsMeasuredType(::GetDriveTypeA(root)))
            drives.push_back({letter, root, LabelOf(root)});
    }
    return drives;
}
