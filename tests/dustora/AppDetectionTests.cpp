// Office and Outlook Express as the current user's registry shows them, and the deletion of the
// Windows 98 registry backup cabinets. The keys and the SYSBCKUP folder are the real ones of the
// sandbox: each test makes what it needs there and removes exactly that again, and tests of
// different processes take turns through a named lock.
#include "engine/CInternetAppInfo.h"
#include "engine/COfficeInfo.h"
#include "registry/CRegistry.h"
#include "support/NamedLock.h"
#include "support/RestrictedRegistryKey.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

bool KeyOpens(const char* path, REGSAM access)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// A key under HKEY_CURRENT_USER that must not exist before the test: made with whatever is
// missing above it, and removed again from the highest key this object made.
class MadeKey {
public:
    explicit MadeKey(const char* path) : m_path(path)
    {
        EXPECT_FALSE(KeyOpens(path, KEY_READ)) << path << " exists already; the test would change it";
        int from = 0;
        for (;;) {
            const int slash = m_path.Find('\\', from);
            const CString part = slash < 0 ? m_path : m_path.Left(slash);
            HKEY key = nullptr;
            DWORD disposition = 0;
            const LONG code = ::RegCreateKeyExA(HKEY_CURRENT_USER, part, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
            EXPECT_EQ(ERROR_SUCCESS, code) << part.GetString();
            if (code == ERROR_SUCCESS)
                ::RegCloseKey(key);
            if (disposition == REG_CREATED_NEW_KEY && m_highestMade.IsEmpty())
                m_highestMade = part;
            if (slash < 0)
                break;
            from = slash + 1;
        }
    }
    ~MadeKey()
    {
        if (!m_highestMade.IsEmpty()) {
            EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(HKEY_CURRENT_USER, m_highestMade)) << m_highestMade.GetString();
        }
    }
    MadeKey(const MadeKey&) = delete;
    MadeKey& operator=(const MadeKey&) = delete;

    void SetValue(const char* name, DWORD type, const std::string& data) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_path, 0, KEY_SET_VALUE, &key));
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                                  static_cast<DWORD>(data.size() + 1)));
        ::RegCloseKey(key);
    }

    const CString& Path() const { return m_path; }

private:
    CString m_path;
    CString m_highestMade;
};

const char kOffice2000[] = "Software\\Microsoft\\Office\\9.0";
const char kOffice97[] = "Software\\Microsoft\\Office\\8.0";
const REGSAM kReadWrite = KEY_READ | KEY_WRITE;

enum class KeyState { Missing, Writable, ReadOnly, Denied };

const char* Describe(KeyState state)
{
    switch (state) {
    case KeyState::Missing: return "missing";
    case KeyState::Writable: return "writable";
    case KeyState::ReadOnly: return "read-only";
    case KeyState::Denied: return "denied";
    }
    return "?";
}

// Makes the key in the state asked for; keyHolder and restriction live as long as the case.
void Arrange(const char* path, KeyState state, std::unique_ptr<MadeKey>& keyHolder,
             std::unique_ptr<RestrictedRegistryKey>& restriction)
{
    if (state == KeyState::Missing) {
        ASSERT_FALSE(KeyOpens(path, KEY_READ)) << path;
        return;
    }
    keyHolder = std::make_unique<MadeKey>(path);
    if (state == KeyState::ReadOnly)
        restriction = std::make_unique<RestrictedRegistryKey>(keyHolder->Path(), KEY_READ);
    if (state == KeyState::Denied)
        restriction = std::make_unique<RestrictedRegistryKey>(keyHolder->Path(), 0);
    // The arrangement itself is what the case is about: check it took.
    EXPECT_EQ(state != KeyState::Denied, KeyOpens(path, KEY_READ)) << path;
    EXPECT_EQ(state == KeyState::Writable, KeyOpens(path, kReadWrite)) << path;
}

}  // namespace

TEST(OfficeInfo, InstalledWhenAUserKeyOpensForReadingAndWriting)
{
    NamedLock lock("DustoraTests.OfficeKeys");
    struct Case { KeyState office2000; KeyState office97; int installed; };
    const Case cases[] = {
        {KeyState::Missing, KeyState::Missing, 0},
        {KeyState::Missing, KeyState::Writable, 1},
        {KeyState::Writable, KeyState::Missing, 1},
        {KeyState::Writable, KeyState::Writable, 1},
        {KeyState::ReadOnly, KeyState::Missing, 0},
        {KeyState::ReadOnly, KeyState::Writable, 1},
        {KeyState::Writable, KeyState::ReadOnly, 1},
        {KeyState::Missing, KeyState::ReadOnly, 0},
        {KeyState::ReadOnly, KeyState::ReadOnly, 0},
        {KeyState::Denied, KeyState::Writable, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("9.0 ") + Describe(c.office2000) + ", 8.0 " + Describe(c.office97));
        std::unique_ptr<MadeKey> key2000, key97;
        std::unique_ptr<RestrictedRegistryKey> restricted2000, restricted97;
        Arrange(kOffice2000, c.office2000, key2000, restricted2000);
        Arrange(kOffice97, c.office97, key97, restricted97);

        const COfficeInfo office;
        EXPECT_EQ(c.installed, office.m_Installed);
    }
    EXPECT_FALSE(KeyOpens("Software\\Microsoft\\Office", KEY_READ)) << "left behind";
}

namespace {

const char kOutlookExpress[] = "Software\\Microsoft\\Outlook Express";

}  // namespace

TEST(InternetAppInfo, WithoutTheOutlookExpressKeyTheStoreIsEmpty)
{
    NamedLock lock("DustoraTests.OutlookExpressKey");
    ASSERT_FALSE(KeyOpens(kOutlookExpress, KEY_READ));
    const CInternetAppInfo info;
    EXPECT_STREQ("", info.m_StoreRoot);
}

TEST(InternetAppInfo, StoreRootIsTakenAsStored)
{
    NamedLock lock("DustoraTests.OutlookExpressKey");
    const std::string longest(2047, 'x');
    struct Case { const char* name; bool present; DWORD type; std::string stored; const char* expected; };
    const Case cases[] = {
        {"no Store Root value", false, REG_SZ, "", ""},
        {"environment reference kept", true, REG_SZ, "%UserProfile%\\Mail", "%UserProfile%\\Mail"},
        {"expandable value not expanded", true, REG_EXPAND_SZ, "%UserProfile%\\Mail", "%UserProfile%\\Mail"},
        {"typed path", true, REG_SZ, "C:\\WINDOWS\\Application Data\\Outlook Express\\",
         "C:\\WINDOWS\\Application Data\\Outlook Express\\"},
        {"empty value", true, REG_SZ, "", ""},
        {"longest that fits", true, REG_SZ, longest, longest.c_str()},
        {"one byte too long", true, REG_SZ, longest + "y", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MadeKey key(kOutlookExpress);
        if (c.present)
            key.SetValue("Store Root", c.type, c.stored);
        const CInternetAppInfo info;
        EXPECT_STREQ(c.expected, info.m_StoreRoot);
    }
}

TEST(InternetAppInfo, AKeyThatWillNotOpenForReadingGivesNoStore)
{
    NamedLock lock("DustoraTests.OutlookExpressKey");
    const MadeKey key(kOutlookExpress);
    key.SetValue("Store Root", REG_SZ, "C:\\Mail");
    {
        const RestrictedRegistryKey denied(key.Path(), KEY_SET_VALUE);
        ASSERT_FALSE(KeyOpens(kOutlookExpress, KEY_READ));
        const CInternetAppInfo info;
        EXPECT_STREQ("", info.m_StoreRoot);
    }
    const CInternetAppInfo info;
    EXPECT_STREQ("C:\\Mail", info.m_StoreRoot);
}

namespace {

CString BackupName(int number)
{
    char name[16];
    std::snprintf(name, sizeof(name), "rb%03d.cab", number);
    return name;
}

// <Windows folder>\SYSBCKUP of the sandbox: made when missing and then removed again; every
// cabinet a test makes there is removed at the end, whatever the cleaner left.
class BackupFolder {
public:
    BackupFolder()
    {
        char windows[MAX_PATH] = "";
        ::GetWindowsDirectoryA(windows, sizeof(windows));
        m_path = CString(windows) + "\\SYSBCKUP";
        m_made = ::CreateDirectoryA(m_path, nullptr) != FALSE;
        EXPECT_TRUE(m_made || ::GetLastError() == ERROR_ALREADY_EXISTS) << ::GetLastError();
    }
    ~BackupFolder()
    {
        for (const CString& path : m_files) {
            ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path);
        }
        if (m_made) {
            EXPECT_TRUE(::RemoveDirectoryA(m_path)) << ::GetLastError();
        }
    }
    BackupFolder(const BackupFolder&) = delete;
    BackupFolder& operator=(const BackupFolder&) = delete;

    CString PathOf(int number) const { return m_path + "\\" + BackupName(number); }

    void Make(int number)
    {
        const CString path = PathOf(number);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path)) << path.GetString() << " exists already";
        const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << path.GetString();
        DWORD written = 0;
        ::WriteFile(file, "MSCF", 4, &written, nullptr);
        ::CloseHandle(file);
        m_files.push_back(path);
    }

    bool Exists(int number) const { return ::GetFileAttributesA(PathOf(number)) != INVALID_FILE_ATTRIBUTES; }

    // The numbers from first to last (both included) that are still there.
    std::vector<int> Remaining(int first, int last) const
    {
        std::vector<int> numbers;
        for (int n = first; n <= last; ++n)
            if (Exists(n))
                numbers.push_back(n);
        return numbers;
    }

private:
    CString m_path;
    bool m_made = false;
    std::vector<CString> m_files;
};

}  // namespace

TEST(RegistryBackups, DeletedFromRb000UpToTheFirstGap)
{
    NamedLock lock("DustoraTests.SYSBCKUP");
    struct Case { const char* name; std::vector<int> present; std::vector<int> remaining; };
    const Case cases[] = {
        {"none", {}, {}},
        {"rb000 to rb004, then a gap", {0, 1, 2, 3, 4, 6}, {6}},
        {"rb001 alone", {1}, {1}},
        {"rb000 alone", {0}, {}},
        {"rb000 and rb002", {0, 2}, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BackupFolder folder;
        for (int number : c.present)
            folder.Make(number);
        COfficeInfo office;
        office.DeleteRegistryBackups();
        EXPECT_EQ(c.remaining, folder.Remaining(0, 10));
    }
}

// A cabinet someone holds open does not open unshared: the work ends there.
TEST(RegistryBackups, ACabinetInUseEndsTheWork)
{
    NamedLock lock("DustoraTests.SYSBCKUP");
    BackupFolder folder;
    for (int number : {0, 1, 2})
        folder.Make(number);
    const HANDLE held = ::CreateFileA(folder.PathOf(1), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    COfficeInfo office;
    office.DeleteRegistryBackups();
    ::CloseHandle(held);
    EXPECT_EQ((std::vector<int>{1, 2}), folder.Remaining(0, 10));
}

// A cabinet that opens but cannot be deleted stays, and the work goes on with the next one.
TEST(RegistryBackups, AnUndeletableCabinetIsPassedOver)
{
    NamedLock lock("DustoraTests.SYSBCKUP");
    BackupFolder folder;
    for (int number : {0, 1})
        folder.Make(number);
    ASSERT_TRUE(::SetFileAttributesA(folder.PathOf(0), FILE_ATTRIBUTE_READONLY));
    COfficeInfo office;
    office.DeleteRegistryBackups();
    EXPECT_EQ((std::vector<int>{0}), folder.Remaining(0, 10));
}

// Numbers 000 to 998 are the cabinets; rb999.cab is never looked at.
TEST(RegistryBackups, Rb999IsBeyondTheRange)
{
    NamedLock lock("DustoraTests.SYSBCKUP");
    BackupFolder folder;
    for (int number = 0; number <= 999; ++number)
        folder.Make(number);
    COfficeInfo office;
    office.DeleteRegistryBackups();
    EXPECT_EQ((std::vector<int>{999}), folder.Remaining(0, 999));
}
