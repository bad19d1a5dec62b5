// TmpfsMount: a tmpfs of a given size mounted on a folder inside the sandbox for as long as the
// object lives, so a test gets a volume of an exact, known size. The destructor unmounts it, also
// when the test fails. Mounting needs root, as CI has; Mounted() says whether it worked.
#pragma once

#include "framework/CString.h"

class TmpfsMount {
public:
    TmpfsMount(const CString& unixFolder, unsigned megabytes);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool Mounted() const { return m_mounted; }

private:
    // Wine shows a Linux mount point as a reparse point.
    bool IsMountPoint() const;

    CString m_point;
    bool m_mountStarted = false;   // unmounted at the end even when the mount never showed
    bool m_mounted = false;
};
