#include "support/RestrictedRegistryKey.h"

#include <gtest/gtest.h>

RestrictedRegistryKey::RestrictedRegistryKey(HKEY root, const CString& path, DWORD access) : m_root(root), m_path(path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(m_root, m_path, 0, READ_CONTROL, &key) == ERROR_SUCCESS) {
        DWORD size = 0;
        ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        m_original.resize(size);
        if (size == 0 || ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, m_original.data(), &size) != ERROR_SUCCESS)
            m_original.clear();
        ::RegCloseKey(key);
    }

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &m_everyone);
    ACL* list = reinterpret_cast<ACL*>(m_list);
    ::InitializeAcl(list, sizeof(m_list), ACL_REVISION);
    if (access)
        ::AddAccessAllowedAce(list, ACL_REVISION, access, m_everyone);
    EXPECT_TRUE(SetAccessList(list)) << m_path.GetString();
}

RestrictedRegistryKey::~RestrictedRegistryKey()
{
    if (!m_original.empty())
        EXPECT_TRUE(SetSecurity(reinterpret_cast<SECURITY_DESCRIPTOR*>(m_original.data()))) << m_path.GetString();
    else
        EXPECT_TRUE(SetAccessList(nullptr)) << m_path.GetString();
    ::FreeSid(m_everyone);
}

BOOL RestrictedRegistryKey::SetAccessList(ACL* list) const
{
    SECURITY_DESCRIPTOR descriptor;
    ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE);
    return SetSecurity(&descriptor);
}

BOOL RestrictedRegistryKey::SetSecurity(SECURITY_DESCRIPTOR* descriptor) const
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(m_root, m_path, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return FALSE;
    const LONG result = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
