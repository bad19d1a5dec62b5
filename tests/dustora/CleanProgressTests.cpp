// The clean progress dialog, shown over a real owner and driven with real messages: stop
// requests, Enter, which calls pump the queue, the owner's state, texts and colours.
#include "dialogs/CCleanProgressDlg.h"
#include "resources/DustoraResource.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr UINT kProbeMessage = WM_APP + 41;

// Like the main dialog: at the screen's corner, and narrower than the progress dialog.
bool MakeOwner(CWnd& owner, const char* name)
{
    const RECT rect = {0, 0, 200, 100};
    return owner.CreateEx(0, AfxRegisterWndClass(0), name, WS_POPUP | WS_CAPTION | WS_VISIBLE, rect, nullptr, 0);
}

class CleanProgress : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeOwner(m_owner, "Owner")); }
    void TearDown() override { DrainMessages(); }

    static HWND Button(const CCleanProgressDlg& dlg) { return ::GetDlgItem(dlg.GetSafeHwnd(), IDCANCEL); }

    CWnd m_owner;
};

// Centred over its owner, it stays whole on the screen. The owner gets back the state it had
// before, from Close or from the destructor; a second Create fails and touches neither owner.
TEST_F(CleanProgress, CreateDisablesTheOwnerAndCloseGivesItBackAsItWas)
{
    CWnd other;
    ASSERT_TRUE(MakeOwner(other, "Other"));
    for (const BOOL enabledBefore : {TRUE, FALSE}) {
        SCOPED_TRACE(enabledBefore);
        m_owner.EnableWindow(enabledBefore);
        HWND hwnd = nullptr;
        {
            CCleanProgressDlg dlg;
            ASSERT_TRUE(dlg.Create(&m_owner));
            hwnd = dlg.GetSafeHwnd();
            EXPECT_TRUE(dlg.IsWindowVisible());
            EXPECT_FALSE(m_owner.IsWindowEnabled());
            EXPECT_EQ(m_owner.GetSafeHwnd(), ::GetWindow(hwnd, GW_OWNER));
            EXPECT_STREQ("Dustora Status...", dlg.GetWindowText());
            RECT rect;
            dlg.GetWindowRect(&rect);
            EXPECT_EQ(0, rect.left);
            EXPECT_EQ(0, rect.top);
            EXPECT_FALSE(dlg.Create(&other));
            EXPECT_TRUE(other.IsWindowEnabled());
            if (!enabledBefore)
                dlg.Close();
        }
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(enabledBefore, m_owner.IsWindowEnabled());
    }
    other.DestroyWindow();
}

TEST_F(CleanProgress, StopEscapeAndTheCloseBoxAskOnceAndLeaveTheWindowOpenAndEnterDoesNothing)
{
    using Press = std::function<void(CCleanProgressDlg&)>;
    const struct { const char* name; int stops; Press press; } cases[] = {
        {"Stop button", 1, [](CCleanProgressDlg& d) { ::SendMessageA(Button(d), BM_CLICK, 0, 0); }},
        {"Escape", 1, [](CCleanProgressDlg& d) { ::PostMessageA(Button(d), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
        {"close box", 1, [](CCleanProgressDlg& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }},
        {"Enter on the focused button and the dialog, and IDOK", 0, [](CCleanProgressDlg& d) {
             ::SetFocus(Button(d));
             ::PostMessageA(Button(d), WM_KEYDOWN, VK_RETURN, 0x001C0001);
             ::PostMessageA(Button(d), WM_KEYUP, VK_RETURN, 0xC01C0001);
             d.PostMessage(WM_KEYDOWN, VK_RETURN, 0x001C0001);
             d.PostMessage(WM_COMMAND, IDOK);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CCleanProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&m_owner));
        EXPECT_EQ(0, dlg.CheckStop());
        c.press(dlg);
        EXPECT_EQ(c.stops, dlg.CheckStop());
        EXPECT_EQ(0, dlg.CheckStop()) << "a request is reported once";
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_FALSE(m_owner.IsWindowEnabled());

        c.press(dlg);
        c.press(dlg);
        dlg.PumpMessages();
        EXPECT_EQ(c.stops, dlg.CheckStop()) << "two requests before one check are one stop";
        dlg.Close();
    }
}

// The item line is white on dark blue, the other labels yellow over the tiles.
TEST_F(CleanProgress, EveryUpdateButSetItemPumpsTheQueueAndTheLabelsHaveTheirColours)
{
    CCleanProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(&m_owner));
    const struct { const char* name; std::function<void()> update; bool pumps; } updates[] = {
        {"SetItem", [&] { dlg.SetItem("Recycle Bin..."); }, false},
        {"SetAction", [&] { dlg.SetAction("Empty:"); }, true},
        {"SetPos", [&] { dlg.SetPos(4); }, true},
        {"CheckStop", [&] { dlg.CheckStop(); }, true},
        {"PumpMessages", [&] { dlg.PumpMessages(); }, true},
    };
    for (const auto& c : updates) {
        SCOPED_TRACE(c.name);
        DrainMessages();
        m_owner.PostMessage(kProbeMessage);
        c.update();
        MSG msg;
        EXPECT_EQ(!c.pumps, ::PeekMessageA(&msg, m_owner.GetSafeHwnd(), kProbeMessage, kProbeMessage, PM_NOREMOVE) != 0);
    }
    EXPECT_STREQ("Recycle Bin...", dlg.GetDlgItemText(IDC_PROGRESS_ITEM));
    EXPECT_STREQ("Empty:", dlg.GetDlgItemText(IDC_PROGRESS_ACTION));

    const struct { int id; COLORREF text; int mode; } labels[] = {
        {IDC_PROGRESS_ITEM, RGB(255, 255, 255), OPAQUE},
        {IDC_PROGRESS_ACTION, RGB(255, 255, 64), TRANSPARENT},
        {IDC_PROGRESS_BANNER, RGB(255, 255, 64), TRANSPARENT},
    };
    for (const auto& c : labels) {
        SCOPED_TRACE(c.id);
        const HWND label = ::GetDlgItem(dlg.GetSafeHwnd(), c.id);
        const HDC dc = ::GetDC(label);
        ::SetBkMode(dc, OPAQUE);
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
                  dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
        EXPECT_EQ(c.text, ::GetTextColor(dc));
        EXPECT_EQ(c.mode, ::GetBkMode(dc));
        if (c.id == IDC_PROGRESS_ITEM) {
            EXPECT_EQ(RGB(0, 0, 0x20), ::GetPixel(dc, 2, 2)) << "the whole line is filled";
        }
        ::ReleaseDC(label, dc);
    }
}

}  // namespace
