// The registry profile of the application object: HKCU\Software\Halvex\<program>\<section>.
#include "app/CCleanerApp.h"
#include "support/NamedLock.h"
#include "support/ProgramProfileKey.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

namespace {

class Profile : public ::testing::Test {
protected:
    CString SectionPath(const char* section) const { return m_profile.SectionPath(section); }

    HKEY OpenSection(const char* section) const
    {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }

    bool SectionExists(const char* section) const
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

    void WriteRaw(const char* section, const char* name, DWORD type, const std::vector<BYTE>& data) const
    {
        HKEY key = OpenSection(section);
        ASSERT_NE(nullptr, key);
        WriteRawValue(key, name, type, data);
        ::RegCloseKey(key);
    }

    RawRegistryValue ReadRaw(const char* section, const char* name) const
    {
        HKEY key = OpenSection(section);
        RawRegistryValue value = ReadRawValue(key, name);
        ::RegCloseKey(key);
        return value;
    }

    // The tests of this program run in processes of their own, side by side, on one profile key.
    NamedLock m_profileLock{"DustoraTests.ProfileTestsProfile"};
    ProgramProfileKey m_profile;
};

TEST_F(Profile, ProgramNameIsTheExecutablesBaseName)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    const CString tail = CString("\\") + theApp.m_pszAppName + ".exe";
    const CString full(path);
    EXPECT_EQ(0, full.Right(tail.GetLength()).CompareNoCase(tail)) << path;
    EXPECT_EQ(-1, theApp.m_pszAppName.Find('.'));
}

TEST_F(Profile, ReadsCreateTheSectionKey)
{
    ASSERT_FALSE(SectionExists("ProfileIntRead"));
    EXPECT_EQ(7u, theApp.GetProfileInt("ProfileIntRead", "Missing", 7));
    EXPECT_TRUE(SectionExists("ProfileIntRead"));

    ASSERT_FALSE(SectionExists("ProfileStringRead"));
    EXPECT_STREQ("fallback", theApp.GetProfileString("ProfileStringRead", "Missing", "fallback"));
    EXPECT_TRUE(SectionExists("ProfileStringRead"));
}

TEST_F(Profile, AbsentValuesGiveTheDefault)
{
    EXPECT_EQ(1u, theApp.GetProfileInt("ProfileAbsent", "Nothing", 1));
    EXPECT_EQ(0u, theApp.GetProfileInt("ProfileAbsent", "Nothing", 0));
    EXPECT_STREQ("", theApp.GetProfileString("ProfileAbsent", "Nothing", ""));
    EXPECT_STREQ("", theApp.GetProfileString("ProfileAbsent", "Nothing"));
}

// Whatever fits in four bytes is the setting, whatever its registry type.
TEST_F(Profile, IntegerReadsTakeTheValuesBytes)
{
    struct Case { const char* name; DWORD type; std::vector<BYTE> data; UINT expected; };
    const Case cases[] = {
        {"DwordOne", REG_DWORD, {1, 0, 0, 0}, 1u},
        {"DwordTwo", REG_DWORD, {2, 0, 0, 0}, 2u},
        {"DwordAllOnes", REG_DWORD, {0xff, 0xff, 0xff, 0xff}, 0xffffffffu},
        {"BinaryFour", REG_BINARY, {5, 0, 0, 0}, 5u},
        {"StringTwelve", REG_SZ, {'1', '2', 0}, 0x3231u},
        {"EightBytes", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}, 0xdeadbeefu},
        {"QwordOne", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 0xdeadbeefu},
        {"LongString", REG_SZ, {'1', '2', '3', '4', '5', 0}, 0xdeadbeefu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaw("ProfileIntBytes", c.name, c.type, c.data);
        EXPECT_EQ(c.expected, theApp.GetProfileInt("ProfileIntBytes", c.name, static_cast<int>(0xdeadbeef)));
    }
}

TEST_F(Profile, IntegersAreWrittenAsFourByteDwords)
{
    struct Case { const char* name; int value; };
    const Case cases[] = {{"Zero", 0}, {"One", 1}, {"Large", 123456789}, {"MinusOne", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(theApp.WriteProfileInt("ProfileIntWrite", c.name, c.value));
        const RawRegistryValue raw = ReadRaw("ProfileIntWrite", c.name);
        EXPECT_EQ(ERROR_SUCCESS, raw.code);
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), raw.type);
        ASSERT_EQ(4u, raw.data.size());
        EXPECT_EQ(static_cast<UINT>(c.value), theApp.GetProfileInt("ProfileIntWrite", c.name, 42));
    }
}

TEST_F(Profile, StringsRoundTripWithTheirTerminator)
{
    const CString longText(static_cast<char>('x'), 3000);
    struct Case { const char* name; CString text; };
    const Case cases[] = {
        {"Empty", ""},
        {"Folder", "C:\\WINDOWS\\TEMP\\"},
        {"LastCleaned", " System was last Cleaned on Monday, June 01, 2020 10:00:00"},
        {"Lines", "one\ntwo\r\nthree"},
        {"Long", longText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(theApp.WriteProfileString("ProfileStrings", c.name, c.text));
        const RawRegistryValue raw = ReadRaw("ProfileStrings", c.name);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.type);
        EXPECT_EQ(static_cast<size_t>(c.text.GetLength() + 1), raw.data.size());
        EXPECT_STREQ(c.text, theApp.GetProfileString("ProfileStrings", c.name, "default"));
    }
}

TEST_F(Profile, StringReadsOfOtherTypesGiveTheDefault)
{
    WriteRaw("ProfileStringTypes", "Dword", REG_DWORD, {1, 0, 0, 0});
    EXPECT_STREQ("default", theApp.GetProfileString("ProfileStringTypes", "Dword", "default"));
}

TEST_F(Profile, SectionsKeepTheirOwnValues)
{
    theApp.WriteProfileInt("ProfileSectionA", "DelCacheFolder", 0);
    theApp.WriteProfileInt("ProfileSectionB", "DelCacheFolder", 1);
    EXPECT_EQ(0u, theApp.GetProfileInt("ProfileSectionA", "DelCacheFolder", 5));
    EXPECT_EQ(1u, theApp.GetProfileInt("ProfileSectionB", "DelCacheFolder", 5));
}

TEST_F(Profile, WithoutARegistryKeyReadsGiveDefaultsAndWritesFail)
{
    theApp.m_pszRegistryKey.Empty();
    EXPECT_FALSE(theApp.WriteProfileInt("ProfileNoKey", "Value", 1));
    EXPECT_FALSE(theApp.WriteProfileString("ProfileNoKey", "Text", "x"));
    EXPECT_EQ(9u, theApp.GetProfileInt("ProfileNoKey", "Value", 9));
    EXPECT_STREQ("d", theApp.GetProfileString("ProfileNoKey", "Text", "d"));
    theApp.SetRegistryKey("Halvex");
    EXPECT_FALSE(SectionExists("ProfileNoKey"));
}

TEST_F(Profile, FolderSettingsReadAsStoredOrEmpty)
{
    // The folder fields live in section "Folders" of this program's own key.
    theApp.WriteProfileString("Folders", "WinTemp", "C:\\TEMP\\");
    theApp.WriteProfileString("Folders", "NSCache", "typed as typed");
    theApp.m_folderRecentDocs = "sentinel";
    theApp.LoadFolderSettings();
    EXPECT_STREQ("", theApp.m_folderRecentDocs);
    EXPECT_STREQ("C:\\TEMP\\", theApp.m_folderTemp);
    EXPECT_STREQ("", theApp.m_folderIECache);
    EXPECT_STREQ("", theApp.m_folderIECookies);
    EXPECT_STREQ("typed as typed", theApp.m_folderNSCache);
}

}  // namespace
