// RestrictedRegistryKey: while it lives, everyone may do with a key only what access allows
// (0: nothing at all). The owner may still rewrite the list, and the destructor puts back the
// list the key had before, so that a test can remove its own key and a key of the system
// (such as HKEY_LOCAL_MACHINE's Run key) is left as it was found.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <vector>

class RestrictedRegistryKey {
public:
    // A key under HKEY_CURRENT_USER.
    RestrictedRegistryKey(const CString& path, DWORD access) : RestrictedRegistryKey(HKEY_CURRENT_USER, path, access) {}
    RestrictedRegistryKey(HKEY root, const CString& path, DWORD access);
    ~RestrictedRegistryKey();
    RestrictedRegistryKey(const RestrictedRegistryKey&) = delete;
    RestrictedRegistryKey& operator=(const RestrictedRegistryKey&) = delete;

private:
    BOOL SetAccessList(ACL* list) const;
    BOOL SetSecurity(SECURITY_DESCRIPTOR* descriptor) const;

    HKEY m_root;
    CString m_path;
    PSID m_everyone = nullptr;
    alignas(DWORD) BYTE m_list[256] = {};
    std::vector<BYTE> m_original;   // the key's own access list, as a self-relative descriptor
};
