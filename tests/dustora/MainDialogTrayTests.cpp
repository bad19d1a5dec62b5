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

CCleanerDlg& Main(CDialog& d)
{
    return static_cast<CCleanerDlg&>(d);
}

bool IconShown(CDialog& d)
{
    return ShellShowsIcon(d.GetSafeHwnd(), IDR_TRAY_MENU);
}

TEST_F(MainDialogTray, TheIconIsRegisteredHiddenWithTheProgramsIconAndName)
{
    RunModal(dlg, [](CDialog& d) {
        const CSystemTray& tray = Main(d).m_tray;
        EXPECT_TRUE(tray.IsActive());
        EXPECT_TRUE(tray.IsConcealed());
        EXPECT_FALSE(IconShown(d));
        const NOTIFYICONDATAA& data = tray.IconData();
        ASSERT_NE(nullptr, data.hIcon);
        EXPECT_EQ(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), data.hIcon);
        EXPECT_STREQ("Dustora 2.0", data.szTip);
        EXPECT_EQ(0x40Au, data.uCallbackMessage);
        EXPECT_EQ(static_cast<UINT>(IDR_TRAY_MENU), data.uID);
        EXPECT_EQ(d.GetSafeHwnd(), data.hWnd);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_FALSE(dlg.m_tray.IsActive());   // gone with the window
}

TEST_F(MainDialogTray, MinimiseHidesTheWindowBehindTheIconAndRestoreBringsItBack)
{
    RunModal(dlg, [](CDialog& d) {
        d.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        EXPECT_FALSE(d.IsWindowVisible());
        EXPECT_FALSE(d.IsIconic());
        EXPECT_FALSE(Main(d).m_tray.IsConcealed());
        EXPECT_TRUE(IconShown(d));

        d.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_TRUE(Main(d).m_tray.IsConcealed());
        EXPECT_FALSE(IconShown(d));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

BOOL CALLBACK FindAboutBox(HWND window, LPARAM found)
{
    if (::IsWindowVisible(window) && ::GetDlgItem(window, IDC_ABOUT_FRAME)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// While it lives, each About box this thread shows is answered with OK from a thread timer
// inside the box's own loop.
class AboutBoxCloser {
public:
    AboutBoxCloser() : m_timer(::SetTimer(nullptr, 0, 50, &AboutBoxCloser::Tick)) { s_closer = this; }
    ~AboutBoxCloser()
    {
        ::KillTimer(nullptr, m_timer);
        s_closer = nullptr;
    }
    AboutBoxCloser(const AboutBoxCloser&) = delete;
    AboutBoxCloser& operator=(const AboutBoxCloser&) = delete;

    int closed = 0;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND about = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindAboutBox, reinterpret_cast<LPARAM>(&about));
        if (!s_closer || !about || about == s_closer->m_last)
            return;
        s_closer->m_last = about;
        ++s_closer->closed;
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    }

    static AboutBoxCloser* s_closer;
    UINT_PTR m_timer;
    HWND m_last = nullptr;
};

AboutBoxCloser* AboutBoxCloser::s_closer = nullptr;

// The system menu's About box hides the icon while it is open and shows it after, also over
// a visible window; from the icon's menu the About box leaves the icon alone.
TEST_F(MainDialogTray, AboutFromTheSystemMenuLeavesTheIconShown)
{
    RunModal(dlg, [](CDialog& d) {
        AboutBoxCloser closer;
        d.SendMessage(WM_COMMAND, IDM_ABOUTBOX);
        EXPECT_TRUE(Main(d).m_tray.IsConcealed());
        d.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        EXPECT_EQ(2, closer.closed);
        EXPECT_FALSE(Main(d).m_tray.IsConcealed());
        EXPECT_TRUE(IconShown(d));
        EXPECT_TRUE(d.IsWindowVisible());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialogTray, ALoadStartHidesBehindTheIconAndADoubleClickShowsTheOptions)
{
    theApp.m_lpCmdLine = "/load";
    RunModal(dlg, [](CDialog& d) {
        EXPECT_FALSE(d.IsWindowVisible());
        EXPECT_TRUE(IconShown(d));
        EXPECT_EQ(1, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_TRUE(IconShown(d));   // "Show Options" leaves the icon
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// The icon's menu runs its own loop; a thread timer inside it picks "&Show Options".
void CALLBACK PickShowOptions(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_CHAR, 's', 0);
}

TEST_F(MainDialogTray, TheIconsMenuShowsTheOptions)
{
    theApp.m_lpCmdLine = "/load";
    RunModal(dlg, [](CDialog& d) {
        ASSERT_FALSE(d.IsWindowVisible());
        ::SetTimer(nullptr, 0, 200, &PickShowOptions);
        EXPECT_EQ(1, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP));
        DrainMessages();
        EXPECT_TRUE(d.IsWindowVisible());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialogTray, ExitFromTheIconSavesTheSettingsAndEnds)
{
    theApp.m_lpCmdLine = "/load";
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        d.CheckDlgButton(IDC_DEL_INVALID_SHORTCUTS, BST_CHECKED);
        d.SendMessage(WM_COMMAND, ID_APP_EXIT);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1u, theApp.GetProfileInt("Items", "DelInvalidShortcuts", 0xdead));
    EXPECT_EQ(1u, theApp.GetProfileInt("Items", "DelWinTemp", 0xdead));
}

TEST_F(MainDialogTray, NotificationsForAnotherIconDoNothing)
{
    RunModal(dlg, [](CDialog& d) {
        d.ShowWindow(SW_HIDE);
        EXPECT_EQ(0, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK));
        EXPECT_EQ(1, d.SendMessage(WM_TRAYNOTIFY, IDR_TRAY_MENU, WM_LBUTTONUP));
        DrainMessages();
        EXPECT_FALSE(d.IsWindowVisible());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
