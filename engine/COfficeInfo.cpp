#include "engine/COfficeInfo.h"

#include "framework/CString.h"
#include "framework/UniqueHandle.h"
#include "registry/CRegistry.h"

#include <cstdio>

namespace {

// KEY_READ | KEY_WRITE: a user who may only read the key counts as having no Office.
const REGSAM kOfficeKeyAccess = 0x2001F;
const int kBackupNumberLimit = 999;

// Opens for reading with no sharing: a cabinet that someone holds open ends the work too.
BOOL OpensUnshared(const char* path)
{
    const UniqueFile file(::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? TRUE : FALSE;
}

CString BackupFolder()
{
    char windows[1024] = "";
    ::GetWindowsDirectoryA(windows, sizeof(windows));
    return CString(windows) + "\\SYSBCKUP";
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
    const CString folder = BackupFolder();
    for (int number = 0; number < kBackupNumberLimit; ++number) {
        char name[16];
        std::snprintf(name, sizeof(name), "\\rb%03d.cab", number);
        const CString path = folder + name;
        if (!OpensUnshared(path))
            break;
        ::DeleteFileA(path);
    }
    return TRUE;
}
