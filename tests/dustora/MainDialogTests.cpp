// Dustora's main options dialog as a new user meets it: its first state, captions and tips, the
// drive list, the details buttons with their refusals, help and the scheduler program, the look.
#include "resources/DustoraResource.h"
#include "support/CountingCleanerDlg.h"
#include "support/MainDialogFixture.h"
#include "support/Pixels.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"
#include "support/SandboxProcess.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using MainDialog = MainDialogFixture;

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

std::vector<int> DriveChecks(const CCleanerDlg& dlg)
{
    std::vector<int> checks;
    for (int i = 0; i < dlg.m_driveList.GetCount(); ++i)
        checks.push_back(dlg.m_driveList.GetCheck(i));
    return checks;
}

std::vector<int> AllDrives(const CCleanerDlg& dlg, int check)
{
    return std::vector<int>(static_cast<size_t>(dlg.m_driveList.GetCount()), check);
}

std::string Loaded(UINT id)
{
    CString text;
    text.LoadString(id);
    return text.Str();
}

// Yellow labels straight on the tiles, group captions on dark blue, the last-cleaned line on
// blue; the banner centred at the top; the buttons painted over the tiles; the program's icon.
TEST_F(MainDialog, AFirstStartShowsTheDefaultsTheCaptionsTheTipsAndTheTiledLook)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());   // as the program shows it
    RunModal(dlg, [&](CDialog& d) {
        SaveScreenshot(d, "main-window");
        for (int ticked : {IDC_DEL_WINDOWS_DOC_HISTORY, IDC_EMPTY_RECYCLE_BIN, IDC_DEL_WIN_TEMP, IDC_DEL_APP_LOG,
                           IDC_MSIE, IDC_OUTLOOK})
            EXPECT_EQ(1u, d.IsDlgButtonChecked(ticked)) << ticked;
        for (int unticked : {IDC_NETSCAPE, IDC_OFFICE, IDC_DEL_INVALID_SHORTCUTS, IDC_CLEAN_REG_UNINSTALL,
                             IDC_DEL_WIN_RUN_HISTORY, IDC_DEL_REG_BACKUP, IDC_DEL_REG_INVALID_OLE, IDC_DEL_CHK_FILES})
            EXPECT_EQ(0u, d.IsDlgButtonChecked(unticked)) << unticked;
        EXPECT_FALSE(dlg.m_driveList.IsWindowEnabled());

        const struct { int id; const char* text; } captions[] = {
            {IDC_LAST_CLEANED, "System was not yet Cleaned with Dustora."}, {IDC_GENERAL_GROUP, " General "},
            {IDC_STANDARD_GROUP, " Standard Windows Items... "}, {IDC_REGISTRY_GROUP, " Registry Items... "},
            {IDC_IE_GROUP, " Internet Explorer "}, {IDC_IE_ITEMS, "&IE Items..."}, {IDC_OUTLOOK_GROUP, "Outlook 2000"},
            {IDC_OUTLOOK_ITEMS, "&Outlook Items..."}, {IDC_NETSCAPE_GROUP, " Netscape Navigator "},
            {IDC_NETSCAPE_ITEMS, "&Netscape Items..."}, {IDC_OFFICE_GROUP, "Office 97/2000"},
            {IDC_OFFICE_ITEMS, "Office Items..."}, {IDC_DRIVES_LABEL, "Select Drives to Clean:"},
            {IDC_AUTOMATIC_GROUP, " Automatic Clean "}, {IDC_SCHEDULE, "S&chedule"}, {IDOK, "&Start"},
            {IDC_ADVANCED_SCHEDULER, "Advanced Scheduler"}, {IDCANCEL, "E&xit"}, {IDC_FOLDERS, "&Folders"},
            {IDC_HELP_BUTTON, "&Help"}, {IDC_DEL_CHK_FILES, "Delete .CHK, .BAK, .GID, and .TMP files."},
        };
        for (const auto& caption : captions)
            EXPECT_STREQ(caption.text, d.GetDlgItemText(caption.id)) << caption.id;

        const struct { int id; const char* text; } tips[] = {
            {IDC_DEL_WINDOWS_DOC_HISTORY, "Delete the Windows Recent Documents History."},
            {IDC_EMPTY_RECYCLE_BIN, "Empty the Windows Recycle Bin."},
            {IDC_DEL_WIN_TEMP, "Clean the Windows Temporary Folder."},
            {IDC_DEL_APP_LOG, "Empty the Windows98 Applications Log Folder."},
            {IDC_IE_ITEMS, "Select which Internet Explorer Items to Clean."},
        };
        EXPECT_EQ(5, dlg.m_tooltips.GetToolCount());
        for (const auto& tip : tips) {
            const auto control = reinterpret_cast<UINT_PTR>(d.GetDlgItem(tip.id)->GetSafeHwnd());
            EXPECT_STREQ(tip.text, dlg.m_tooltips.GetToolText(&d, control)) << tip.id;
        }

        // The system menu ends with a separator, About and the preview.
        const HMENU menu = d.GetSystemMenu(FALSE);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 3);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, count - 2));
        EXPECT_EQ(static_cast<UINT>(IDM_PREVIEW_CLEAN), ::GetMenuItemID(menu, count - 1));
        char about[64] = "";
        ::GetMenuStringA(menu, IDM_ABOUTBOX, about, sizeof(about), MF_BYCOMMAND);
        EXPECT_STREQ("&About Dustora...", about);
        char preview[64] = "";
        ::GetMenuStringA(menu, IDM_PREVIEW_CLEAN, preview, sizeof(preview), MF_BYCOMMAND);
        EXPECT_STREQ("&Preview Clean...", preview);
        EXPECT_TRUE(::GetMenuState(menu, static_cast<UINT>(count - 3), MF_BYPOSITION) & MF_SEPARATOR);

        const COLORREF kGroupBand = RGB(0, 0, 90);
        const struct { int id; int mode; COLORREF background; } labels[] = {   // CLR_INVALID: not looked at
            {IDC_DEL_WINDOWS_DOC_HISTORY, TRANSPARENT, CLR_INVALID}, {IDC_DRIVES_LABEL, TRANSPARENT, CLR_INVALID},
            {IDC_STANDARD_GROUP, OPAQUE, kGroupBand}, {IDC_OFFICE_GROUP, OPAQUE, kGroupBand},
            {IDC_AUTOMATIC_GROUP, OPAQUE, kGroupBand}, {IDC_LAST_CLEANED, OPAQUE, RGB(0, 0, 175)},
        };
        for (const auto& label : labels) {
            const ColourAnswer answer = AskColour(d.GetSafeHwnd(), d.GetDlgItem(label.id)->GetSafeHwnd());
            EXPECT_EQ(static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH)), answer.brush) << label.id;
            EXPECT_EQ(RGB(255, 255, 64), answer.text) << label.id;
            EXPECT_EQ(label.mode, answer.backgroundMode) << label.id;
            EXPECT_TRUE(label.background == CLR_INVALID || label.background == answer.background)
                << label.id << " on " << std::hex << answer.background;
        }

        RECT client;
        d.GetClientRect(&client);
        RECT banner;
        dlg.m_banner.GetWindowRect(&banner);
        d.ScreenToClient(&banner);
        EXPECT_EQ(client.right / 2 - (banner.right - banner.left) / 2, banner.left);
        EXPECT_EQ(1, banner.top);

        for (int id : {IDOK, IDCANCEL, IDC_FOLDERS, IDC_OFFICE_ITEMS, IDC_ADVANCED_SCHEDULER, IDC_REG_BACKUP_NOTE,
                       IDC_SCHEDULE, IDC_OUTLOOK_ITEMS, IDC_HELP_BUTTON, IDC_RUN_HISTORY_NOTE, IDC_NETSCAPE_ITEMS,
                       IDC_IE_ITEMS}) {
            auto* button = dynamic_cast<CFlatIconButton*>(d.GetDlgItem(id));
            ASSERT_NE(nullptr, button) << id;
            EXPECT_EQ(32, button->GetIconSize().cx) << id;
            EXPECT_TRUE(button->HasSnapshot()) << id;   // of the tiles beneath
        }
        ExpectTiledBackground(d.GetSafeHwnd(), tile.Tile());
        EXPECT_FALSE(dlg.m_startButton.HasSnapshot()) << "a new background needs a new snapshot";

        const HICON icon = dlg.m_icon;
        EXPECT_EQ(icon, ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon), d.SendMessage(WM_GETICON, ICON_BIG));
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon), d.SendMessage(WM_QUERYDRAGICON));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// The list follows its tick box, which shows only a stored 1 as ticked.
TEST_F(MainDialog, TheStoredSettingsSetTheDriveListAndTheLastCleanedLine)
{
    const char lastCleaned[] = " System was last Cleaned on Monday, June 01, 2020 10:00:00";
    theApp.WriteProfileString("Stats", "LastCleaned", lastCleaned);
    for (int stored : {1, 0, 2}) {
        SCOPED_TRACE(stored);
        theApp.WriteProfileInt("Items", "DelCHKFiles", stored);
        CCleanerDlg main;
        RunModal(main, [&](CDialog& d) {
            EXPECT_EQ(stored == 1, main.m_driveList.IsWindowEnabled() != FALSE);
            EXPECT_EQ(AllDrives(main, stored == 1 ? BST_CHECKED : BST_UNCHECKED), DriveChecks(main));
            EXPECT_STREQ(lastCleaned, d.GetDlgItemText(IDC_LAST_CLEANED));
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
    }
}

// The sandbox has C: (fixed), D: (CD-ROM), E: (fixed, "SANDBOX") and F: (removable).
TEST_F(MainDialog, TheDriveListHoldsTheFixedAndRemovableDrivesAndFollowsItsTickBox)
{
    ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), ::GetDriveTypeA("D:\\"));
    std::vector<std::string> expected;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        const UINT type = ::GetDriveTypeA(root);
        if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE)
            continue;
        char label[1024] = "";
        ::GetVolumeInformationA(root, label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0);
        expected.push_back(std::string("[") + letter + ":] " + label);
    }
    RunModal(dlg, [&](CDialog& d) {
        CCheckListBox& list = dlg.m_driveList;
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); ++i)
            items.push_back(list.GetText(i).Str());
        EXPECT_EQ(expected, items);
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ("[E:] SANDBOX", items[1]);
        EXPECT_EQ(AllDrives(dlg, BST_UNCHECKED), DriveChecks(dlg));
        RECT client;
        list.GetClientRect(&client);
        RECT last = {};
        list.SendMessage(LB_GETITEMRECT, items.size() - 1, reinterpret_cast<LPARAM>(&last));
        EXPECT_LE(last.bottom, client.bottom) << "the drives do not all show without scrolling";

        Click(d, IDC_DEL_CHK_FILES);
        EXPECT_TRUE(list.IsWindowEnabled());
        EXPECT_EQ(AllDrives(dlg, BST_CHECKED), DriveChecks(dlg));
        // The user's own choice: a real click on an item and the space bar each toggle one drive.
        RECT second = {};
        list.SendMessage(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        const LPARAM at = MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        list.SendMessage(WM_LBUTTONUP, 0, at);
        EXPECT_EQ(BST_CHECKED, list.GetCheck(0));
        EXPECT_EQ(BST_UNCHECKED, list.GetCheck(1));
        list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(BST_CHECKED, list.GetCheck(1));
        list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        list.Invalidate();
        list.UpdateWindow();
        EXPECT_EQ(BST_UNCHECKED, list.GetCheck(1));   // and a redraw keeps it

        Click(d, IDC_DEL_CHK_FILES);
        EXPECT_FALSE(list.IsWindowEnabled());
        EXPECT_EQ(AllDrives(dlg, BST_UNCHECKED), DriveChecks(dlg));
        Click(d, IDC_DEL_CHK_FILES);
        EXPECT_EQ(AllDrives(dlg, BST_CHECKED), DriveChecks(dlg));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// The sandbox has no Netscape cache folder, no Outlook Express and no Office (the detection tests
// that make their keys wait meanwhile); the test program's folder has no Ordavel.EXE and no help:
// no window opens.
TEST_F(MainDialog, WhatIsMissingIsExplainedAndHelpWithoutItsFileShowsNothing)
{
    NamedLock officeKeys("DustoraTests.OfficeKeys");
    NamedLock outlookExpressKey("DustoraTests.OutlookExpressKey");
    RecordedBoxes boxes;
    std::vector<HWND> before;
    std::vector<HWND> after;
    RunModal(dlg, [&](CDialog& d) {
        ASSERT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_OUTLOOK));
        before = TopLevelWindows(::GetCurrentProcessId());
        for (int id : {IDC_NETSCAPE, IDC_NETSCAPE_ITEMS, IDC_OUTLOOK_ITEMS, IDC_OFFICE_ITEMS, IDC_OUTLOOK_ITEMS,
                       IDC_OFFICE_ITEMS, IDC_RUN_HISTORY_NOTE, IDC_REG_BACKUP_NOTE, IDC_ADVANCED_SCHEDULER,
                       IDC_HELP_BUTTON})
            Click(d, id);
        for (UINT command : {ID_HELP_CONTENTS, ID_HELP_GETTING_STARTED, ID_HELP_LICENSE})
            d.SendMessage(WM_COMMAND, command);
        DrainMessages();
        after = TopLevelWindows(::GetCurrentProcessId());
        // Netscape is refused but stays enabled; Outlook and Office, refused once, stay off and disabled.
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        EXPECT_TRUE(dlg.m_netscapeBox.IsWindowEnabled());
        for (int box : {IDC_OUTLOOK, IDC_OFFICE}) {
            EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(box)) << box;
            EXPECT_FALSE(d.GetDlgItem(box)->IsWindowEnabled()) << box;
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(before, after);
    EXPECT_EQ(0, dlg.m_outlook);
    EXPECT_EQ(0, dlg.m_office);

    const CString scheduler = ProgramFolderOfModule() + "Ordavel.EXE";
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(scheduler));
    ASSERT_EQ(9u, boxes.shown.size());
    // The registry backup note is long: its start and its warning are enough.
    const std::string backupNote = boxes.shown[7].text;
    EXPECT_EQ(0u, backupNote.rfind("When setting this item, it will delete the Windows 98 Old Registry Backups", 0));
    EXPECT_NE(std::string::npos, backupNote.find("\n\n*** THIS OPTION IS AVAILABLE ONLY UNDER WINDOWS 98 !"));
    const std::string netscape = Loaded(IDS_NETSCAPE_NO_CACHE);
    const std::string outlook = Loaded(IDS_OUTLOOK_NOT_INSTALLED);
    const std::string office = Loaded(IDS_OFFICE_NOT_INSTALLED);
    const UINT warning = MB_ICONEXCLAMATION;
    const std::vector<std::pair<std::string, UINT>> expected = {
        {netscape, warning}, {netscape, warning}, {outlook, warning}, {office, warning}, {outlook, warning},
        {office, warning},
        {"Note: After a clean operation, the Windows Run History will not appear to be clean until Windows is "
         "restarted.  This is because Windows stores it in memory.", MB_ICONINFORMATION},
        {backupNote, MB_ICONINFORMATION},
        {"Error: Cannot Execute " + scheduler.Str() + "\nSome of Dustora files are missing.", warning},
    };
    std::vector<std::pair<std::string, UINT>> shown;
    for (const ShownBox& box : boxes.shown) {
        shown.emplace_back(box.text, box.type);
        EXPECT_EQ(theApp.m_pszAppName.Str(), box.caption);
    }
    EXPECT_EQ(expected, shown);
}

TEST(MainDialogHelp, TopicsAreFoundInTheProgramFolder)
{
    const struct { UINT command; const char* path; } cases[] = {
        {ID_HELP_CONTENTS, "C:\\Dustora\\Dustora.chm"},
        {IDC_HELP_BUTTON, "C:\\Dustora\\Dustora.chm"},
        {ID_HELP_GETTING_STARTED, "C:\\Dustora\\Dustora.chm::/html/afxd4a7b.htm"},
        {ID_HELP_LICENSE, "C:\\Dustora\\Dustora.chm::/html/lice6nj9.htm"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.path, CCleanerDlg::HelpPath("C:\\Dustora\\", c.command)) << c.command;
}

// Only a running program hears that Windows ends; with "clean at shutdown" chosen it cleans,
// whether or not Windows really ends.
TEST_F(MainDialog, TheEndOfTheSessionCleansWhenCleanAtShutdownIsChosen)
{
    const struct { int stored; BOOL ending; int runs; } cases[] = {
        {1, TRUE, 1}, {1, FALSE, 1}, {0, TRUE, 0}, {2, TRUE, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "CleanAtShutdown " << c.stored << ", ending " << c.ending);
        theApp.WriteProfileInt("Schedule", "CleanAtShutdown", c.stored);
        CCountingCleanerDlg counting;
        RunModal(counting, [&c](CDialog& d) {
            d.SendMessage(WM_ENDSESSION, static_cast<WPARAM>(c.ending), 0);
            EXPECT_TRUE(d.IsModalLoopRunning());
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(c.runs, counting.m_cleanRuns);
    }
}

// Start is the default button: Enter on any other control presses it too.
TEST_F(MainDialog, StartEnterAndTheCleanRunModeRunTheClean)
{
    CCountingCleanerDlg started;
    RunModal(started, [&started](CDialog& d) {
        Click(d, IDOK);
        EXPECT_TRUE(d.IsModalLoopRunning());
        EXPECT_EQ(1, started.m_cleanRuns);
        const HWND tickBox = ::GetDlgItem(d.GetSafeHwnd(), IDC_DEL_WIN_TEMP);
        ::SetFocus(tickBox);
        ::PostMessageA(tickBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageA(tickBox, WM_KEYUP, VK_RETURN, 0xC01C0001);
        d.PostMessage(WM_COMMAND, IDCANCEL);   // after the keys, through the dialog's own loop
    });
    EXPECT_EQ(2, started.m_cleanRuns);

    theApp.m_lpCmdLine = "/clean";
    CCountingCleanerDlg cleaning;
    EXPECT_EQ(IDCANCEL, RunModal(cleaning, [](CDialog&) {}, 5000));
    EXPECT_EQ(1, cleaning.m_cleanRuns);
}

// Clicks control, which opens a details dialog, and answers that dialog with command from a
// thread timer inside the dialog's own loop.
HWND g_mainWindow = nullptr;
WPARAM g_answer = 0;
bool g_answered = false;

void CALLBACK AnswerDetailsDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND active = ::GetActiveWindow();
    if (!active || active == g_mainWindow)
        return;   // not open yet
    ::KillTimer(nullptr, timer);
    g_answered = true;
    ::PostMessageA(active, WM_COMMAND, g_answer, 0);
}

void ClickAndAnswer(CDialog& main, int control, WPARAM command)
{
    g_mainWindow = main.GetSafeHwnd();
    g_answer = command;
    g_answered = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &AnswerDetailsDialog);
    Click(main, control);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_answered) << "no details dialog opened";
}

// OK in a details dialog ticks its group; Cancel leaves the group as it was, also when a click
// on the tick box itself opened the dialog.
TEST_F(MainDialog, DetailsDialogsTickTheirGroupOnlyWithOK)
{
    theApp.m_folderNSCache = "E:\\Netscape\\Cache\\";
    RunModal(dlg, [](CDialog& d) {
        const struct { int box; int clicked; WPARAM answer; UINT ticked; } steps[] = {
            {IDC_MSIE, IDC_IE_ITEMS, IDCANCEL, BST_UNCHECKED},
            {IDC_MSIE, IDC_IE_ITEMS, IDOK, BST_CHECKED},
            {IDC_NETSCAPE, IDC_NETSCAPE, IDCANCEL, BST_UNCHECKED},   // the click itself unticked it
            {IDC_NETSCAPE, IDC_NETSCAPE_ITEMS, IDOK, BST_CHECKED},
        };
        d.CheckDlgButton(IDC_MSIE, BST_UNCHECKED);
        ASSERT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        for (const auto& step : steps) {
            SCOPED_TRACE(testing::Message() << step.clicked << " answered " << step.answer);
            ClickAndAnswer(d, step.clicked, step.answer);
            EXPECT_EQ(step.ticked, d.IsDlgButtonChecked(step.box));
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
