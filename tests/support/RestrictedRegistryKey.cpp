#include "support/RestrictedRegistryKey.h"

#include <gtest/gtest.h>

RestrictedRegistryKey::RestrictedRegistryKey(const CString& path, DWORD access) : m_path(path)
{
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &m_everyone);
    ACL* list = reinterpret_cast<ACL*>(m_list);
    ::InitializeAcl(list, sizeof(m_list), ACL_REVISION);
    if (access)
        ::AddAccessAllowedAce(list, ACL_REVISION, access, m_everyone);
    EXPECT_TRUE(SetAccessList(list));
}

RestrictedRegistryKey::~RestrictedRegistryKey()
{
    EXPECT_TRUE(SetAccessList(nullptr));
    ::FreeSid(m_everyone);
}

BOOL RestrictedRegistryKey::SetAccessList(ACL* list) const
{
    SECURITY_DESCRIPTOR descriptor;
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE);
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_path, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return FALSE;
    const LONG result = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
