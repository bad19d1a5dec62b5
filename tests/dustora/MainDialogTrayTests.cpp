// The main dialog and its notification icon: registered hidden with the program's icon and
// name, revealed by minimising and by a "/load" start, and the icon's commands that bring the
// window back or end the program.
#include "resources/DustoraResource.h"
#include "support/MainDialogFixture.h"
#include "support/RunModal.h"
#include "support/ShellIcon.h"

#include <gtest/gtest.h>

namespace {

using MainDialogTray = MainDialogFixture;

bool IconShown(CDialog& d)
{
    return ShellShowsIcon(d.GetSafeHwnd(), IDR_TRAY_MENU);
}

// Whether the icon was still shown when the window was shown again: the window comes first.
HWND g_watched = nullptr;
int g_iconAtShow = -1;

LRESULT CALLBACK NoteIconAtShow(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == g_watched && message->message == WM_SHOWWINDOW && message->wParam)
        g_iconAtShow = ShellShowsIcon(g_watched, IDR_TRAY_MENU) ? 1 : 0;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The low four bits of a system command are the system's own; the window looks past them.
TEST_F(MainDialogTray, TheIconIsHiddenUntilAMinimiseAndGoesWithARestore)
{
    RunModal(dlg, [this](CDialog& d) {
        EXPECT_FALSE(IconShown(d));
        const NOTIFYICONDATAA& data = dlg.m_tray.IconData();
        EXPECT_EQ(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), data.hIcon);
        EXPECT_STREQ("Dustora 2.0", data.szTip);

        d.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE | 0x2);
        EXPECT_FALSE(d.IsWindowVisible());
        EXPECT_FALSE(d.IsIconic());
        EXPECT_TRUE(IconShown(d));
        g_watched = d.GetSafeHwnd();
        const HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, NoteIconAtShow, nullptr, ::GetCurrentThreadId());
        d.SendMessage(WM_SYSCOMMAND, SC_RESTORE | 0x2);
        ::UnhookWindowsHookEx(hook);
        EXPECT_EQ(1, g_iconAtShow) << "the window is shown before the icon goes";
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_FALSE(IconShown(d));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_FALSE(dlg.m_tray.IsActive());   // gone with the window
}

// Answers each new About box of this thread with OK, from a thread timer inside the box's loop.
int g_aboutBoxesClosed = 0;

BOOL CALLBACK CloseAboutBox(HWND window, LPARAM lastClosed)
{
    HWND& last = *reinterpret_cast<HWND*>(lastClosed);
    if (!::IsWindowVisible(window) || !::GetDlgItem(window, IDC_ABOUT_FRAME) || window == last)
        return TRUE;
    last = window;
    ++g_aboutBoxesClosed;
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseAboutBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    static HWND lastClosed = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseAboutBox, reinterpret_cast<LPARAM>(&lastClosed));
}

// From the icon's menu the About box leaves the icon alone; the system menu's About box hides
// it while open and shows it after, also over a visible window.
TEST_F(MainDialogTray, AboutFromTheSystemMenuLeavesTheIconShown)
{
    RunModal(dlg, [](CDialog& d) {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseAboutBoxes);
        d.SendMessage(WM_COMMAND, IDM_ABOUTBOX);
        EXPECT_FALSE(IconShown(d));
        d.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(2, g_aboutBoxesClosed);
        EXPECT_TRUE(IconShown(d));
        EXPECT_TRUE(d.IsWindowVisible());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// The icon's menu runs its own loop; a thread timer inside it picks "&Show Options".
void CALLBACK PickShowOptions(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_CHAR, 's', 0);
}

// "Show Options", by a double click or from the menu, leaves the icon shown; notifications for
// another icon, and clicks that are no command, change nothing. Exit saves the settings and ends.
TEST_F(MainDialogTray, ALoadStartHidesBehindTheIconWhichShowsTheOptionsAndExits)
{
    theApp.m_lpCmdLine = "/load";
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        EXPECT_FALSE(d.IsWindowVisible());
        EXPECT_TRUE(IconShown(d));
        EXPECT_EQ(0, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK));
        EXPECT_EQ(1, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_LBUTTONUP));
        DrainMessages();
        EXPECT_FALSE(d.IsWindowVisible());

        EXPECT_EQ(1, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_TRUE(IconShown(d));

        d.ShowWindow(SW_HIDE);
        ::SetTimer(nullptr, 0, 200, &PickShowOptions);
        EXPECT_EQ(1, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP));
        DrainMessages();
        EXPECT_TRUE(d.IsWindowVisible());

        d.CheckDlgButton(IDC_DEL_INVALID_SHORTCUTS, BST_CHECKED);
        d.SendMessage(WM_COMMAND, ID_APP_EXIT);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1u, theApp.GetProfileInt("Items", "DelInvalidShortcuts", 0xdead));
    EXPECT_EQ(1u, theApp.GetProfileInt("Items", "DelWinTemp", 0xdead));
}

}  // namespace
