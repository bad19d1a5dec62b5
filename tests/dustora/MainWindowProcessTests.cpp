// Dustora.exe as users start it from its program folder: the Advanced Scheduler button starts
// Ordavel beside it, and the notification icon's Exit ends the program with its settings saved.
#include "app/CCleanerDlg.h"
#include "resources/DustoraResource.h"
#include "support/SandboxProcess.h"
#include "support/ScratchRegistryKey.h"
#include "support/ShellIcon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kProgram[] = "Dustora.exe";
const char kTitle[] = "Dustora 2.0";
const char kSchedulerTitle[] = "Dustora Automatic Scheduler 1.0";
const char kProfile[] = "Software\\Halvex\\Dustora";
constexpr DWORD kStartTimeoutMs = 20000;

struct TitleSearch {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM search)
{
    auto* s = reinterpret_cast<TitleSearch*>(search);
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof(text));
    if (lstrcmpA(text, s->title) != 0 || !::IsWindowVisible(window))
        return TRUE;
    s->found = window;
    return FALSE;
}

// Any process's visible top-level window with this title; the process tests run one at a time.
HWND WaitForAnyWindow(const char* title, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        TitleSearch search{title, nullptr};
        ::EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

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

TEST(MainWindowProcess, AdvancedSchedulerStartsOrdavelFromTheProgramFolder)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(SandboxProcess::ProgramPath("Ordavel.EXE")));
    ASSERT_EQ(nullptr, WaitForAnyWindow(kSchedulerTitle, 0)) << "a scheduler window is open already";
    SandboxProcess dustora;
    ASSERT_TRUE(dustora.Start(kProgram, "/start"));
    const HWND window = dustora.WaitForWindow(kTitle, kStartTimeoutMs);
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

TEST(MainWindowProcess, MinimisingMovesTheProgramIntoTheNotificationArea)
{
    SandboxProcess dustora;
    ASSERT_TRUE(dustora.Start(kProgram, "/start"));
    const HWND window = dustora.WaitForWindow(kTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(dustora.WaitForIdle(kStartTimeoutMs));   // initialised: the icon is registered hidden
    EXPECT_FALSE(ShellShowsIcon(window, IDR_TRAY_MENU));

    ::PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([window] { return !::IsWindowVisible(window); }));
    EXPECT_TRUE(WaitFor([window] { return ShellShowsIcon(window, IDR_TRAY_MENU); }));

    // What the icon's double click sends: "&Show Options".
    ::PostMessageA(window, WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([window] { return ::IsWindowVisible(window) != FALSE; }));
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(dustora.WaitForExit(10000));
}

TEST(MainWindowProcess, ExitFromTheIconSavesTheSettingsAndEndsTheProgram)
{
    DeleteRegistryTree(HKEY_CURRENT_USER, kProfile);
    SandboxProcess dustora;
    ASSERT_TRUE(dustora.Start(kProgram, "/load"));
    const HWND window = dustora.WaitForWindow(kTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(dustora.WaitForIdle(kStartTimeoutMs));   // its first message has hidden it
    EXPECT_TRUE(ShellShowsIcon(window, IDR_TRAY_MENU));
    EXPECT_FALSE(::IsWindowVisible(window));

    ::PostMessageA(window, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_TRUE(dustora.WaitForExit(10000));
    EXPECT_EQ(0u, dustora.ExitCode());

    HKEY items = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kProfile) + "\\Items").c_str(), 0, KEY_READ, &items));
    DWORD value = 0xdeadbeef;
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(items, "DelWinTemp", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size));
    EXPECT_EQ(1u, value);
    ::RegCloseKey(items);
}

}  // namespace
