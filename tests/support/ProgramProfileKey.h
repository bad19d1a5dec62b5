// ProgramProfileKey: the test program's own profile, HKCU\Software\Halvex\<program name>,
// taken into use (SetRegistryKey) and emptied at the start and removed at the end of a test.
#pragma once

#include "framework/CString.h"

class ProgramProfileKey {
public:
    ProgramProfileKey();
    ~ProgramProfileKey();
    ProgramProfileKey(const ProgramProfileKey&) = delete;
    ProgramProfileKey& operator=(const ProgramProfileKey&) = delete;

    const CString& Path() const { return m_path; }
    CString SectionPath(const char* section) const { return m_path + "\\" + section; }
    // Removes the whole profile, as a new user would find it.
    void Remove() const;

private:
    CString m_path;
};
