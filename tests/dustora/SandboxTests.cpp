// The prefix the tests run in: only sandbox drives, of the types the tests rely on.
#include <gtest/gtest.h>

#include <windows.h>


TEST(Sandbox, OnlySandboxDrivesExistWithTheirTypes)
{
    struct DriveCase { char letter; UINT type; };
    static const DriveCase kDrives[] = {
        {'C', DRIVE_FIXED}, {'D', DRIVE_CDROM}, {'E', DRIVE_FIXED}, {'F', DRIVE_REMOVABLE},
    };
    DWORD expected = 0;
    for (const auto& drive : kDrives) {
        const char root[] = {drive.letter, ':', '\\', '\0'};
        SCOPED_TRACE(root);
        EXPECT_EQ(drive.type, ::GetDriveTypeA(root));
        expected |= 1u << (drive.letter - 'A');
    }
    EXPECT_EQ(expected, ::GetLogicalDrives()) << "a drive outside the sandbox set is mapped";
}
