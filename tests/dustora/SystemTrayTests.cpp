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
    CTrayOwner() { CreateEx(0, AfxRegisterWndClass(0), "Tray owner", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0); }

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

class SystemTray : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, owner.GetSafeHwnd()); }

    BOOL Add(UINT id = kIconId) { return tray.AddIcon(&owner, kCallback, "Dustora", ::LoadIconA(nullptr, IDI_APPLICATION), id); }
    bool Shown(UINT id = kIconId) const { return ShellShowsIcon(owner.GetSafeHwnd(), id); }

    CTrayOwner owner;
    CSystemTray tray;
};

TEST_F(SystemTray, AddShowsTheIconWithItsRecord)
{
    ASSERT_TRUE(Add());
    EXPECT_TRUE(Shown());
    const NOTIFYICONDATAA& data = tray.IconData();
    EXPECT_EQ(sizeof(void*) == 4 ? 488u : NOTIFYICONDATAA_V2_SIZE, data.cbSize);   // the 32-bit record is 488 bytes
    EXPECT_EQ(kCallback, data.uCallbackMessage);
    EXPECT_STREQ("Dustora", data.szTip);
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
    EXPECT_FALSE(tray.DeleteIcon());
    EXPECT_STREQ("", tray.IconData().szTip);   // nothing was kept either
}

// A second delete would be refused by the shell: a second Conceal does not ask it. Changes made
// while concealed are kept for Reveal; a long tip is cut to the record.
TEST_F(SystemTray, ConcealAndRevealEachAskTheShellOnceAndKeepTheChanges)
{
    ASSERT_TRUE(Add());
    EXPECT_TRUE(tray.Conceal());
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(tray.Conceal());
    EXPECT_FALSE(tray.ChangeIcon(static_cast<UINT>(IDR_MAINFRAME)));
    EXPECT_FALSE(tray.ChangeTip("Dustora 2.0"));
    EXPECT_EQ(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), tray.IconData().hIcon);
    EXPECT_STREQ("Dustora 2.0", tray.IconData().szTip);

    EXPECT_TRUE(tray.Reveal());
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(tray.Reveal());   // shown already
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(tray.ChangeTip(std::string(300, 'x').c_str()));
    EXPECT_EQ(std::string(127, 'x'), tray.IconData().szTip);
}

TEST_F(SystemTray, DeleteAndTheDestructorLeaveNothingRegistered)
{
    ASSERT_TRUE(Add());
    EXPECT_TRUE(tray.DeleteIcon());
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(tray.DeleteIcon());
    EXPECT_FALSE(tray.Conceal());
    EXPECT_FALSE(tray.Reveal());
    {
        CSystemTray scoped;
        ASSERT_TRUE(scoped.AddIcon(&owner, kCallback, "Dustora", nullptr, kIconId + 1));
        EXPECT_TRUE(Shown(kIconId + 1));
    }
    EXPECT_FALSE(Shown(kIconId + 1));
}

// Another icon's notifications, clicks that are no command, and any click on an icon without a
// menu send nothing.
TEST_F(SystemTray, ClicksThatAreNoCommandDoNothing)
{
    ASSERT_TRUE(Add());
    EXPECT_EQ(0, tray.HandleNotification(kIconId + 1, WM_RBUTTONUP));
    for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK})
        EXPECT_EQ(1, tray.HandleNotification(kIconId, mouse)) << mouse;
    CSystemTray noMenu;
    ASSERT_TRUE(noMenu.AddIcon(&owner, kCallback, "Dustora", nullptr, 4242));
    EXPECT_EQ(0, noMenu.HandleNotification(4242, WM_RBUTTONUP));
    EXPECT_EQ(0, noMenu.HandleNotification(4242, WM_LBUTTONDBLCLK));
    DrainMessages();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(owner.popups.empty());
}

// The menu runs its own loop; a thread timer inside it reads the open menu's default item and
// picks "&Show Options" by its mnemonic. The menu's first entry is the Help submenu, which has no
// command: a double click runs the first entry that has one, "&Show Options".
struct MenuPick {
    static inline const CTrayOwner* owner = nullptr;
    static inline UINT defaultPosition = 0xdeadbeef;
    static void CALLBACK Press(HWND, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(nullptr, timer);
        if (!owner->popups.empty())
            defaultPosition = ::GetMenuDefaultItem(owner->popups.front(), TRUE, 0);
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_CHAR, 's', 0);
    }
};

TEST_F(SystemTray, ADoubleClickRunsShowOptionsARightClickOpensTheMenu)
{
    ASSERT_TRUE(Add());
    EXPECT_EQ(1, tray.HandleNotification(kIconId, MAKELPARAM(WM_LBUTTONDBLCLK, 0)));
    EXPECT_EQ(std::vector<UINT>{ID_SHOW_OPTIONS}, owner.commands);
    owner.commands.clear();

    MenuPick::owner = &owner;
    ::SetTimer(nullptr, 0, 200, &MenuPick::Press);
    EXPECT_EQ(1, tray.HandleNotification(kIconId, WM_RBUTTONUP));
    DrainMessages();
    ASSERT_FALSE(owner.popups.empty());
    EXPECT_EQ(0u, MenuPick::defaultPosition);
    EXPECT_EQ(std::vector<UINT>{ID_SHOW_OPTIONS}, owner.commands);
}

// Position by position, with the Help submenu's commands (0: a separator).
TEST(SystemTrayMenu, TheIconMenuHoldsHelpShowAboutExit)
{
    const HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    const HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    const struct { UINT id; const char* text; } items[] = {{static_cast<UINT>(-1), "Help"}, {ID_SHOW_OPTIONS, "&Show Options"},
                 {IDM_ABOUTBOX, "&About Dustora"}, {ID_APP_EXIT, "E&xit"}};
    ASSERT_EQ(4, ::GetMenuItemCount(popup));
    for (UINT position = 0; position < 4; ++position) {
        EXPECT_EQ(items[position].id, ::GetMenuItemID(popup, static_cast<int>(position))) << position;
        char text[64] = "";
        ::GetMenuStringA(popup, position, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(items[position].text, text);
    }
    const HMENU help = ::GetSubMenu(popup, 0);
    const UINT helpIds[] = {ID_HELP_CONTENTS, ID_HELP_GETTING_STARTED, 0, ID_HELP_LICENSE};
    ASSERT_EQ(4, ::GetMenuItemCount(help));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(helpIds[i], ::GetMenuItemID(help, i)) << i;
    ::DestroyMenu(menu);
}

}  // namespace
