#include "engine/COfficeInfo.h"

#include "engine/CEntryHandle.h"
#include "engine/PathParts.h"
#include "framework/CString.h"
#include "registry/CRegistry.h"

#include <cwchar>

namespace {

// KEY_READ | KEY_WRITE: a user who may only read the key counts as having no Office.
const REGSAM kOfficeKeyAccess = 0x2001F;
const int kBackupNumberLimit = 999;

CString BackupFolder()
{
    char windows[1024] = "";
    ::GetWindowsDirectoryA(windows, sizeof(windows));
    return CString(windows) + "\\SYSBCKUP";
}

std::wstring BackupName(int number)
{
    wchar_t name[16];
    std::swprintf(name, sizeof name / sizeof name[0], L"rb%03d.cab", number);
    return name;
}

}  // namespace

// Office 2000 (9.0) first; Office 97 (8.0) only when 9.0 does not open.
COfficeInfo::COfficeInfo()
{
    CRegistry reg;
    if (reg.Connect(HKEY_CURRENT_USER)) {
        m_Installed = reg.Open("Software\\Microsoft\\Office\\9.0", kOfficeKeyAccess) ||
                      reg.Open("Software\\Microsoft\\Office\\8.0", kOfficeKeyAccess);
    }
    reg.Close();
}

BOOL COfficeInfo::DeleteRegistryBackups()
{
    const CEntryHandle folder = CEntryHandle::OpenFolderFollowing(LiteralPath(BackupFolder()), 0);
    for (int number = 0; folder && number < kBackupNumberLimit; ++number) {
        // A cabinet that does not open unshared (missing, or in use) ends the work; one that opens
        // and stays (read-only, or a link leading elsewhere) does not.
        if (CEntryHandle::DeleteNamedFileIn(folder, BackupName(number)) == CEntryHandle::kNothingOpened)
            break;
    }
    return TRUE;
}
