#include "support/ProgramProfileKey.h"

#include "framework/CWinApp.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

ProgramProfileKey::ProgramProfileKey()
{
    AfxGetApp()->SetRegistryKey("Halvex");
    m_path = CString("Software\\Halvex\\") + AfxGetApp()->m_pszAppName;
    Remove();
}

ProgramProfileKey::~ProgramProfileKey()
{
    const LONG deleted = DeleteRegistryTree(HKEY_CURRENT_USER, m_path);
    EXPECT_TRUE(deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND) << deleted;
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Halvex");   // fails while others use it
}

void ProgramProfileKey::Remove() const
{
    DeleteRegistryTree(HKEY_CURRENT_USER, m_path);
}
