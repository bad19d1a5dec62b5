// The list box with a check box per item: checks kept per item, toggled by the mouse and the
// space bar, and drawn with the item's text.
#include "framework/CCheckListBox.h"
#include "framework/CDialog.h"
#include "support/Canvas.h"
#include "support/DialogTemplate.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum : int { kList = 1300 };

class CListHostDlg : public CDialog {
public:
    CListHostDlg() { InitModalIndirect(m_template.Get()); }
    CCheckListBox m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kList, m_list); }

private:
    static DialogTemplate Make()
    {
        DialogTemplate t("Check list", WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 80);
        t.ListBox(kList, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL | LBS_NOTIFY, 60);
        return t;
    }
    DialogTemplate m_template = Make();
};

template <typename Action>
void WithList(Action action)
{
    CListHostDlg dlg;
    RunModal(dlg, [&](CDialog& d) {
        CCheckListBox& list = static_cast<CListHostDlg&>(d).m_list;
        for (const char* text : {"[C:] ", "[E:] SANDBOX", "[F:] "})
            list.AddString(text);
        action(list);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(CheckListBox, ItemsStartUncheckedAndKeepTheirOwnCheck)
{
    WithList([](CCheckListBox& list) {
        ASSERT_EQ(3, list.GetCount());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(BST_UNCHECKED, list.GetCheck(i)) << i;
        list.SetCheck(1, BST_CHECKED);
        list.SetCheck(2, 2);   // anything but unchecked ticks
        EXPECT_EQ(BST_CHECKED, list.GetCheck(1));
        EXPECT_EQ(BST_CHECKED, list.GetCheck(2));

        // A check moves with its item.
        list.SendMessage(LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("[A:] "));
        EXPECT_EQ(BST_UNCHECKED, list.GetCheck(0));
        EXPECT_EQ(BST_CHECKED, list.GetCheck(2));
        EXPECT_STREQ("[E:] SANDBOX", list.GetText(2));
    });
}

TEST(CheckListBox, AnIndexThatIsNoItemHasNoCheck)
{
    WithList([](CCheckListBox& list) {
        EXPECT_EQ(-1, list.GetCheck(-1));
        EXPECT_EQ(-1, list.GetCheck(3));
        list.SetCheck(3, BST_CHECKED);
        list.SetCheck(-1, BST_CHECKED);
        EXPECT_EQ(3, list.GetCount());
    });
}

TEST(CheckListBox, ItemsAreTallEnoughForTheirCheckBox)
{
    WithList([](CCheckListBox& list) {
        const int height = static_cast<int>(list.SendMessage(LB_GETITEMHEIGHT));
        EXPECT_GE(height, 13 + 2);   // a dialog's tick box and a pixel above and below
    });
}

TEST(CheckListBox, ClicksBelowTheLastItemToggleNothing)
{
    WithList([](CCheckListBox& list) {
        RECT client;
        list.GetClientRect(&client);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, client.bottom - 2));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, client.bottom - 2));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(BST_UNCHECKED, list.GetCheck(i)) << i;
        // A fast second click on an item is a second toggle.
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 2));
        list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 2));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 2));
        EXPECT_EQ(BST_UNCHECKED, list.GetCheck(0));
    });
}

// Drawn into a bitmap: the tick shows where the check box is, the text beside it.
TEST(CheckListBox, TheCheckBoxShowsTheCheck)
{
    WithList([](CCheckListBox& list) {
        const int height = static_cast<int>(list.SendMessage(LB_GETITEMHEIGHT));
        const auto render = [&](int index, int x, int y) {
            Canvas canvas(120, height);
            DRAWITEMSTRUCT item = {};
            item.CtlType = ODT_LISTBOX;
            item.itemID = static_cast<UINT>(index);
            item.itemAction = ODA_DRAWENTIRE;
            item.hwndItem = list.GetSafeHwnd();
            item.hDC = canvas.dc;
            item.rcItem = RECT{0, 0, 120, height};
            list.DrawItem(&item);
            std::vector<COLORREF> pixels;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    pixels.push_back(canvas.dc.GetPixel(x + dx, y + dy));
            return pixels;
        };
        const int middle = 2 + 13 / 2;
        list.SetCheck(1, BST_CHECKED);
        EXPECT_NE(render(0, middle, height / 2), render(1, middle, height / 2));
        EXPECT_EQ(render(0, middle, height / 2), render(2, middle, height / 2));
    });
}

}  // namespace
