// Dustora.exe started as a process in the sandbox: one instance at a time, and the run modes.
#include "support/SandboxProcess.h"

#include <gtest/gtest.h>

namespace {

const char kProgram[] = "Dustora.exe";
const char kTitle[] = "Dustora 2.0";
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

TEST(StartupProcess, CleanClosesByItself)
{
    for (const char* arguments : {"/clean", "/CLEAN"}) {
        SCOPED_TRACE(arguments);
        SandboxProcess process;
        ASSERT_TRUE(process.Start(kProgram, arguments));
        EXPECT_TRUE(process.WaitForExit(kStartTimeoutMs));
        EXPECT_EQ(0u, process.ExitCode());
    }
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
