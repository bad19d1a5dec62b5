// Dustora.exe started in the sandbox: the splash shows for an empty command line only, and
// goes by itself once the main dialog is up.
#include "support/SandboxFolder.h"
#include "support/SandboxProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kProgram[] = "Dustora.exe", kSplashTitle[] = "Dustora", kMainTitle[] = "Dustora 2.0";
constexpr DWORD kStartTimeoutMs = 20000;

HWND WindowTitled(const SandboxProcess& process, const char* title, bool visibleOnly = true)
{
    for (HWND window : TopLevelWindows(process.Id())) {
        char text[64] = "";
        ::GetWindowTextA(window, text, sizeof(text));
        if (std::string(text) == title && (!visibleOnly || ::IsWindowVisible(window)))
            return window;
    }
    return nullptr;
}

void CloseAndWait(const SandboxProcess& process, HWND window)
{
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.WaitForExit(10000)) << "still running after WM_CLOSE";
}

TEST(SplashProcess, AnEmptyCommandLineShowsTheSplashUntilTheMainDialogIsUp)
{
    SandboxProcess process;
    ASSERT_TRUE(process.Start(kProgram, ""));
    const HWND splash = process.WaitForWindow(kSplashTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, splash);
    EXPECT_EQ(nullptr, WindowTitled(process, kMainTitle)) << "the splash comes before the main dialog";

    const HWND main = process.WaitForWindow(kMainTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(splash); })) << "the splash stays after the main dialog is up";
    EXPECT_TRUE(::IsWindowVisible(main));
    CloseAndWait(process, main);
}

TEST(SplashProcess, AnyCommandLineShowsNone)
{
    for (const char* arguments : {"/start", "/clean ", "/load"}) {
        SCOPED_TRACE(arguments);
        SandboxProcess process;
        ASSERT_TRUE(process.Start(kProgram, arguments));
        HWND main = nullptr;
        const DWORD start = ::GetTickCount();
        while (!main && ::GetTickCount() - start < kStartTimeoutMs && !process.WaitForExit(20)) {
            EXPECT_EQ(nullptr, WindowTitled(process, kSplashTitle));
            main = WindowTitled(process, kMainTitle, false);
        }
        ASSERT_NE(nullptr, main);
        EXPECT_EQ(nullptr, WindowTitled(process, kSplashTitle));
        CloseAndWait(process, main);
    }
}

}  // namespace
