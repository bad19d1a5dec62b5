#include "support/SandboxDrive.h"

#include <gtest/gtest.h>

#include <winioctl.h>

#include <cstring>
#include <vector>

namespace {

// Wine's own interface for defining drives (its winecfg uses it): the letter, the drive type and
// the Unix folder the drive leads to; DRIVE_NO_ROOT_DIR removes the drive.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveDefinition {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

CString LockName(char letter)
{
    return CString("DustoraTests.SandboxDrive.") + letter;
}

}  // namespace

SandboxDrive::SandboxDrive(char letter) : m_letter(letter), m_lock(LockName(letter))
{
    Define(DRIVE_REMOVABLE, UnixPathOf(m_media.Path()) + "/empty-slot");
}

SandboxDrive::~SandboxDrive()
{
    Define(DRIVE_NO_ROOT_DIR, CString());
}

void SandboxDrive::InsertMedium(DWORD serial)
{
    RemoveMedium();
    const CString name = NextMediumName();
    m_media.MakeFolder(name);
    PutIn(name, serial);
}

bool SandboxDrive::InsertMediumOfSize(DWORD serial, unsigned megabytes)
{
    RemoveMedium();
    const CString name = NextMediumName();
    m_media.MakeFolder(name);
    m_medium = m_media.Below(name);
    m_mediumVolume = std::make_unique<TmpfsMount>(UnixPathOf(m_medium), megabytes);
    if (!m_mediumVolume->Mounted()) {
        RemoveMedium();
        return false;
    }
    PutIn(name, serial);
    return true;
}

CString SandboxDrive::NextMediumName()
{
    CString name;
    name.Format("medium%d", ++m_mediaMade);
    return name;
}

// The mount manager reads the serial file when the drive is defined to lead to the medium.
void SandboxDrive::PutIn(const CString& name, DWORD serial)
{
    CString serialText;
    serialText.Format("%08lx\n", serial);
    m_media.MakeFile(name + "\\.windows-serial", serialText);
    m_medium = m_media.Below(name);
    Define(DRIVE_REMOVABLE, UnixPathOf(m_medium));
}

// The drive keeps leading to the medium's folder, which is gone. A medium of its own file system
// loses its files with it.
void SandboxDrive::RemoveMedium()
{
    if (m_medium.IsEmpty())
        return;
    if (!m_mediumVolume)
        EXPECT_TRUE(::DeleteFileA(m_medium + "\\.windows-serial")) << m_medium.GetString();
    m_mediumVolume.reset();
    EXPECT_TRUE(::RemoveDirectoryA(m_medium)) << m_medium.GetString();
    m_medium.Empty();
}

void SandboxDrive::Define(UINT driveType, const CString& unixFolder) const
{
    if (driveType != DRIVE_NO_ROOT_DIR)
        ASSERT_TRUE(IsInsideSandbox(unixFolder)) << "not a drive: " << unixFolder.GetString();
    std::vector<BYTE> request(sizeof(UnixDriveDefinition) + unixFolder.GetLength() + 1, 0);
    auto* definition = reinterpret_cast<UnixDriveDefinition*>(request.data());
    definition->size = sizeof(UnixDriveDefinition);
    definition->type = driveType;
    definition->letter = static_cast<WCHAR>(m_letter);
    if (!unixFolder.IsEmpty()) {
        definition->mountPointOffset = sizeof(UnixDriveDefinition);
        std::memcpy(request.data() + sizeof(UnixDriveDefinition), unixFolder.GetString(), unixFolder.GetLength());
    }
    HANDLE manager = ::CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, manager) << "mount manager: " << ::GetLastError();
    DWORD returned = 0;
    const BOOL defined = ::DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                                           static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
    const DWORD error = ::GetLastError();
    ::CloseHandle(manager);
    EXPECT_TRUE(defined) << "defining " << m_letter << ": " << error << " " << unixFolder.GetString();
}
