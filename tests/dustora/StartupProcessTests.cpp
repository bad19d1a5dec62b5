// Dustora.exe started as a process in the sandbox: one instance at a time, and the run modes.
#include "resources/DustoraResource.h"
#include "support/NamedLock.h"
#include "support/RecycleBin.h"
#include "support/SandboxFolder.h"
#include "support/SandboxProcess.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kProgram[] = "Dustora.exe";
const char kTitle[] = "Dustora 2.0";
const char kProfile[] = "Software\\Halvex\\Dustora";
constexpr DWORD kStartTimeoutMs = 20000;

void CloseAndWait(const SandboxProcess& process, HWND window)
{
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.WaitForExit(10000)) << "still running after WM_CLOSE";
    EXPECT_EQ(0u, process.ExitCode());
}

TEST(StartupProcess, ASecondInstanceEndsAtOnce)
{
    SandboxProcess first;
    ASSERT_TRUE(first.Start(kProgram, "/start")) << ::GetLastError();
    const HWND window = first.WaitForWindow(kTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, window);

    for (const char* arguments : {"", "/clean", "/load", "/start"}) {
        SCOPED_TRACE(std::string("second instance with \"") + arguments + "\"");
        SandboxProcess second;
        ASSERT_TRUE(second.Start(kProgram, arguments));
        EXPECT_TRUE(second.WaitForExit(10000));
        EXPECT_EQ(0u, second.ExitCode());
        EXPECT_TRUE(TopLevelWindows(second.Id()).empty());
    }
    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(::IsWindowVisible(window));
    CloseAndWait(first, window);
}

void WriteFolderSetting(const char* name, const CString& folder)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, (CString(kProfile) + "\\Folders").GetString(), 0,
                                               nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.GetString()),
                     static_cast<DWORD>(folder.GetLength() + 1));
    ::RegCloseKey(key);
}

// One clean with the default options, over the test's own temporary and cache folders and the
// sandbox's Recycle Bin; the program ends once the report is closed.
TEST(StartupProcess, CleanEndsOnceTheReportIsClosed)
{
    NamedLock bin(kRecycleBinLock);
    SandboxFolder folder;
    for (const char* arguments : {"/clean", "/CLEAN"}) {
        SCOPED_TRACE(arguments);
        DeleteRegistryTree(HKEY_CURRENT_USER, kProfile);
        WriteFolderSetting("WinTemp", folder.Below("Temp\\"));
        WriteFolderSetting("MSIECache", folder.Below("Cache\\"));
        folder.MakeFile("Temp\\setup.log");
        SandboxProcess process;
        ASSERT_TRUE(process.Start(kProgram, arguments));
        const HWND report = process.WaitForWindow("Dustora Statistics...", kStartTimeoutMs);
        ASSERT_NE(nullptr, report);
        ASSERT_TRUE(WaitUntil([report] { return ::IsWindowVisible(report) != FALSE; }));   // its text is written
        char text[64] = "";
        ::GetDlgItemTextA(report, IDC_REPORT_TEXT, text, sizeof(text));
        EXPECT_EQ(0u, std::string(text).rfind(" System Clean Report...", 0)) << text;
        EXPECT_FALSE(folder.IsListed("Temp\\setup.log"));
        EXPECT_FALSE(process.WaitForExit(500)) << "ended with the report open";
        ::PostMessageA(report, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(process.WaitForExit(10000));
        EXPECT_EQ(0u, process.ExitCode());
    }
    DeleteRegistryTree(HKEY_CURRENT_USER, kProfile);
}

TEST(StartupProcess, CleanWithATrailingBlankStaysOpen)
{
    SandboxProcess process;
    ASSERT_TRUE(process.Start(kProgram, "/clean "));
    const HWND window = process.WaitForWindow(kTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(process.WaitForExit(2000));
    EXPECT_TRUE(::IsWindowVisible(window));
    CloseAndWait(process, window);
}

TEST(StartupProcess, LoadStartsHidden)
{
    SandboxProcess process;
    ASSERT_TRUE(process.Start(kProgram, "/LOAD"));
    const HWND window = process.WaitForWindow(kTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, window);
    const DWORD start = ::GetTickCount();
    while (::IsWindowVisible(window) && ::GetTickCount() - start < 5000)
        ::Sleep(50);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(process.IsRunning());
    CloseAndWait(process, window);
}

}  // namespace
