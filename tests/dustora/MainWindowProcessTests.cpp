// Dustora.exe as users start it from its program folder: the Advanced Scheduler button starts
// Ordavel beside it, minimising moves it into the notification area, and the icon's Exit ends
// the program with its settings saved.
#include "app/CCleanerDlg.h"
#include "resources/DustoraResource.h"
#include "support/SandboxProcess.h"
#include "support/ScratchRegistryKey.h"
#include "support/ShellIcon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char kSchedulerTitle[] = "Dustora Automatic Scheduler 1.0";
const char kProfile[] = "Software\\Halvex\\Dustora";
constexpr DWORD kStartTimeoutMs = 20000;

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 5000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

// Any process's visible top-level window with this title; the process tests run one at a time.
HWND WaitForAnyWindow(const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = ::FindWindowA(nullptr, title)) && ::IsWindowVisible(found); }, timeoutMs);
    return found && ::IsWindowVisible(found) ? found : nullptr;
}

// Starts Dustora and waits until its window is up and it waits for input.
HWND StartDustora(SandboxProcess& dustora, const char* arguments)
{
    if (!dustora.Start("Dustora.exe", arguments))
        return nullptr;
    const HWND window = dustora.WaitForWindow("Dustora 2.0", kStartTimeoutMs);
    return window && dustora.WaitForIdle(kStartTimeoutMs) ? window : nullptr;
}

TEST(MainWindowProcess, AdvancedSchedulerStartsOrdavelFromTheProgramFolder)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(SandboxProcess::ProgramPath("Ordavel.EXE")));
    ASSERT_EQ(nullptr, WaitForAnyWindow(kSchedulerTitle, 0)) << "a scheduler window is open already";
    SandboxProcess dustora;
    const HWND window = StartDustora(dustora, "/start");
    ASSERT_NE(nullptr, window);

    // What the button sends when clicked; a real click could meet other tests' windows and menus.
    const HWND button = ::GetDlgItem(window, IDC_ADVANCED_SCHEDULER);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_ADVANCED_SCHEDULER, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    const HWND scheduler = WaitForAnyWindow(kSchedulerTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, scheduler);
    DWORD schedulerProcess = 0;
    ::GetWindowThreadProcessId(scheduler, &schedulerProcess);
    EXPECT_NE(dustora.Id(), schedulerProcess);
    EXPECT_TRUE(::IsWindowVisible(window));   // no message about missing files

    ::PostMessageA(scheduler, WM_CLOSE, 0, 0);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(dustora.WaitForExit(10000));
}

// The icon is registered hidden at the start; the icon's double click sends "&Show Options".
TEST(MainWindowProcess, MinimisingMovesTheProgramIntoTheNotificationArea)
{
    SandboxProcess dustora;
    const HWND window = StartDustora(dustora, "/start");
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(ShellShowsIcon(window, IDR_TRAY_MENU));

    ::PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([window] { return !::IsWindowVisible(window); }));
    EXPECT_TRUE(WaitFor([window] { return ShellShowsIcon(window, IDR_TRAY_MENU); }));
    ::PostMessageA(window, WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([window] { return ::IsWindowVisible(window) != FALSE; }));
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(dustora.WaitForExit(10000));
}

TEST(MainWindowProcess, ExitFromTheIconSavesTheSettingsAndEndsTheProgram)
{
    DeleteRegistryTree(HKEY_CURRENT_USER, kProfile);
    SandboxProcess dustora;
    const HWND window = StartDustora(dustora, "/load");
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(ShellShowsIcon(window, IDR_TRAY_MENU));
    EXPECT_FALSE(::IsWindowVisible(window));

    ::PostMessageA(window, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_TRUE(dustora.WaitForExit(10000));
    EXPECT_EQ(0u, dustora.ExitCode());
    HKEY items = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, (CString(kProfile) + "\\Items").GetString(), 0, KEY_READ, &items));
    const RawRegistryValue temp = ReadRawValue(items, "DelWinTemp");
    ::RegCloseKey(items);
    EXPECT_EQ(ERROR_SUCCESS, temp.code);
    EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0}), temp.data);
}

}  // namespace
