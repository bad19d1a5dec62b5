#include "engine/CDriveScan.h"

#include "engine/CDiskSpace.h"

namespace {

// The label and serial number of the volume at root; empty and 0 when it cannot be read.
void ReadVolume(const char* root, CString& label, DWORD& serial)
{
    char buffer[1024] = "";
    DWORD number = 0;
    if (!::GetVolumeInformationA(root, buffer, sizeof(buffer), &number, nullptr, nullptr, nullptr, 0)) {
        label.Empty();
        serial = 0;
        return;
    }
    label = buffer;
    serial = number;
}

}  // namespace

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
    CString label;
    DWORD serial = 0;
    ReadVolume(root, label, serial);
    return label;
}

bool CDriveScan::Examine(char letter, MeasuredDrive& drive)
{
    const CString root = RootOf(letter);
    const UINT type = ::GetDriveTypeA(root);
    if (!IsMeasuredType(type))
        return false;
    drive.letter = letter;
    drive.root = root;
    ReadVolume(root, drive.label, drive.serial);
    drive.removable = type == DRIVE_REMOVABLE;
    drive.totalBytes = 0;
    CDiskSpace::QueryTotalBytes(root, drive.totalBytes);
    return true;
}

std::vector<MeasuredDrive> CDriveScan::Scan()
{
    std::vector<MeasuredDrive> drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        MeasuredDrive drive{};
        if (Examine(letter, drive))
            drives.push_back(drive);
    }
    return drives;
}
