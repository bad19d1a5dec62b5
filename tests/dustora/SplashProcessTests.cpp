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

// The main dialog may stay hidden after a command line; its window is enough then.
TEST(SplashProcess, OnlyAnEmptyCommandLineShowsTheSplashAndOnlyUntilTheMainDialogIsUp)
{
    for (const char* arguments : {"", "/start", "/clean ", "/load"}) {
        SCOPED_TRACE(arguments);
        const bool wantsSplash = !*arguments;
        SandboxProcess process;
        ASSERT_TRUE(process.Start(kProgram, arguments));
        bool splashShown = false;
        HWND main = nullptr;
        const DWORD start = ::GetTickCount();
        while (!main && ::GetTickCount() - start < kStartTimeoutMs && !process.WaitForExit(20)) {
            splashShown = splashShown || WindowTitled(process, kSplashTitle);
            main = WindowTitled(process, kMainTitle, wantsSplash);
        }
        ASSERT_NE(nullptr, main);
        EXPECT_EQ(wantsSplash, splashShown) << "a splash before the main dialog";
        EXPECT_TRUE(WaitUntil([&] { return !WindowTitled(process, kSplashTitle, false); }))
            << "the splash stays after the main dialog is up";
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.WaitForExit(10000)) << "still running after WM_CLOSE";
    }
}

}  // namespace
