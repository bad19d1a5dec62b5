// RestrictedRegistryKey: while it lives, everyone may do with a key under HKEY_CURRENT_USER only
// what access allows (0: nothing at all). The owner may still rewrite the list, and the
// destructor opens the key to all again so that a test can remove it.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class RestrictedRegistryKey {
public:
    RestrictedRegistryKey(const CString& path, DWORD access);
    ~RestrictedRegistryKey();
    RestrictedRegistryKey(const RestrictedRegistryKey&) = delete;
    RestrictedRegistryKey& operator=(const RestrictedRegistryKey&) = delete;

private:
    BOOL SetAccessList(ACL* list) const;

    CString m_path;
    PSID m_everyone = nullptr;
    alignas(DWORD) BYTE m_list[256] = {};
};
