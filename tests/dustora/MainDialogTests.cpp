// Dustora's main options dialog as a new user meets it: its controls and their first state, the
// drive list, the details buttons with their refusals, the notes, help and the scheduler
// program, the colours on the tiles and the tooltips.
#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "resources/DustoraResource.h"
#include "support/Canvas.h"
#include "support/CountingCleanerDlg.h"
#include "support/MainDialogFixture.h"
#include "support/Pixels.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using MainDialog = MainDialogFixture;

CCleanerDlg& Main(CDialog& d)
{
    return static_cast<CCleanerDlg&>(d);
}

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

std::vector<std::string> DriveItems(const CCleanerDlg& dlg)
{
    std::vector<std::string> items;
    for (int i = 0; i < dlg.m_driveList.GetCount(); ++i)
        items.push_back(dlg.m_driveList.GetText(i).Str());
    return items;
}

std::vector<int> DriveChecks(const CCleanerDlg& dlg)
{
    std::vector<int> checks;
    for (int i = 0; i < dlg.m_driveList.GetCount(); ++i)
        checks.push_back(dlg.m_driveList.GetCheck(i));
    return checks;
}

// A real click of the mouse on the middle of an item.
void ClickDriveItem(CCheckListBox& list, int index)
{
    RECT item = {};
    ASSERT_NE(LB_ERR, list.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
}

TEST_F(MainDialog, AFirstStartTicksTheDefaultsButNetscapeAndDisablesTheDrives)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());   // as the program shows it
    RunModal(dlg, [](CDialog& d) {
        const struct {
            int id;
            UINT ticked;
        } boxes[] = {
            {IDC_DEL_WINDOWS_DOC_HISTORY, 1}, {IDC_EMPTY_RECYCLE_BIN, 1}, {IDC_DEL_WIN_TEMP, 1},
            {IDC_DEL_APP_LOG, 1},             {IDC_MSIE, 1},             {IDC_OUTLOOK, 1},
            {IDC_NETSCAPE, 0},                {IDC_OFFICE, 0},           {IDC_DEL_INVALID_SHORTCUTS, 0},
            {IDC_CLEAN_REG_UNINSTALL, 0},     {IDC_DEL_WIN_RUN_HISTORY, 0}, {IDC_DEL_REG_BACKUP, 0},
            {IDC_DEL_REG_INVALID_OLE, 0},     {IDC_DEL_CHK_FILES, 0},
        };
        for (const auto& box : boxes)
            EXPECT_EQ(box.ticked, d.IsDlgButtonChecked(box.id)) << box.id;
        EXPECT_FALSE(Main(d).m_driveList.IsWindowEnabled());
        EXPECT_STREQ("System was not yet Cleaned with Dustora.", d.GetDlgItemText(IDC_LAST_CLEANED));
        SaveScreenshot(d, "main-window");
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialog, TheLastCleanedLineShowsTheStoredText)
{
    theApp.WriteProfileString("Stats", "LastCleaned", " System was last Cleaned on Monday, June 01, 2020 10:00:00");
    RunModal(dlg, [](CDialog& d) {
        EXPECT_STREQ(" System was last Cleaned on Monday, June 01, 2020 10:00:00", d.GetDlgItemText(IDC_LAST_CLEANED));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// Every control of the template, with its kind and text.
TEST_F(MainDialog, TheTemplateHoldsEveryControl)
{
    RunModal(dlg, [](CDialog& d) {
        const struct {
            int id;
            const char* className;
            const char* text;
        } controls[] = {
            {IDC_BANNER, "Static", nullptr},
            {IDC_LAST_CLEANED, "Static", nullptr},
            {IDC_STANDARD_GROUP, "Button", " Standard Windows Items... "},
            {IDC_REGISTRY_GROUP, "Button", " Registry Items... "},
            {IDC_RUN_HISTORY_NOTE, "Button", ""},
            {IDC_REG_BACKUP_NOTE, "Button", ""},
            {IDC_IE_GROUP, "Button", " Internet Explorer "},
            {IDC_IE_ITEMS, "Button", "&IE Items..."},
            {IDC_OUTLOOK_GROUP, "Button", "Outlook 2000"},
            {IDC_OUTLOOK_ITEMS, "Button", "&Outlook Items..."},
            {IDC_NETSCAPE_GROUP, "Button", " Netscape Navigator "},
            {IDC_NETSCAPE_ITEMS, "Button", "&Netscape Items..."},
            {IDC_OFFICE_GROUP, "Button", "Office 97/2000"},
            {IDC_OFFICE_ITEMS, "Button", "Office Items..."},
            {IDC_GENERAL_GROUP, "Button", " General "},
            {IDC_DRIVES_LABEL, "Static", "Select Drives to Clean:"},
            {IDC_DRIVE_LIST, "ListBox", nullptr},
            {IDC_AUTOMATIC_GROUP, "Button", " Automatic Clean "},
            {IDC_SCHEDULE, "Button", "S&chedule"},
            {IDC_ADVANCED_SCHEDULER, "Button", "Advanced Scheduler"},
            {IDOK, "Button", "&Start"},
            {IDCANCEL, "Button", "E&xit"},
            {IDC_FOLDERS, "Button", "&Folders"},
            {IDC_HELP_BUTTON, "Button", "&Help"},
            {IDC_DEL_CHK_FILES, "Button", "Delete .CHK, .BAK, .GID, and .TMP files."},
        };
        for (const auto& control : controls) {
            SCOPED_TRACE(control.id);
            const HWND window = ::GetDlgItem(d.GetSafeHwnd(), control.id);
            ASSERT_NE(nullptr, window);
            char className[32] = "";
            ::GetClassNameA(window, className, sizeof(className));
            EXPECT_EQ(0, lstrcmpiA(control.className, className)) << className;
            if (control.text) {
                EXPECT_STREQ(control.text, d.GetDlgItemText(control.id));
            }
        }
        EXPECT_EQ(static_cast<DWORD>(SS_BITMAP), Main(d).m_banner.GetStyle() & SS_TYPEMASK);
        const DWORD listStyle = Main(d).m_driveList.GetStyle();
        for (DWORD bit : {DWORD(LBS_OWNERDRAWFIXED), DWORD(LBS_HASSTRINGS), DWORD(LBS_NOSEL), DWORD(LBS_NOTIFY)})
            EXPECT_EQ(bit, listStyle & bit) << std::hex << bit;
        EXPECT_EQ(0u, listStyle & LBS_SORT);
        // The platform draws a control's border as a sunken edge.
        EXPECT_TRUE((listStyle & WS_BORDER) || (Main(d).m_driveList.GetExStyle() & WS_EX_CLIENTEDGE));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// The sandbox has C: (fixed), D: (CD-ROM), E: (fixed, "SANDBOX") and F: (removable).
TEST_F(MainDialog, TheDriveListHoldsTheFixedAndRemovableDrivesInLetterOrder)
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
    RunModal(dlg, [&expected](CDialog& d) {
        const std::vector<std::string> items = DriveItems(Main(d));
        EXPECT_EQ(expected, items);
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ(0u, items[0].rfind("[C:] ", 0));
        EXPECT_EQ("[E:] SANDBOX", items[1]);
        for (const std::string& item : items)
            EXPECT_NE(0u, item.rfind("[D:]", 0)) << "the CD-ROM is listed";
        EXPECT_EQ(std::vector<int>(items.size(), BST_UNCHECKED), DriveChecks(Main(d)));

        // The sandbox's drives all show without scrolling.
        RECT client;
        Main(d).m_driveList.GetClientRect(&client);
        RECT last = {};
        Main(d).m_driveList.SendMessage(LB_GETITEMRECT, items.size() - 1, reinterpret_cast<LPARAM>(&last));
        EXPECT_LE(last.bottom, client.bottom);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialog, TheTempFilesTickBoxChecksOrClearsEveryDrive)
{
    RunModal(dlg, [](CDialog& d) {
        CCleanerDlg& main = Main(d);
        const size_t count = static_cast<size_t>(main.m_driveList.GetCount());
        ASSERT_GE(count, 2u);

        Click(d, IDC_DEL_CHK_FILES);
        EXPECT_TRUE(main.m_driveList.IsWindowEnabled());
        EXPECT_EQ(std::vector<int>(count, BST_CHECKED), DriveChecks(main));

        // The user's own choice: a click and the space bar each toggle one drive.
        ClickDriveItem(main.m_driveList, 1);
        EXPECT_EQ(BST_UNCHECKED, main.m_driveList.GetCheck(1));
        EXPECT_EQ(BST_CHECKED, main.m_driveList.GetCheck(0));
        main.m_driveList.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(BST_CHECKED, main.m_driveList.GetCheck(1));
        main.m_driveList.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(BST_UNCHECKED, main.m_driveList.GetCheck(1));
        main.m_driveList.Invalidate();
        main.m_driveList.UpdateWindow();
        EXPECT_EQ(BST_UNCHECKED, main.m_driveList.GetCheck(1));   // a redraw keeps the checks

        Click(d, IDC_DEL_CHK_FILES);
        EXPECT_FALSE(main.m_driveList.IsWindowEnabled());
        EXPECT_EQ(std::vector<int>(count, BST_UNCHECKED), DriveChecks(main));
        Click(d, IDC_DEL_CHK_FILES);
        EXPECT_EQ(std::vector<int>(count, BST_CHECKED), DriveChecks(main));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// The list follows its tick box, which shows only a stored 1 as ticked.
TEST_F(MainDialog, TheStoredTempFilesOptionSetsTheDriveList)
{
    const struct {
        int stored;
        BOOL enabled;
        int check;
    } cases[] = {{1, TRUE, BST_CHECKED}, {0, FALSE, BST_UNCHECKED}, {2, FALSE, BST_UNCHECKED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        theApp.WriteProfileInt("Items", "DelCHKFiles", c.stored);
        CCleanerDlg main;
        RunModal(main, [&c](CDialog& d) {
            EXPECT_EQ(c.enabled, Main(d).m_driveList.IsWindowEnabled());
            const std::vector<int> checks = DriveChecks(Main(d));
            EXPECT_EQ(std::vector<int>(checks.size(), c.check), checks);
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
    }
}

TEST_F(MainDialog, NetscapeWithoutACacheFolderIsRefusedAndStaysUnticked)
{
    RecordedBoxes boxes;
    RunModal(dlg, [](CDialog& d) {
        Click(d, IDC_NETSCAPE);   // the tick box itself
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        Click(d, IDC_NETSCAPE_ITEMS);
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        EXPECT_TRUE(Main(d).m_netscapeBox.IsWindowEnabled());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    CString refusal;
    refusal.LoadString(IDS_NETSCAPE_NO_CACHE);
    ASSERT_EQ(2u, boxes.shown.size());
    for (const ShownBox& box : boxes.shown) {
        EXPECT_EQ(refusal.Str(), box.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.type);
        EXPECT_EQ(theApp.m_pszAppName.Str(), box.caption);
    }
}

// The sandbox has neither Outlook Express nor Office; the detection tests that make their keys
// wait meanwhile.
TEST_F(MainDialog, OutlookAndOfficeRefusedOnceStayOffAndDisabled)
{
    NamedLock officeKeys("DustoraTests.OfficeKeys");
    NamedLock outlookExpressKey("DustoraTests.OutlookExpressKey");
    RecordedBoxes boxes;
    RunModal(dlg, [](CDialog& d) {
        ASSERT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_OUTLOOK));
        for (int attempt = 0; attempt < 2; ++attempt) {
            Click(d, IDC_OUTLOOK_ITEMS);
            Click(d, IDC_OFFICE_ITEMS);
        }
        for (int box : {IDC_OUTLOOK, IDC_OFFICE}) {
            EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(box)) << box;
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.GetSafeHwnd(), box))) << box;
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    CString outlook;
    outlook.LoadString(IDS_OUTLOOK_NOT_INSTALLED);
    CString office;
    office.LoadString(IDS_OFFICE_NOT_INSTALLED);
    ASSERT_EQ(4u, boxes.shown.size());
    EXPECT_EQ(outlook.Str(), boxes.shown[0].text);
    EXPECT_EQ(office.Str(), boxes.shown[1].text);
    EXPECT_EQ(outlook.Str(), boxes.shown[2].text);
    for (const ShownBox& box : boxes.shown)
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.type);
    EXPECT_EQ(0, dlg.m_outlook);
    EXPECT_EQ(0, dlg.m_office);
}

TEST_F(MainDialog, TheNoteButtonsExplainTheirOptions)
{
    RecordedBoxes boxes;
    RunModal(dlg, [](CDialog& d) {
        Click(d, IDC_RUN_HISTORY_NOTE);
        Click(d, IDC_REG_BACKUP_NOTE);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("Note: After a clean operation, the Windows Run History will not appear to be clean until Windows is "
              "restarted.  This is because Windows stores it in memory.",
              boxes.shown[0].text);
    EXPECT_EQ(0u, boxes.shown[1].text.rfind("When setting this item, it will delete the Windows 98 Old Registry Backups", 0));
    EXPECT_NE(std::string::npos, boxes.shown[1].text.find("\n\n*** THIS OPTION IS AVAILABLE ONLY UNDER WINDOWS 98 !"));
    for (const ShownBox& box : boxes.shown)
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), box.type);
}

// The test program's folder has no Ordavel.EXE.
TEST_F(MainDialog, AMissingSchedulerProgramIsNamedWithItsFullPath)
{
    RecordedBoxes boxes;
    RunModal(dlg, [](CDialog& d) {
        Click(d, IDC_ADVANCED_SCHEDULER);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    const CString path = ProgramFolderOfModule() + "Ordavel.EXE";
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path));
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Error: Cannot Execute " + path.Str() + "\nSome of Dustora files are missing.", boxes.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.shown[0].type);
}

TEST(MainDialogHelp, TopicsAreFoundInTheProgramFolder)
{
    const struct {
        UINT command;
        const char* path;
    } cases[] = {
        {ID_HELP_CONTENTS, "C:\\Dustora\\Dustora.chm"},
        {IDC_HELP_BUTTON, "C:\\Dustora\\Dustora.chm"},
        {ID_HELP_GETTING_STARTED, "C:\\Dustora\\Dustora.chm::/html/afxd4a7b.htm"},
        {ID_HELP_LICENSE, "C:\\Dustora\\Dustora.chm::/html/lice6nj9.htm"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.path, CCleanerDlg::HelpPath("C:\\Dustora\\", c.command)) << c.command;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM found)
{
    if (::IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOfThisThread()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The test program's folder has no help file: whatever is asked, no window opens.
TEST_F(MainDialog, HelpWithoutAHelpFileShowsNothing)
{
    RecordedBoxes boxes;
    std::vector<HWND> before;
    std::vector<HWND> after;
    RunModal(dlg, [&](CDialog& d) {
        before = VisibleWindowsOfThisThread();
        Click(d, IDC_HELP_BUTTON);
        for (UINT command : {ID_HELP_CONTENTS, ID_HELP_GETTING_STARTED, ID_HELP_LICENSE})
            d.SendMessage(WM_COMMAND, command);
        DrainMessages();
        after = VisibleWindowsOfThisThread();
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(before, after);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainDialog, TheSystemMenuEndsWithAbout)
{
    RunModal(dlg, [](CDialog& d) {
        const HMENU menu = d.GetSystemMenu(FALSE);
        ASSERT_NE(nullptr, menu);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, count - 1));
        char text[64] = "";
        ::GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_STREQ("&About Dustora...", text);
        MENUITEMINFOA separator = {};
        separator.cbSize = sizeof(separator);
        separator.fMask = MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(count - 2), TRUE, &separator));
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialog, FiveControlsHaveTooltips)
{
    RunModal(dlg, [](CDialog& d) {
        CCleanerDlg& main = Main(d);
        ASSERT_NE(nullptr, main.m_tooltips.GetSafeHwnd());
        EXPECT_EQ(5, main.m_tooltips.GetToolCount());
        const struct {
            int control;
            const char* text;
        } tips[] = {
            {IDC_DEL_WINDOWS_DOC_HISTORY, "Delete the Windows Recent Documents History."},
            {IDC_EMPTY_RECYCLE_BIN, "Empty the Windows Recycle Bin."},
            {IDC_DEL_WIN_TEMP, "Clean the Windows Temporary Folder."},
            {IDC_DEL_APP_LOG, "Empty the Windows98 Applications Log Folder."},
            {IDC_IE_ITEMS, "Select which Internet Explorer Items to Clean."},
        };
        for (const auto& tip : tips) {
            CWnd* control = d.GetDlgItem(tip.control);
            EXPECT_STREQ(tip.text, main.m_tooltips.GetToolText(&d, reinterpret_cast<UINT_PTR>(control->GetSafeHwnd())))
                << tip.control;
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialog, LabelsAreYellowOnTheTilesGroupCaptionsOnDarkBlue)
{
    RunModal(dlg, [](CDialog& d) {
        const HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
        const struct {
            int id;
            int mode;
            COLORREF background;   // CLR_INVALID: not looked at
        } cases[] = {
            {IDC_DEL_WINDOWS_DOC_HISTORY, TRANSPARENT, CLR_INVALID},
            {IDC_DRIVES_LABEL, TRANSPARENT, CLR_INVALID},
            {IDC_STANDARD_GROUP, OPAQUE, RGB(0, 0, 90)},
            {IDC_OFFICE_GROUP, OPAQUE, RGB(0, 0, 90)},
            {IDC_AUTOMATIC_GROUP, OPAQUE, RGB(0, 0, 90)},
            {IDC_LAST_CLEANED, OPAQUE, RGB(0, 0, 175)},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.id);
            const HWND control = ::GetDlgItem(d.GetSafeHwnd(), c.id);
            const HDC dc = ::GetDC(control);
            ::SetBkMode(dc, c.mode == OPAQUE ? TRANSPARENT : OPAQUE);
            EXPECT_EQ(reinterpret_cast<LRESULT>(hollow),
                      d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
            EXPECT_EQ(RGB(255, 255, 64), ::GetTextColor(dc));
            EXPECT_EQ(c.mode, ::GetBkMode(dc));
            if (c.background != CLR_INVALID) {
                EXPECT_EQ(c.background, ::GetBkColor(dc));
            }
            ::ReleaseDC(control, dc);
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialog, TheBannerIsCentredAtTheTop)
{
    RunModal(dlg, [](CDialog& d) {
        RECT client;
        d.GetClientRect(&client);
        RECT banner;
        Main(d).m_banner.GetWindowRect(&banner);
        d.ScreenToClient(&banner);
        const LONG width = banner.right - banner.left;
        EXPECT_EQ(client.right / 2 - width / 2, banner.left);
        EXPECT_EQ(1, banner.top);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// Tiles of bitmap 130 from the client area's corner, unscaled.
TEST_F(MainDialog, TheBackgroundIsTiledWithTheProgramPicture)
{
    CBitmap tile;
    ASSERT_TRUE(tile.LoadBitmap(IDB_BACKGROUND));
    SIZE size = {};
    ASSERT_TRUE(tile.GetSize(&size));
    EXPECT_EQ(217, size.cx);
    EXPECT_EQ(180, size.cy);
    CDC tileDC;
    tileDC.CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = tileDC.SelectObject(tile);
    theApp.m_background.LoadBitmap(IDB_BACKGROUND);
    RunModal(dlg, [&tileDC](CDialog& d) {
        const CClientDC dc(&d);
        // Points in the margins, where no control lies.
        for (const POINT& p : {POINT{2, 100}, POINT{2, 330}, POINT{434, 200}}) {
            SCOPED_TRACE(testing::Message() << "(" << p.x << ", " << p.y << ")");
            EXPECT_EQ(tileDC.GetPixel(p.x % 217, p.y % 180), dc.GetPixel(p.x, p.y));
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    tileDC.SelectObject(previous);
    theApp.m_background.DeleteObject();
}

TEST_F(MainDialog, TheTwelveButtonsDrawThemselves)
{
    RunModal(dlg, [](CDialog& d) {
        for (int id : {IDOK, IDCANCEL, IDC_FOLDERS, IDC_OFFICE_ITEMS, IDC_ADVANCED_SCHEDULER, IDC_REG_BACKUP_NOTE,
                       IDC_SCHEDULE, IDC_OUTLOOK_ITEMS, IDC_HELP_BUTTON, IDC_RUN_HISTORY_NOTE, IDC_NETSCAPE_ITEMS,
                       IDC_IE_ITEMS}) {
            CWnd* button = d.GetDlgItem(id);
            ASSERT_NE(nullptr, dynamic_cast<CFlatIconButton*>(button)) << id;
            EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button->GetStyle() & BS_TYPEMASK) << id;
            EXPECT_EQ(32, static_cast<CFlatIconButton*>(button)->GetIconSize().cx) << id;
            // Painted over the tiles, each holds its snapshot of them.
            EXPECT_TRUE(static_cast<CFlatIconButton*>(button)->HasSnapshot()) << id;
        }
        Canvas canvas(8, 8);
        d.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()));
        EXPECT_FALSE(Main(d).m_startButton.HasSnapshot());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(MainDialog, TheProgramIconIsTheWindowIconAndTheDragIcon)
{
    RunModal(dlg, [](CDialog& d) {
        const HICON icon = Main(d).m_icon;
        EXPECT_EQ(icon, ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon), d.SendMessage(WM_GETICON, ICON_BIG));
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon), d.SendMessage(WM_QUERYDRAGICON));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// Only a running program hears that Windows ends; with "clean at shutdown" chosen it cleans,
// whether or not Windows really ends.
TEST_F(MainDialog, TheEndOfTheSessionCleansWhenCleanAtShutdownIsChosen)
{
    const struct {
        int stored;
        BOOL ending;
        int runs;
    } cases[] = {{1, TRUE, 1}, {1, FALSE, 1}, {0, TRUE, 0}, {2, TRUE, 0}};
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

TEST_F(MainDialog, StartAndTheCleanRunModeRunTheClean)
{
    CCountingCleanerDlg started;
    RunModal(started, [](CDialog& d) {
        d.SendDlgItemMessage(IDOK, BM_CLICK);
        EXPECT_TRUE(d.IsModalLoopRunning());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(1, started.m_cleanRuns);

    theApp.m_lpCmdLine = "/clean";
    CCountingCleanerDlg cleaning;
    EXPECT_EQ(IDCANCEL, RunModal(cleaning, [](CDialog&) {}, 5000));
    EXPECT_EQ(1, cleaning.m_cleanRuns);
}

// Start is the default button: Enter on any other control presses it.
TEST_F(MainDialog, EnterStartsTheClean)
{
    CCountingCleanerDlg main;
    RunModal(main, [](CDialog& d) {
        const HWND tickBox = ::GetDlgItem(d.GetSafeHwnd(), IDC_DEL_WIN_TEMP);
        ::SetFocus(tickBox);
        ::PostMessageA(tickBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageA(tickBox, WM_KEYUP, VK_RETURN, 0xC01C0001);
        d.PostMessage(WM_COMMAND, IDCANCEL);   // after the keys, through the dialog's own loop
    });
    EXPECT_EQ(1, main.m_cleanRuns);
}

// The details dialog opened over the main dialog is answered from inside its own modal loop.
struct InnerAnswer {
    static inline HWND main = nullptr;
    static inline WPARAM command = 0;
    static inline bool answered = false;
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD)
    {
        const HWND active = ::GetActiveWindow();
        if (!active || active == main)
            return;   // not open yet
        ::KillTimer(nullptr, timer);
        answered = true;
        ::PostMessageA(active, WM_COMMAND, command, 0);
    }
};

// Clicks a control whose click opens a details dialog, and answers that dialog with command.
void ClickAndAnswer(CDialog& main, int control, WPARAM command)
{
    InnerAnswer::main = main.GetSafeHwnd();
    InnerAnswer::command = command;
    InnerAnswer::answered = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &InnerAnswer::Answer);
    main.SendDlgItemMessage(control, BM_CLICK);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(InnerAnswer::answered) << "no details dialog opened";
}

bool ProgramHasTemplate(UINT id)
{
    return ::FindResourceA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), RT_DIALOG) != nullptr;
}

// OK in a details dialog ticks its group; Cancel leaves the group as it was, also when a click
// on the tick box itself opened the dialog.
TEST_F(MainDialog, DetailsDialogsTickTheirGroupOnlyWithOK)
{
    if (!ProgramHasTemplate(IDD_IE_ITEMS) || !ProgramHasTemplate(IDD_NETSCAPE_ITEMS))
        GTEST_SKIP() << "the details dialogs' templates are not in this program";
    theApp.m_folderNSCache = "E:\\Netscape\\Cache\\";
    RunModal(dlg, [](CDialog& d) {
        d.CheckDlgButton(IDC_MSIE, BST_UNCHECKED);
        ClickAndAnswer(d, IDC_IE_ITEMS, IDCANCEL);
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_MSIE));
        ClickAndAnswer(d, IDC_IE_ITEMS, IDOK);
        EXPECT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_MSIE));

        ASSERT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        ClickAndAnswer(d, IDC_NETSCAPE, IDCANCEL);   // the click unticked it
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        ClickAndAnswer(d, IDC_NETSCAPE_ITEMS, IDOK);
        EXPECT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
