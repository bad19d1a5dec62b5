// The four item dialogs of the main dialog: their templates, the flags they exchange with their
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

#include <functional>
#include <string>
#include <vector>

namespace {

struct Box {
    int id;
    const char* caption;
    bool cache;   // ticked on a first start
};

struct ItemsDialog {
    const char* caption;
    const char* okText;
    const char* cancelText;
    const char* groupText;
    std::vector<Box> boxes;
    // The dialog among the main dialog's, and its flags in the order of boxes.
    CDialog& (*of)(CCleanerDlg&);
    std::vector<int*> (*flags)(CCleanerDlg&);
    const char* screenshot;   // the picture of the help
};

const ItemsDialog kDialogs[] = {
    {"Internet Explorer Items...", "O&K", "&Cancel", " Select Items... ",
     {{1009, "Clean the &Cache Folder.", true}, {1028, "Empty Coo&kies Folder.", false},
      {1019, "Delete IE Typed &URL History.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_ieItemsDlg; },
     [](CCleanerDlg& m) {
         return std::vector<int*>{&m.m_ieItemsDlg.m_cleanCache, &m.m_ieItemsDlg.m_emptyCookies,
                                  &m.m_ieItemsDlg.m_deleteTypedUrls};
     },
     "ie-items"},
    {"Netscape Navigator / Communicator Items...", "OK", "Cancel", " Select Items... ",
     {{1013, "Clean the &Cache Folder.", true}, {1017, "&Delete Cookies.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_netscapeItemsDlg; },
     [](CCleanerDlg& m) {
         return std::vector<int*>{&m.m_netscapeItemsDlg.m_cleanCache, &m.m_netscapeItemsDlg.m_deleteCookies};
     },
     "netscape-items"},
    {"Outlook 2000 Items...", "O&K", "&Cancel", "",
     {{1054, "Empty Outlook &Deleted Items Folder.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_outlookItemsDlg; },
     [](CCleanerDlg& m) { return std::vector<int*>{&m.m_outlookItemsDlg.m_emptyDeletedItems}; },
     "outlook-items"},
    {"Microsoft Office 97/2000 Items...", "&OK", "&Cancel", " Select Items... ",
     {{1019, "Delete Microsoft &Access MRU List.", false}, {1018, "Delete Microsoft &Excel MRU List.", false},
      {1017, "Delete Microsoft &Word MRU List.", false}, {1020, "Delete Microsoft &PowerPoint MRU List.", false}},
     [](CCleanerDlg& m) -> CDialog& { return m.m_officeItemsDlg; },
     [](CCleanerDlg& m) {
         return std::vector<int*>{&m.m_officeItemsDlg.m_deleteAccessMru, &m.m_officeItemsDlg.m_deleteExcelMru,
                                  &m.m_officeItemsDlg.m_deleteWordMru, &m.m_officeItemsDlg.m_deletePowerPointMru};
     },
     "office-items"},
};

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

// Each case builds its own main dialog object, whose item dialogs are what is tested.
class ItemDialogs : public ::testing::Test {
protected:
    NamedLock m_profileLock{"DustoraTests.ItemDialogsProfile"};
    ProgramProfileKey m_profile;
};

TEST_F(ItemDialogs, TemplatesCarryTheirCaptionsAndButtons)
{
    for (const ItemsDialog& c : kDialogs) {
        SCOPED_TRACE(c.caption);
        CCleanerDlg main;
        RunModal(c.of(main), [&](CDialog& d) {
            EXPECT_STREQ(c.caption, d.GetWindowText());
            EXPECT_STREQ(c.okText, d.GetDlgItemText(IDOK));
            EXPECT_STREQ(c.cancelText, d.GetDlgItemText(IDCANCEL));
            EXPECT_STREQ(c.groupText, d.GetDlgItemText(IDC_ITEMS_GROUP));
            EXPECT_EQ(BS_DEFPUSHBUTTON, ::GetWindowLongA(::GetDlgItem(d, IDOK), GWL_STYLE) & BS_TYPEMASK);
            for (const Box& box : c.boxes) {
                EXPECT_STREQ(box.caption, d.GetDlgItemText(box.id));
                EXPECT_EQ(BS_AUTOCHECKBOX, ::GetWindowLongA(::GetDlgItem(d, box.id), GWL_STYLE) & BS_TYPEMASK);
            }
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
    }
}

TEST_F(ItemDialogs, AFirstStartTicksOnlyTheCacheBoxes)
{
    for (const ItemsDialog& c : kDialogs) {
        SCOPED_TRACE(c.caption);
        m_profile.Remove();
        CCleanerDlg main;
        main.LoadSettings();
        RunModal(c.of(main), [&](CDialog& d) {
            for (const Box& box : c.boxes) {
                SCOPED_TRACE(box.caption);
                EXPECT_EQ(box.cache ? BST_CHECKED : BST_UNCHECKED, d.IsDlgButtonChecked(box.id));
            }
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
    }
}

// Every box is clicked once; Cancel keeps the flags as they were, OK takes the clicked state.
TEST_F(ItemDialogs, OkTakesTheTicksAndCancelKeepsTheFlags)
{
    for (const ItemsDialog& c : kDialogs) {
        for (const int answer : {IDCANCEL, IDOK}) {
            SCOPED_TRACE(std::string(c.caption) + (answer == IDOK ? " OK" : " Cancel"));
            CCleanerDlg main;
            const std::vector<int*> flags = c.flags(main);
            for (size_t i = 0; i < flags.size(); ++i)
                *flags[i] = static_cast<int>(i % 2);
            const INT_PTR result = RunModal(c.of(main), [&](CDialog& d) {
                for (size_t i = 0; i < c.boxes.size(); ++i) {
                    EXPECT_EQ(i % 2 ? BST_CHECKED : BST_UNCHECKED, d.IsDlgButtonChecked(c.boxes[i].id));
                    Click(d, c.boxes[i].id);
                }
                Click(d, answer);
            });
            EXPECT_EQ(answer, result);
            for (size_t i = 0; i < flags.size(); ++i)
                EXPECT_EQ(answer == IDOK ? 1 - static_cast<int>(i % 2) : static_cast<int>(i % 2), *flags[i]) << i;
        }
    }
}

// What the main dialog ticks its group box on: any answer but IDCANCEL.
TEST_F(ItemDialogs, OkWithEveryBoxClearedStillAnswersOk)
{
    for (const ItemsDialog& c : kDialogs) {
        SCOPED_TRACE(c.caption);
        CCleanerDlg main;
        for (int* flag : c.flags(main))
            *flag = 1;
        const INT_PTR result = RunModal(c.of(main), [&](CDialog& d) {
            for (const Box& box : c.boxes)
                Click(d, box.id);
            d.PostMessage(WM_COMMAND, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        for (const int* flag : c.flags(main))
            EXPECT_EQ(0, *flag);
    }
}

TEST_F(ItemDialogs, YellowTextOnTheTilesAndTheGroupCaptionOnADarkBlueBand)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());
    for (const ItemsDialog& c : kDialogs) {
        SCOPED_TRACE(c.caption);
        CCleanerDlg main;
        RunModal(c.of(main), [&](CDialog& d) {
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

            // On the screen: the band shows behind the caption.
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

}  // namespace
