#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <sddl.h>

namespace {

const char kTestsRoot[] = "Software\\DustoraTests";

CString CurrentTestName()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? CString(test->test_suite_name()) + "." + test->name() : CString("NoTest");
}

// "\REGISTRY\USER\<user's SID>": HKEY_CURRENT_USER as the native registry names it in links.
CString CurrentUserKeyPath()
{
    HANDLE token = nullptr;
    EXPECT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token));
    alignas(TOKEN_USER) BYTE user[256] = {};
    DWORD size = sizeof user;
    const BOOL read = token && ::GetTokenInformation(token, TokenUser, user, size, &size);
    if (token)
        ::CloseHandle(token);
    char* sid = nullptr;
    if (!read || !::ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid)) {
        ADD_FAILURE() << "no SID for the current user";
        return CString();
    }
    const CString path = CString("\\REGISTRY\\USER\\") + sid;
    ::LocalFree(sid);
    return path;
}

}  // namespace

// RegDeleteTreeA is newer than the headers' target version: look it up at run time.
LONG DeleteRegistryTree(HKEY parent, const char* path)
{
    using DeleteTreeFn = LONG(WINAPI*)(HKEY, LPCSTR);
    const auto deleteTree = reinterpret_cast<DeleteTreeFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegDeleteTreeA")));
    return deleteTree ? deleteTree(parent, path) : ERROR_CALL_NOT_IMPLEMENTED;
}

ScratchRegistryKey::ScratchRegistryKey() : m_path(CString(kTestsRoot) + "\\" + CurrentTestName())
{
    DeleteRegistryTree(HKEY_CURRENT_USER, m_path);   // left over from an interrupted run
    const LONG code = ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path, 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &m_key, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, code) << "creating HKCU\\" << m_path.GetString();
}

ScratchRegistryKey::~ScratchRegistryKey()
{
    if (m_key)
        ::RegCloseKey(m_key);
    EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(HKEY_CURRENT_USER, m_path)) << "deleting HKCU\\" << m_path.GetString();
    // Fails while other tests still have keys there, as it should.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestsRoot);
}

void ScratchRegistryKey::CreateKey(const char* relative) const
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(m_key, relative, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr)) << relative;
    ::RegCloseKey(key);
}

void ScratchRegistryKey::CreateLink(const char* relative, const char* targetRelative) const
{
    const CString target = CurrentUserKeyPath() + "\\" + m_path + "\\" + targetRelative;
    WCHAR wideTarget[1024];
    const int length = ::MultiByteToWideChar(CP_ACP, 0, target, -1, wideTarget, 1024) - 1;
    ASSERT_GT(length, 0) << target.GetString();
    HKEY link = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(m_key, relative, 0, nullptr, REG_OPTION_CREATE_LINK,
                                               KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr)) << relative;
    // The target is stored without a terminator, as the native registry expects.
    const LONG code = ::RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                                       reinterpret_cast<const BYTE*>(wideTarget),
                                       static_cast<DWORD>(length) * sizeof(WCHAR));
    ::RegCloseKey(link);
    ASSERT_EQ(ERROR_SUCCESS, code) << relative;
}

bool ScratchRegistryKey::KeyExists(const char* relative) const
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(m_key, relative, REG_OPTION_OPEN_LINK, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

RawRegistryValue ReadRawValue(HKEY key, const char* name)
{
    RawRegistryValue value;
    DWORD size = 0;
    value.code = ::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    if (value.code != ERROR_SUCCESS)
        return value;
    value.data.assign(size, 0xcf);
    value.code = ::RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
    return value;
}

std::string ReadTextValue(HKEY key, const char* name)
{
    const RawRegistryValue raw = ReadRawValue(key, name);
    if (raw.code != ERROR_SUCCESS)
        return "(none)";
    if (raw.type != REG_SZ)
        return "(not text)";
    return std::string(raw.data.begin(), raw.data.end()).c_str();
}

void WriteRawValue(HKEY key, const char* name, DWORD type, const std::vector<BYTE>& data)
{
    const BYTE none = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, data.empty() ? &none : data.data(),
                                              static_cast<DWORD>(data.size()))) << name;
}
