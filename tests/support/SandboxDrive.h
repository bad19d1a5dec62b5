// SandboxDrive: a removable drive of one test's own, defined through Wine's mount manager, as a
// card reader whose medium the test puts in, changes or takes out. Each medium is a folder of the
// test's SandboxFolder on E: holding a ".windows-serial" file; the mount manager reads it when the
// drive is defined, so the drive is defined again for each medium. Without a medium the drive's
// link leads to a missing folder: Wine then still reports a removable drive, and measuring it
// fails. A: and B: lie outside the drive scan, so tests running beside this one see the sandbox's
// drives unchanged; tests that use the same letter take turns. A medium of a given size is a tmpfs
// of that size mounted on the medium's folder until the medium is taken out.
#pragma once

#include "support/NamedLock.h"
#include "support/SandboxFolder.h"
#include "support/TmpfsMount.h"

#include <windows.h>

#include <memory>

class SandboxDrive {
public:
    // The drive starts without a medium.
    explicit SandboxDrive(char letter);
    ~SandboxDrive();
    SandboxDrive(const SandboxDrive&) = delete;
    SandboxDrive& operator=(const SandboxDrive&) = delete;

    // A new medium with this volume serial number; the one before is taken out first.
    void InsertMedium(DWORD serial);
    // The same with a medium of exactly this many megabytes; false, with the drive left empty,
    // when no file system can be mounted here.
    bool InsertMediumOfSize(DWORD serial, unsigned megabytes);
    void RemoveMedium();

private:
    CString NextMediumName();
    void PutIn(const CString& name, DWORD serial);
    void Define(UINT driveType, const CString& unixFolder) const;

    char m_letter;
    NamedLock m_lock;
    SandboxFolder m_media;
    CString m_medium;   // the folder of the medium in the drive, or empty
    // Declared after m_media: unmounted before the media's folder is removed.
    std::unique_ptr<TmpfsMount> m_mediumVolume;
    int m_mediaMade = 0;
};
