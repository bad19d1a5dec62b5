// The list box with a check box per item: checks kept per item, toggled by the mouse, and drawn
// with the item's text.
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

std::vector<int> Checks(const CCheckListBox& list)
{
    std::vector<int> checks;
    for (int i = -1; i <= list.GetCount(); ++i)
        checks.push_back(list.GetCheck(i));
    return checks;
}

// Checks(), from the index before the first item to the one after the last: those two have none.
TEST(CheckListBox, EachItemKeepsItsOwnCheck)
{
    WithList([](CCheckListBox& list) {
        EXPECT_EQ((std::vector<int>{-1, 0, 0, 0, -1}), Checks(list));
        list.SetCheck(1, BST_CHECKED);
        list.SetCheck(2, 2);   // anything but unchecked ticks
        list.SetCheck(3, BST_CHECKED);
        list.SetCheck(-1, BST_CHECKED);
        EXPECT_EQ((std::vector<int>{-1, 0, 1, 1, -1}), Checks(list));
        // A check moves with its item.
        list.SendMessage(LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("[A:] "));
        EXPECT_EQ((std::vector<int>{-1, 0, 0, 1, 1, -1}), Checks(list));
        EXPECT_STREQ("[E:] SANDBOX", list.GetText(2));
    });
}

void ClickAt(CCheckListBox& list, int y, UINT down = WM_LBUTTONDOWN)
{
    list.SendMessage(down, MK_LBUTTON, MAKELPARAM(5, y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, y));
}

// Items are as tall as a dialog's tick box and a pixel above and below; a click below the last
// item toggles nothing, a fast second click on an item is a second toggle. Drawn into a bitmap,
// the square around the check box differs between a checked and an unchecked item.
TEST(CheckListBox, ClicksToggleTheItemUnderTheMouseAndTheBoxShowsTheCheck)
{
    WithList([](CCheckListBox& list) {
        const int height = static_cast<int>(list.SendMessage(LB_GETITEMHEIGHT));
        EXPECT_GE(height, 13 + 2);
        RECT client;
        list.GetClientRect(&client);
        ClickAt(list, client.bottom - 2);
        EXPECT_EQ((std::vector<int>{-1, 0, 0, 0, -1}), Checks(list));
        ClickAt(list, 2);
        EXPECT_EQ(BST_CHECKED, list.GetCheck(0));
        ClickAt(list, 2, WM_LBUTTONDBLCLK);
        EXPECT_EQ(BST_UNCHECKED, list.GetCheck(0));

        const auto render = [&](int index) {
            Canvas canvas(120, height);
            DRAWITEMSTRUCT item = {ODT_LISTBOX, 0, static_cast<UINT>(index), ODA_DRAWENTIRE, 0, list.GetSafeHwnd(),
                                   canvas.dc, RECT{0, 0, 120, height}, 0};
            list.DrawItem(&item);
            std::vector<COLORREF> pixels;
            for (int y = height / 2 - 3; y <= height / 2 + 3; ++y)
                for (int x = 2 + 13 / 2 - 3; x <= 2 + 13 / 2 + 3; ++x)
                    pixels.push_back(canvas.dc.GetPixel(x, y));
            return pixels;
        };
        list.SetCheck(1, BST_CHECKED);
        EXPECT_NE(render(0), render(1));
        EXPECT_EQ(render(0), render(2));
    });
}

}  // namespace
