// The notification icon on a window of the test's own: its three states (not registered, shown,
// concealed) with the shell's answers, the record it keeps, and the clicks it turns into commands.
#include "app/CSystemTray.h"
#include "framework/MessageMap.h"
#include "resources/DustoraResource.h"
#include "support/ShellIcon.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kCallback = WM_APP + 40;
constexpr UINT kIconId = IDR_TRAY_MENU;

// A hidden top-level window that owns the icon and records the commands and menus it is sent.
class CTrayOwner : public CWnd {
public:
    CTrayOwner()
    {
        const RECT rect = {0, 0, 100, 100};
        CreateEx(0, AfxRegisterWndClass(0), "Tray owner", WS_POPUP, rect, nullptr, 0);
    }

    std::vector<UINT> commands;
    std::vector<HMENU> popups;

protected:
    LRESULT OnCommand(WPARAM wParam, LPARAM)
    {
        commands.push_back(LOWORD(wParam));
        return 0;
    }
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM)
    {
        popups.push_back(reinterpret_cast<HMENU>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTrayOwner, CWnd)
    ON_MESSAGE(WM_COMMAND, &CTrayOwner::OnCommand)
    ON_MESSAGE(WM_INITMENUPOPUP, &CTrayOwner::OnInitMenuPopup)
END_MESSAGE_MAP()

bool ShellShows(const CWnd& owner, UINT id = kIconId)
{
    return ShellShowsIcon(owner.GetSafeHwnd(), id);
}

HICON ProgramIcon()
{
    return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

class SystemTray : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, owner.GetSafeHwnd()); }

    BOOL Add(const char* tip = "Dustora") { return tray.AddIcon(&owner, kCallback, tip, ::LoadIconA(nullptr, IDI_APPLICATION), kIconId); }

    CTrayOwner owner;
    CSystemTray tray;
};

TEST_F(SystemTray, AddShowsTheIconWithItsRecord)
{
    ASSERT_TRUE(Add());
    EXPECT_TRUE(tray.IsActive());
    EXPECT_FALSE(tray.IsConcealed());
    EXPECT_TRUE(ShellShows(owner));

    const NOTIFYICONDATAA& data = tray.IconData();
    EXPECT_EQ(sizeof(void*) == 4 ? 488u : NOTIFYICONDATAA_V2_SIZE, data.cbSize);   // the 32-bit record is 488 bytes
    EXPECT_EQ(owner.GetSafeHwnd(), data.hWnd);
    EXPECT_EQ(kIconId, data.uID);
    EXPECT_EQ(kCallback, data.uCallbackMessage);
    EXPECT_STREQ("Dustora", data.szTip);
    EXPECT_EQ(0u, data.dwState);
    EXPECT_EQ('\0', data.szInfo[0]);
}

TEST_F(SystemTray, WithoutAnOwnerNothingIsRegistered)
{
    EXPECT_FALSE(tray.AddIcon(nullptr, kCallback, "Dustora", nullptr, kIconId));
    CWnd gone;
    EXPECT_FALSE(tray.AddIcon(&gone, kCallback, "Dustora", nullptr, kIconId));
    EXPECT_FALSE(tray.IsActive());
    EXPECT_FALSE(tray.Conceal());
    EXPECT_FALSE(tray.Reveal());
    EXPECT_FALSE(tray.ChangeTip("x"));
    EXPECT_FALSE(tray.ChangeIcon(ProgramIcon()));
    EXPECT_FALSE(tray.DeleteIcon());
    EXPECT_STREQ("", tray.IconData().szTip);   // nothing was kept either
}

TEST_F(SystemTray, ConcealTwiceDeletesOnceAndRevealComesBackOnce)
{
    ASSERT_TRUE(Add());
    EXPECT_TRUE(tray.Conceal());
    EXPECT_TRUE(tray.IsConcealed());
    EXPECT_FALSE(ShellShows(owner));
    // A second delete would be refused by the shell: TRUE means it was not asked.
    EXPECT_TRUE(tray.Conceal());
    EXPECT_TRUE(tray.IsConcealed());

    EXPECT_TRUE(tray.Reveal());
    EXPECT_FALSE(tray.IsConcealed());
    EXPECT_TRUE(ShellShows(owner));
    EXPECT_FALSE(tray.Reveal());   // shown already
    EXPECT_TRUE(ShellShows(owner));
}

TEST_F(SystemTray, ChangesWhileConcealedWaitForReveal)
{
    ASSERT_TRUE(Add());
    ASSERT_TRUE(tray.Conceal());
    EXPECT_FALSE(tray.ChangeIcon(static_cast<UINT>(IDR_MAINFRAME)));
    EXPECT_FALSE(tray.ChangeTip("Dustora 2.0"));
    EXPECT_EQ(ProgramIcon(), tray.IconData().hIcon);
    EXPECT_STREQ("Dustora 2.0", tray.IconData().szTip);

    ASSERT_TRUE(tray.Reveal());
    EXPECT_TRUE(tray.ChangeTip("Shown"));
    EXPECT_STREQ("Shown", tray.IconData().szTip);
}

TEST_F(SystemTray, ALongTipIsCutToTheRecord)
{
    ASSERT_TRUE(Add());
    const std::string longTip(300, 'x');
    tray.ChangeTip(longTip.c_str());
    EXPECT_EQ(std::string(127, 'x'), tray.IconData().szTip);
}

TEST_F(SystemTray, DeleteLeavesNothingRegistered)
{
    ASSERT_TRUE(Add());
    EXPECT_TRUE(tray.DeleteIcon());
    EXPECT_FALSE(tray.IsActive());
    EXPECT_FALSE(ShellShows(owner));
    EXPECT_FALSE(tray.DeleteIcon());
    EXPECT_FALSE(tray.Conceal());
    EXPECT_FALSE(tray.Reveal());
}

TEST_F(SystemTray, TheDestructorRemovesTheIcon)
{
    {
        CSystemTray scoped;
        ASSERT_TRUE(scoped.AddIcon(&owner, kCallback, "Dustora", nullptr, kIconId + 1));
        EXPECT_TRUE(ShellShows(owner, kIconId + 1));
    }
    EXPECT_FALSE(ShellShows(owner, kIconId + 1));
}

TEST_F(SystemTray, ClicksThatAreNoCommandDoNothing)
{
    ASSERT_TRUE(Add());
    EXPECT_EQ(0, tray.HandleNotification(kIconId + 1, WM_RBUTTONUP));
    for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK}) {
        SCOPED_TRACE(mouse);
        EXPECT_EQ(1, tray.HandleNotification(kIconId, mouse));
    }
    DrainMessages();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(owner.popups.empty());
}

// The menu's first entry is the Help submenu, which has no command: a double click runs the
// first entry that has one, "&Show Options".
TEST_F(SystemTray, ADoubleClickRunsShowOptions)
{
    ASSERT_TRUE(Add());
    EXPECT_EQ(1, tray.HandleNotification(kIconId, MAKELPARAM(WM_LBUTTONDBLCLK, 0)));
    ASSERT_EQ(1u, owner.commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_SHOW_OPTIONS), owner.commands[0]);
}

TEST_F(SystemTray, AnIconWithoutAMenuIgnoresClicks)
{
    ASSERT_TRUE(tray.AddIcon(&owner, kCallback, "Dustora", nullptr, 4242));
    EXPECT_EQ(0, tray.HandleNotification(4242, WM_RBUTTONUP));
    EXPECT_EQ(0, tray.HandleNotification(4242, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(owner.commands.empty());
}

// The menu runs its own loop; a thread timer inside it reads the open menu and picks an item
// by its mnemonic.
struct MenuPick {
    static inline const CTrayOwner* owner = nullptr;
    static inline UINT defaultPosition = 0xdeadbeef;
    static inline WPARAM key = 0;
    static void CALLBACK Press(HWND, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(nullptr, timer);
        if (!owner->popups.empty())
            defaultPosition = ::GetMenuDefaultItem(owner->popups.front(), TRUE, 0);
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_CHAR, key, 0);
    }
};

TEST_F(SystemTray, ARightClickOpensTheMenuWithHelpAsDefault)
{
    ASSERT_TRUE(Add());
    MenuPick::owner = &owner;
    MenuPick::key = 's';
    ::SetTimer(nullptr, 0, 200, &MenuPick::Press);
    EXPECT_EQ(1, tray.HandleNotification(kIconId, WM_RBUTTONUP));
    DrainMessages();

    ASSERT_FALSE(owner.popups.empty());
    EXPECT_EQ(0u, MenuPick::defaultPosition);
    ASSERT_EQ(1u, owner.commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_SHOW_OPTIONS), owner.commands[0]);
}

TEST(SystemTrayMenu, TheIconMenuHoldsHelpShowAboutExit)
{
    const HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    ASSERT_NE(nullptr, menu);
    const HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    ASSERT_EQ(4, ::GetMenuItemCount(popup));
    const struct {
        int position;
        UINT id;
        const char* text;
    } items[] = {
        {0, static_cast<UINT>(-1), "Help"}, {1, ID_SHOW_OPTIONS, "&Show Options"},
        {2, IDM_ABOUTBOX, "&About Dustora"}, {3, ID_APP_EXIT, "E&xit"},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.text);
        EXPECT_EQ(item.id, ::GetMenuItemID(popup, item.position));
        char text[64] = "";
        ::GetMenuStringA(popup, static_cast<UINT>(item.position), text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(item.text, text);
    }
    const HMENU help = ::GetSubMenu(popup, 0);
    ASSERT_NE(nullptr, help);
    const UINT helpIds[] = {ID_HELP_CONTENTS, ID_HELP_GETTING_STARTED, 0, ID_HELP_LICENSE};
    ASSERT_EQ(4, ::GetMenuItemCount(help));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(helpIds[i], ::GetMenuItemID(help, i)) << i;
    ::DestroyMenu(menu);
}

}  // namespace
