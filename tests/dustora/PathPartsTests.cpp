// The engine's path grammar: roots, absolute paths, literal paths, final paths and names.
#include "engine/PathParts.h"

#include "support/HostileTrees.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

struct PathCase {
    const char* path;
    bool expected;
};

TEST(PathParts, RecognisesEveryFormOfDriveAndShareRoot)
{
    static const PathCase kCases[] = {
        {"C:\\", true},          {"C:", true},
        {"C:/", true},           {"c:\\\\", true},
        {"Z:\\/", true},         {"\\", true},
        {"/", true},             {"\\\\", true},
        {"\\\\server", true},    {"\\\\server\\share", true},
        {"\\\\server\\share\\", true}, {"//server/share/", true},
        {"\\\\?\\C:\\", true},   {"\\\\.\\C:", true},
        {"C:\\Temp", false},     {"C:\\Temp\\", false},
        {"C:/WINDOWS/TEMP/", false}, {"\\\\server\\share\\dir", false},
        {"\\Temp", false},       {"temp", false},
        {"C:temp", false},       {"CC:\\", false},
        {"", false},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, IsRootPath(c.path));
    }
}

TEST(PathParts, TakesOnlyDriveAndUncPathsAsAbsolute)
{
    static const PathCase kCases[] = {
        {"C:\\Temp", true},      {"c:/temp", true},
        {"C:\\", true},          {"\\\\server\\share", true},
        {"\\\\server\\share\\dir", true}, {"//server/share", true},
        {"C:", false},           {"C:temp", false},
        {"temp", false},         {".\\temp", false},
        {"\\temp", false},       {"\\\\server", false},
        {"\\\\server\\", false}, {"\\\\?\\C:\\Temp", false},
        {"\\\\.\\C:", false},    {"1:\\Temp", false},
        {"", false},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, IsAbsolutePath(c.path));
    }
}

TEST(PathParts, LiteralPathTakesEveryNameAsItStands)
{
    struct LiteralCase {
        const char* path;
        const wchar_t* literal;
    };
    static const LiteralCase kCases[] = {
        {"C:\\", L"\\\\?\\C:\\"},
        {"c:/Temp/", L"\\\\?\\C:\\Temp"},
        {"C:\\WINDOWS\\\\APPLOG\\", L"\\\\?\\C:\\WINDOWS\\APPLOG"},
        {"E:\\T\\Swept/Cache./old.TMP", L"\\\\?\\E:\\T\\Swept\\Cache.\\old.TMP"},
        {"E:\\T\\dir \\...", L"\\\\?\\E:\\T\\dir \\..."},
        {"E:\\a\\.\\b\\..\\c", L"\\\\?\\E:\\a\\c"},
        {"E:\\..\\..\\x", L"\\\\?\\E:\\x"},
        {"\\\\server\\share\\dir", L"\\\\?\\UNC\\server\\share\\dir"},
        {"\\\\?\\E:\\T\\report.", L"\\\\?\\E:\\T\\report."},
        {"temp", L""},        {"C:temp", L""},       {"\\temp", L""},
        {"\\\\.\\C:", L""}, {"\\\\?\\unix\\tmp", L""}, {"", L""},
    };
    for (const LiteralCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(std::wstring(c.literal), LiteralPath(c.path));
    }
}

TEST(PathParts, JudgesFinalPaths)
{
    struct FinalCase {
        const wchar_t* path;
        bool onADrive;
        bool root;
    };
    static const FinalCase kCases[] = {
        {L"\\\\?\\C:\\", true, true},           {L"\\\\?\\C:", true, true},
        {L"\\\\?\\C:\\Temp", true, false},      {L"\\\\?\\UNC\\srv\\share", true, true},
        {L"\\\\?\\UNC\\srv\\share\\", true, true}, {L"\\\\?\\UNC\\srv\\share\\d", true, false},
        {L"\\\\?\\unix\\", false, false},       {L"\\\\?\\unix\\tmp\\x", false, false},
        {L"\\\\?\\Volume{1234}\\", false, false}, {L"C:\\Temp", false, false},
        {L"", false, false},
    };
    for (const FinalCase& c : kCases) {
        SCOPED_TRACE(std::string(c.path, c.path + std::wcslen(c.path)));
        EXPECT_EQ(c.onADrive, IsOnADrive(c.path));
        EXPECT_EQ(c.root, IsDriveOrShareRoot(c.path));
    }
    EXPECT_TRUE(IsSameOrAncestor(L"\\\\?\\C:\\users", L"\\\\?\\C:\\Users\\bob"));
    EXPECT_TRUE(IsSameOrAncestor(L"\\\\?\\C:\\Users\\bob\\", L"\\\\?\\C:\\users\\BOB"));
    EXPECT_FALSE(IsSameOrAncestor(L"\\\\?\\C:\\Users\\bob\\Temp", L"\\\\?\\C:\\Users\\bob"));
    EXPECT_FALSE(IsSameOrAncestor(L"\\\\?\\C:\\Use", L"\\\\?\\C:\\Users"));
}

TEST(PathParts, TakesOnlyNamesWithAnExactAnsiForm)
{
    struct NameCase {
        const wchar_t* name;
        const char* ansi;   // nullptr: refused
    };
    static const NameCase kCases[] = {
        {L"report.TMP", "report.TMP"}, {L"caf\xE9.txt", "caf\xE9.txt"}, {L"dots...", "dots..."},
        {L"blank ", "blank "},         {L"a\\b", nullptr},             {L"a/b", nullptr},
        {L"a:b", nullptr},             {L"a*", nullptr},                {L"a?", nullptr},
        {L"a\"b", nullptr},            {L"a<b>", nullptr},              {L"a|b", nullptr},
        {L"tab\there", nullptr},       {L"", nullptr},                  {L"\x4E2D\x6587", nullptr},
    };
    for (const NameCase& c : kCases) {
        SCOPED_TRACE(c.ansi ? c.ansi : "refused");
        CString ansi = "0xdeadbeef";
        EXPECT_EQ(c.ansi != nullptr, AnsiNameOf(c.name, ansi));
        if (c.ansi) {
            EXPECT_EQ(CString(c.ansi), ansi);
        }
    }
    for (const wchar_t* name : kHostileNames) {
        CString ansi;
        EXPECT_FALSE(AnsiNameOf(name, ansi)) << ansi.GetString();
    }
}

}  // namespace
