#include "support/TmpfsMount.h"

#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

TmpfsMount::TmpfsMount(const CString& unixFolder, unsigned megabytes) : m_point(unixFolder)
{
    if (!IsInsideSandbox(m_point)) {
        ADD_FAILURE() << "not mounting on " << m_point.GetString() << ": outside the sandbox";
        return;
    }
    CString size;
    size.Format("size=%um", megabytes);
    m_mountStarted = StartUnixProgram("/bin/mount", {"-t", "tmpfs", "-o", size, "tmpfs", m_point}) != FALSE;
    m_mounted = m_mountStarted && WaitUntil([this] { return IsMountPoint(); });
}

TmpfsMount::~TmpfsMount()
{
    if (!m_mountStarted)
        return;
    EXPECT_TRUE(StartUnixProgram("/bin/umount", {m_point}) && WaitUntil([this] { return !IsMountPoint(); }))
        << "still mounted: " << m_point.GetString();
}

bool TmpfsMount::IsMountPoint() const
{
    CString windowsPath = CString("\\\\?\\unix") + m_point;
    windowsPath.Replace("/", "\\");
    const DWORD attributes = ::GetFileAttributesA(windowsPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
