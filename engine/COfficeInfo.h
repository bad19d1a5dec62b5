// COfficeInfo: whether Office 2000 or Office 97 is there for the current user, as seen when the
// object is made; also the owner of the cleaner of the Windows 98 registry backups.
#pragma once

#include <windows.h>

class COfficeInfo {
public:
    COfficeInfo();
    virtual ~COfficeInfo() = default;

    // Deletes <Windows folder>\SYSBCKUP\rb000.cab, rb001.cab, ... through the one deletion path,
    // up to the first that will not open unshared (missing or in use); a read-only cabinet or a
    // link stays and the work goes on. rb999.cab is never touched. Always TRUE.
    BOOL DeleteRegistryBackups();

    // 1 when the user's Office 9.0 or 8.0 key opens for reading and writing, else 0.
    int m_Installed = 0;
};
