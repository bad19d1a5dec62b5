// SandboxDrive: a removable drive of one test's own, defined through Wine's mount manager, as a
// card reader whose medium the test puts in, changes or takes out. Each medium is a folder of the
// test's SandboxFolder on E: holding a ".windows-serial" file; the mount manager reads it when the
// drive is defined, so the drive is defined again for each medium. Without a medium the drive's
// link leads to a missing folder: Wine then still reports a removable drive, and measuring it
// fails. A: and B: lie outside the drive scan, so tests running beside this one see the sandbox's
// drives unchanged; tests that use the same letter take turns.
#pragma once

#include "support/NamedLock.h"
#include "support/SandboxFolder.h"

#include <windows.h>

class SandboxDrive {
public:
    // The drive starts without a medium.
    explicit SandboxDrive(char letter);
    ~SandboxDrive();
    SandboxDrive(const SandboxDrive&) = delete;
    SandboxDrive& operator=(const SandboxDrive&) = delete;

    // A new medium with this volume serial number; the one before is taken out first.
    void InsertMedium(DWORD serial);
    void RemoveMedium();

private:
    void Define(UINT driveType, const CString& unixFolder) const;

    char m_letter;
    NamedLock m_lock;
    SandboxFolder m_media;
    CString m_medium;   // the folder of the medium in the drive, or empty
    int m_mediaMade = 0;
};
