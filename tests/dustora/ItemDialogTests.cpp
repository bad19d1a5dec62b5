// The four item dialogs of the main dialog: their captions, the flags they exchange with their
// tick boxes, and their look (tiles, yellow text, the dark blue band behind the group caption).
#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "resources/DustoraResource.h"
#include "support/NamedLock.h"
#include "support/Pixels.h"
#include "support/ProgramProfileKey.h"
#include "support/RunModal.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Box { int id; const char* caption; bool cache; };   // cache: ticked on a first start

struct ItemsDialog {
    const char* caption;
    const char* okText;
    const char* cancelText;
    const char* groupText;
    const char* screenshot;   // the picture of the help
    std::vector<Box> boxes;
    // The dialog among the main dialog's, and its flags in the order of boxes.
    CDialog& (*of)(CCleanerDlg&);
    std::vector<int*> (*flags)(CCleanerDlg&);
};

const ItemsDialog kDialogs[] = {
    {"Internet Explorer Items...", "O&K", "&Cancel", " Select Items... ", "ie-items",
     {{1009, "Clean the &Cache Folder.", true}, {1028, "Empty Coo&kies Folder.", false}, {1019, "Delete IE Typed &URL History.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_ieItemsDlg; },
     [](CCleanerDlg& m) { auto& i = m.m_ieItemsDlg; return std::vector<int*>{&i.m_cleanCache, &i.m_emptyCookies, &i.m_deleteTypedUrls}; }},
    {"Netscape Navigator / Communicator Items...", "OK", "Cancel", " Select Items... ", "netscape-items",
     {{1013, "Clean the &Cache Folder.", true}, {1017, "&Delete Cookies.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_netscapeItemsDlg; },
     [](CCleanerDlg& m) { auto& n = m.m_netscapeItemsDlg; return std::vector<int*>{&n.m_cleanCache, &n.m_deleteCookies}; }},
    {"Outlook 2000 Items...", "O&K", "&Cancel", "", "outlook-items",
     {{1054, "Empty Outlook &Deleted Items Folder.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_outlookItemsDlg; },
     [](CCleanerDlg& m) { return std::vector<int*>{&m.m_outlookItemsDlg.m_emptyDeletedItems}; }},
    {"Microsoft Office 97/2000 Items...", "&OK", "&Cancel", " Select Items... ", "office-items",
     {{1019, "Delete Microsoft &Access MRU List.", false}, {1018, "Delete Microsoft &Excel MRU List.", false},
      {1017, "Delete Microsoft &Word MRU List.", false}, {1020, "Delete Microsoft &PowerPoint MRU List.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_officeItemsDlg; },
     [](CCleanerDlg& m) {
         auto& o = m.m_officeItemsDlg;
         return std::vector<int*>{&o.m_deleteAccessMru, &o.m_deleteExcelMru, &o.m_deleteWordMru, &o.m_deletePowerPointMru};
     }},
};

// Each case builds its own main dialog object, whose item dialogs are what is tested.
class ItemDialogs : public ::testing::Test {
protected:
    NamedLock m_profileLock{"DustoraTests.ItemDialogsProfile"};
    ProgramProfileKey m_profile;
};

// On a first start only the cache boxes are ticked. Yellow text on the tiles, and the group
// caption on a dark blue band that shows on the screen.
TEST_F(ItemDialogs, AFirstStartTicksOnlyTheCacheBoxesUnderTheirCaptionsInTheirLook)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());
    for (const ItemsDialog& c : kDialogs) {
        SCOPED_TRACE(c.caption);
        m_profile.Remove();
        CCleanerDlg main;
        main.LoadSettings();
        RunModal(c.of(main), [&](CDialog& d) {
            EXPECT_STREQ(c.caption, d.GetWindowText());
            EXPECT_STREQ(c.okText, d.GetDlgItemText(IDOK));
            EXPECT_STREQ(c.cancelText, d.GetDlgItemText(IDCANCEL));
            EXPECT_STREQ(c.groupText, d.GetDlgItemText(IDC_ITEMS_GROUP));
            EXPECT_EQ(BS_DEFPUSHBUTTON, ::GetWindowLongA(::GetDlgItem(d, IDOK), GWL_STYLE) & BS_TYPEMASK);
            for (const Box& box : c.boxes) {
                SCOPED_TRACE(box.caption);
                EXPECT_STREQ(box.caption, d.GetDlgItemText(box.id));
                EXPECT_EQ(box.cache ? BST_CHECKED : BST_UNCHECKED, d.IsDlgButtonChecked(box.id));
            }

            ExpectTiledBackground(d, tile.Tile());
            const ColourAnswer box = AskColour(d, ::GetDlgItem(d, c.boxes[0].id));
            EXPECT_EQ(::GetStockObject(HOLLOW_BRUSH), box.brush);
            EXPECT_EQ(TRANSPARENT, box.backgroundMode);
            EXPECT_EQ(RGB(255, 255, 64), box.text);
            const HWND groupBox = ::GetDlgItem(d, IDC_ITEMS_GROUP);
            const ColourAnswer group = AskColour(d, groupBox);
            EXPECT_EQ(OPAQUE, group.backgroundMode);
            EXPECT_EQ(RGB(0, 0, 0x5A), group.background);
            EXPECT_EQ(RGB(255, 255, 64), group.text);
            if (*c.groupText) {
                d.ShowWindow(SW_SHOW);
                d.UpdateWindow();
                LetTheScreenCatchUp();
                RECT caption;
                ::GetWindowRect(groupBox, &caption);
                caption.bottom = caption.top + 14;
                EXPECT_GT(CaptureWindow(d, caption).Count(RGB(0, 0, 0x5A)), 20);
            }
            SaveScreenshot(d, c.screenshot);
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
    }
}

// Every box shows its flag and is clicked once; Cancel keeps the flags, OK takes the clicked
// state. OK with every box cleared still answers OK: the main dialog ticks its group on any
// answer but Cancel.
TEST_F(ItemDialogs, OkTakesTheTicksAndCancelKeepsTheFlags)
{
    struct Round { INT_PTR answer; bool allTicked; };
    for (const ItemsDialog& c : kDialogs) {
        for (const Round& round : {Round{IDCANCEL, false}, Round{IDOK, false}, Round{IDOK, true}}) {
            SCOPED_TRACE(std::string(c.caption) + (round.answer == IDOK ? " OK" : " Cancel") + (round.allTicked ? ", all ticked" : ""));
            CCleanerDlg main;
            const std::vector<int*> flags = c.flags(main);
            const auto before = [&](size_t i) { return round.allTicked ? 1 : static_cast<int>(i % 2); };
            for (size_t i = 0; i < flags.size(); ++i)
                *flags[i] = before(i);
            const INT_PTR result = RunModal(c.of(main), [&](CDialog& d) {
                for (size_t i = 0; i < c.boxes.size(); ++i) {
                    EXPECT_EQ(before(i) ? BST_CHECKED : BST_UNCHECKED, d.IsDlgButtonChecked(c.boxes[i].id));
                    d.SendDlgItemMessage(c.boxes[i].id, BM_CLICK);
                }
                d.SendDlgItemMessage(static_cast<int>(round.answer), BM_CLICK);
            });
            EXPECT_EQ(round.answer, result);
            for (size_t i = 0; i < flags.size(); ++i)
                EXPECT_EQ(round.answer == IDOK ? 1 - before(i) : before(i), *flags[i]) << i;
        }
    }
}

}  // namespace
