#include "app/CCleanerDlg.h"

#include "app/CCleanerApp.h"
#include "app/RunMode.h"
#include "controls/CAboutDialog.h"
#include "dialogs/CCleanReportDlg.h"
#include "dialogs/CFolderSettingsDlg.h"
#include "dialogs/DialogLook.h"
#include "engine/CComEntries.h"
#include "engine/CDiskSpace.h"
#include "engine/CDocumentHistory.h"
#include "engine/CDriveScan.h"
#include "engine/CFreeSpaceGains.h"
#include "engine/CHistoryLists.h"
#include "engine/CInternetAppInfo.h"
#include "engine/CInvalidShortcuts.h"
#include "engine/COfficeInfo.h"
#include "engine/COfficeRecentFiles.h"
#include "engine/COutlookStore.h"
#include "engine/CRegistryEraser.h"
#include "engine/RemovalScope.h"
#include "engine/CSystemFolders.h"
#include "engine/CUninstallEntries.h"
#include "framework/HtmlHelp.h"
#include "framework/MessageBox.h"
#include "framework/UniqueHandle.h"
#include "registry/CRegistryBackup.h"
#include "resources/DustoraResource.h"

#include <htmlhelp.h>
#include <shlobj.h>

#include <ctime>
#include <functional>

namespace {

const char kNotYetCleaned[] = "System was not yet Cleaned with Dustora.";
const char kSchedulerProgram[] = "Ordavel.EXE";
const char kCheckingAction[] = "Checking:";

// The name a cleaner is reported by: its progress item without the trailing "...".
CString CleanerName(const char* item)
{
    CString name(item);
    if (name.GetLength() >= 3 && name.Right(3) == "...")
        name = name.Left(name.GetLength() - 3);
    return name;
}

const COLORREF kHoverText = RGB(128, 255, 64);
const COLORREF kGroupCaptionBackground = RGB(0, 0, 90);
const COLORREF kLastCleanedBackground = RGB(0, 0, 175);
constexpr int kIconOffsetAbove = 3;
// The clean run's bar runs from 0 to 21; the report follows the closed progress dialog after 400 ms.
constexpr int kLastCleanPosition = 21;
constexpr DWORD kReportDelayMs = 400;

bool IsDriveLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

bool IsGroupBox(int id)
{
    switch (id) {
    case IDC_IE_GROUP:
    case IDC_NETSCAPE_GROUP:
    case IDC_GENERAL_GROUP:
    case IDC_STANDARD_GROUP:
    case IDC_REGISTRY_GROUP:
    case IDC_AUTOMATIC_GROUP:
    case IDC_OUTLOOK_GROUP:
    case IDC_OFFICE_GROUP:
        return true;
    default:
        return false;
    }
}

// The twelve buttons that draw themselves: their icon, whether it stands above the caption,
// and whether the caption has the program's colours (the two note buttons keep the system's).
struct FlatButtonLook {
    CFlatIconButton CCleanerDlg::*button;
    int icon;
    bool iconAbove;
    bool programColours;
};

const FlatButtonLook kFlatButtonLooks[] = {
    {&CCleanerDlg::m_startButton, IDI_START, false, true},
    {&CCleanerDlg::m_exitButton, IDI_EXIT, false, true},
    {&CCleanerDlg::m_ieItemsButton, IDI_IE_ITEMS, true, true},
    {&CCleanerDlg::m_outlookItemsButton, IDI_OUTLOOK_ITEMS, true, true},
    {&CCleanerDlg::m_officeItemsButton, IDI_OFFICE_ITEMS, true, true},
    {&CCleanerDlg::m_netscapeItemsButton, IDI_NETSCAPE_ITEMS, true, true},
    {&CCleanerDlg::m_scheduleButton, IDI_SCHEDULE, true, true},
    {&CCleanerDlg::m_advancedSchedulerButton, IDI_ADVANCED_SCHEDULER, false, true},
    {&CCleanerDlg::m_helpButton, IDI_HELP, false, true},
    {&CCleanerDlg::m_foldersButton, IDI_FOLDERS, false, true},
    {&CCleanerDlg::m_runHistoryNoteButton, IDI_NOTE, false, false},
    {&CCleanerDlg::m_regBackupNoteButton, IDI_NOTE, false, false},
};

}  // namespace

CCleanerDlg::CCleanerDlg(CWnd* parent)
    : CTiledDialog(IDD_DUSTORA_DIALOG, parent), m_icon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
    SetBackground(theApp.m_background);
    m_ieItemsDlg.SetBackground(theApp.m_background);
    m_outlookItemsDlg.SetBackground(theApp.m_background);
    m_netscapeItemsDlg.SetBackground(theApp.m_background);
    m_officeItemsDlg.SetBackground(theApp.m_background);
}

BEGIN_MESSAGE_MAP(CCleanerDlg, CTiledDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_TRAYNOTIFY, &CCleanerDlg::OnTrayNotification)
    ON_WM_ENDSESSION()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_ADVANCED_SCHEDULER, &CCleanerDlg::OnAdvancedScheduler)
    ON_COMMAND(IDM_ABOUTBOX, &CCleanerDlg::OnAbout)
    ON_BN_CLICKED(IDC_IE_ITEMS, &CCleanerDlg::OnIEItems)
    ON_BN_CLICKED(IDC_OUTLOOK_ITEMS, &CCleanerDlg::OnOutlookItems)
    ON_BN_CLICKED(IDC_NETSCAPE_ITEMS, &CCleanerDlg::OnNetscapeItems)
    ON_BN_CLICKED(IDC_NETSCAPE, &CCleanerDlg::OnNetscapeItems)
    ON_BN_CLICKED(IDC_OFFICE_ITEMS, &CCleanerDlg::OnOfficeItems)
    ON_BN_CLICKED(IDC_SCHEDULE, &CCleanerDlg::OnSchedule)
    ON_BN_CLICKED(IDC_FOLDERS, &CCleanerDlg::OnFolders)
    ON_BN_CLICKED(IDC_RUN_HISTORY_NOTE, &CCleanerDlg::OnRunHistoryNote)
    ON_BN_CLICKED(IDC_REG_BACKUP_NOTE, &CCleanerDlg::OnRegBackupNote)
    ON_BN_CLICKED(IDC_DEL_CHK_FILES, &CCleanerDlg::OnTempFilesClicked)
    ON_BN_CLICKED(IDC_HELP_BUTTON, &CCleanerDlg::OnHelpContents)
    ON_COMMAND(ID_HELP_CONTENTS, &CCleanerDlg::OnHelpContents)
    ON_COMMAND(ID_HELP_GETTING_STARTED, &CCleanerDlg::OnHelpGettingStarted)
    ON_COMMAND(ID_HELP_LICENSE, &CCleanerDlg::OnHelpLicense)
    ON_COMMAND(ID_SHOW_OPTIONS, &CCleanerDlg::OnShowOptions)
    ON_COMMAND(ID_APP_EXIT, &CCleanerDlg::OnAppExit)
END_MESSAGE_MAP()

void CCleanerDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDOK, m_startButton);
    DDX_Control(pDX, IDCANCEL, m_exitButton);
    DDX_Control(pDX, IDC_FOLDERS, m_foldersButton);
    DDX_Control(pDX, IDC_DEL_INVALID_SHORTCUTS, m_invalidShortcutsBox);
    DDX_Control(pDX, IDC_CLEAN_REG_UNINSTALL, m_uninstallBox);
    DDX_Control(pDX, IDC_DEL_WIN_RUN_HISTORY, m_runHistoryBox);
    DDX_Control(pDX, IDC_OFFICE, m_officeBox);
    DDX_Control(pDX, IDC_NETSCAPE, m_netscapeBox);
    DDX_Control(pDX, IDC_OUTLOOK, m_outlookBox);
    DDX_Control(pDX, IDC_DEL_CHK_FILES, m_chkFilesBox);
    DDX_Control(pDX, IDC_MSIE, m_msieBox);
    DDX_Control(pDX, IDC_OFFICE_ITEMS, m_officeItemsButton);
    DDX_Control(pDX, IDC_ADVANCED_SCHEDULER, m_advancedSchedulerButton);
    DDX_Control(pDX, IDC_REG_BACKUP_NOTE, m_regBackupNoteButton);
    DDX_Control(pDX, IDC_SCHEDULE, m_scheduleButton);
    DDX_Control(pDX, IDC_OUTLOOK_ITEMS, m_outlookItemsButton);
    DDX_Control(pDX, IDC_HELP_BUTTON, m_helpButton);
    DDX_Control(pDX, IDC_RUN_HISTORY_NOTE, m_runHistoryNoteButton);
    DDX_Control(pDX, IDC_NETSCAPE_ITEMS, m_netscapeItemsButton);
    DDX_Control(pDX, IDC_IE_ITEMS, m_ieItemsButton);
    DDX_Control(pDX, IDC_BANNER, m_banner);
    DDX_Control(pDX, IDC_DRIVE_LIST, m_driveList);

    DDX_Check(pDX, IDC_DEL_WIN_TEMP, m_delWinTemp);
    DDX_Check(pDX, IDC_EMPTY_RECYCLE_BIN, m_emptyRecycleBin);
    DDX_Check(pDX, IDC_DEL_WINDOWS_DOC_HISTORY, m_delWindowsDocHistory);
    DDX_Check(pDX, IDC_DEL_INVALID_SHORTCUTS, m_delInvalidShortcuts);
    DDX_Check(pDX, IDC_DEL_APP_LOG, m_delAppLog);
    DDX_Check(pDX, IDC_CLEAN_REG_UNINSTALL, m_cleanRegUninstall);
    DDX_Check(pDX, IDC_DEL_WIN_RUN_HISTORY, m_delWinRunHistory);
    DDX_Check(pDX, IDC_DEL_REG_BACKUP, m_delRegBackup);
    DDX_Check(pDX, IDC_MSIE, m_msie);
    DDX_Check(pDX, IDC_DEL_CHK_FILES, m_delCHKFiles);
    DDX_Check(pDX, IDC_OUTLOOK, m_outlook);
    DDX_Check(pDX, IDC_NETSCAPE, m_netscape);
    DDX_Check(pDX, IDC_OFFICE, m_office);
    DDX_Check(pDX, IDC_DEL_REG_INVALID_OLE, m_delRegInvalidOLE);
}

// "EmtpyCookies" is misspelt in every existing profile and must stay so.
std::array<OptionSetting, CCleanerDlg::kOptionCount> CCleanerDlg::OptionSettings()
{
    return {{
        {"Items", "DelWindowsDocHistory", 1, m_delWindowsDocHistory},
        {"Items", "EmptyRecycleBin", 1, m_emptyRecycleBin},
        {"Items", "DelWinTemp", 1, m_delWinTemp},
        {"Items", "DelInvalidShortcuts", 0, m_delInvalidShortcuts},
        {"Items", "DelAppLog", 1, m_delAppLog},
        {"Items", "CleanRegUninstall", 0, m_cleanRegUninstall},
        {"Items", "DelWinRunHistory", 0, m_delWinRunHistory},
        {"Items", "DelRegBackup", 0, m_delRegBackup},
        {"Items", "DelRegInvalidOLE", 0, m_delRegInvalidOLE},
        {"Items", "DelCHKFiles", 0, m_delCHKFiles},
        {"Items", "MSIE", 1, m_msie},
        {"Items", "Outlook", 1, m_outlook},
        {"Items", "Netscape", 1, m_netscape},
        {"Items", "Office", 0, m_office},
        {"OutLook Items", "DelRecycleBin", 0, m_outlookItemsDlg.m_emptyDeletedItems},
        {"MSIE Items", "DelCacheFolder", 1, m_ieItemsDlg.m_cleanCache},
        {"MSIE Items", "DelTypedURL", 0, m_ieItemsDlg.m_deleteTypedUrls},
        {"MSIE Items", "EmtpyCookies", 0, m_ieItemsDlg.m_emptyCookies},
        {"Netscape Items", "DelCacheFolder", 1, m_netscapeItemsDlg.m_cleanCache},
        {"Netscape Items", "DelCookiesFolder", 0, m_netscapeItemsDlg.m_deleteCookies},
        {"Office Items", "DelAccessMRU", 0, m_officeItemsDlg.m_deleteAccessMru},
        {"Office Items", "DelExcelMRU", 0, m_officeItemsDlg.m_deleteExcelMru},
        {"Office Items", "DelWordMRU", 0, m_officeItemsDlg.m_deleteWordMru},
        {"Office Items", "DelPowerPointMRU", 0, m_officeItemsDlg.m_deletePowerPointMru},
        {"Schedule", "CleanAtStartup", 0, m_scheduleDlg.m_cleanAtStartup},
        {"Schedule", "CleanAtShutdown", 0, m_scheduleDlg.m_cleanAtShutdown},
        {"Schedule", "LoadAtStartup", 0, m_scheduleDlg.m_loadAtStartup},
    }};
}

void CCleanerDlg::LoadSettings()
{
    for (const OptionSetting& option : OptionSettings())
        option.member = static_cast<int>(theApp.GetProfileInt(option.section, option.key, option.defaultValue));
}

// The item and Schedule dialogs' flags are written as they stand: those dialogs take their
// tick boxes in only when they close with OK.
void CCleanerDlg::SaveSettings()
{
    UpdateData(TRUE);
    for (const OptionSetting& option : OptionSettings())
        theApp.WriteProfileInt(option.section, option.key, option.member);
}

void CCleanerDlg::FillDriveList()
{
    for (const MeasuredDrive& drive : CDriveScan::Scan()) {
        CString text;
        text.Format("[%c:] %s", drive.letter, drive.label.GetString());
        m_driveList.AddString(text);
    }
}

void CCleanerDlg::RecordFreeSpaceBefore()
{
    CDiskSpace space(&theApp);
    CFreeSpaceGains::RecordSnapshot(space, CDriveScan::Scan(), theApp.g_FreeBefore, theApp.g_FreeBeforeDrive);
}

BOOL CCleanerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AppendToSystemMenu(IDS_ABOUTBOX, IDM_ABOUTBOX);
    AppendToSystemMenu(IDS_PREVIEW_CLEAN, IDM_PREVIEW_CLEAN, false);
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    RegisterTrayIcon();
    DressFlatButtons();
    FillDriveList();
    theApp.m_splashHold = 0;
    AddToolTips();
    for (const char* extension : {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"})
        theApp.g_TempExtensions.Add(extension);
    CentreBanner();

    LoadSettings();
    UpdateData(FALSE);
    // The list follows its tick box, which shows only a stored 1 as ticked.
    if (IsOptionOn(m_delCHKFiles))
        CheckAllDrives(BST_CHECKED);
    else
        m_driveList.EnableWindow(FALSE);
    ShowLastCleaned();
    // Without a cache folder there is no Netscape to clean, whatever the profile says.
    if (theApp.m_folderNSCache.IsEmpty()) {
        m_netscapeBox.SetCheck(BST_UNCHECKED);
        m_netscape = 0;
    }

    ActOnRunMode();
    theApp.m_programFolder = ProgramFolderOfModule();
    return TRUE;
}

// Registered hidden: the icon carries the program's icon and name when minimising or a "/load"
// start reveals it.
void CCleanerDlg::RegisterTrayIcon()
{
    m_tray.AddIcon(this, WM_TRAYNOTIFY, "Dustora", nullptr, IDR_TRAY_MENU);
    m_tray.ChangeIcon(static_cast<UINT>(IDR_MAINFRAME));
    m_tray.Conceal();
    m_tray.ChangeTip("Dustora 2.0");
}

void CCleanerDlg::DressFlatButtons()
{
    for (const FlatButtonLook& look : kFlatButtonLooks) {
        CFlatIconButton& button = this->*look.button;
        button.SetIcon(look.icon, 0);
        if (look.iconAbove) {
            button.SetAlign(CFlatIconButton::kIconAbove);
            button.SetIconOffset(kIconOffsetAbove);
        }
        button.SetTransparent(false);
        if (look.programColours) {
            button.SetNormalTextColor(kLabelText, false);
            button.SetHoverTextColor(kHoverText, false);
        }
    }
}

void CCleanerDlg::AddToolTips()
{
    static const struct {
        int control;
        UINT text;
    } kTips[] = {
        {IDC_DEL_WINDOWS_DOC_HISTORY, IDS_TIP_DOC_HISTORY}, {IDC_EMPTY_RECYCLE_BIN, IDS_TIP_EMPTY_RECYCLE_BIN},
        {IDC_DEL_WIN_TEMP, IDS_TIP_WIN_TEMP},               {IDC_DEL_APP_LOG, IDS_TIP_APP_LOG},
        {IDC_IE_ITEMS, IDS_TIP_IE_ITEMS},
    };
    if (!m_tooltips.Create(this))
        return;
    for (const auto& tip : kTips)
        m_tooltips.AddTool(GetDlgItem(tip.control), tip.text);
    m_tooltips.Activate(TRUE);
}

void CCleanerDlg::CentreBanner()
{
    RECT client;
    GetClientRect(&client);
    CenterHorizontally(m_banner, client.right, 1);
}

void CCleanerDlg::ShowLastCleaned()
{
    SetDlgItemText(IDC_LAST_CLEANED, theApp.GetProfileString("Stats", "LastCleaned", kNotYetCleaned));
}

void CCleanerDlg::ActOnRunMode()
{
    switch (RunModeFromCommandLine(theApp.m_lpCmdLine)) {
    case RunMode::Load:
        m_startInTray = 1;
        break;
    case RunMode::Clean:
        OnOK();
        PostMessage(WM_CLOSE);
        break;
    case RunMode::Preview:
        OnPreview();
        break;
    case RunMode::Interactive:
        break;
    }
}

void CCleanerDlg::CheckAllDrives(int check)
{
    for (int index = 0; index < m_driveList.GetCount(); ++index)
        m_driveList.SetCheck(index, check);
}

// The first message of the modal loop finds a "/load" start and hides the dialog behind its icon.
BOOL CCleanerDlg::PreTranslateMessage(MSG* msg)
{
    if (m_startInTray == 1) {
        m_tray.Reveal();
        ShowWindow(SW_HIDE);
        m_startInTray = 0;
    }
    if (m_tooltips.GetSafeHwnd())
        m_tooltips.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

// Minimising moves the program into the notification area; it has no taskbar button then.
void CCleanerDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    switch (id & 0xFFF0) {
    case IDM_PREVIEW_CLEAN:
        OnPreview();
        break;
    case IDM_ABOUTBOX:
        m_tray.Conceal();
        RunAboutBox();
        m_tray.Reveal();
        break;
    case SC_MINIMIZE:
        m_tray.Reveal();
        ShowWindow(SW_HIDE);
        break;
    case SC_RESTORE:
        // The window first: without a notification area each icon call can take seconds.
        ShowWindow(SW_SHOW);
        m_tray.Conceal();
        break;
    default:
        CDialog::OnSysCommand(id, lParam);
        break;
    }
}

void CCleanerDlg::OnPaint()
{
    if (IsIconic())
        PaintMinimisedIcon(m_icon);
    else
        CDialog::OnPaint();
}

HCURSOR CCleanerDlg::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(m_icon);
}

// Each button takes a new snapshot of the tiles at its next paint.
BOOL CCleanerDlg::OnEraseBkgnd(CDC* dc)
{
    CTiledDialog::OnEraseBkgnd(dc);
    for (const FlatButtonLook& look : kFlatButtonLooks)
        (this->*look.button).SetTransparent(false);
    return TRUE;
}

// Labels, tick boxes and group boxes draw yellow text straight onto the tiles; the group
// captions sit on a dark blue band, the last-cleaned line on a blue one.
HBRUSH CCleanerDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CTiledDialog::OnCtlColor(dc, control, kind);
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (IsGroupBox(id)) {
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(kGroupCaptionBackground);
    } else if (id == IDC_LAST_CLEANED) {
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(kLastCleanedBackground);
        FillControlBackground(*dc, *control, kLastCleanedBackground);
    }
    return brush;
}

LRESULT CCleanerDlg::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    return m_tray.HandleNotification(wParam, lParam);
}

// Windows tells a running program of its end: with "clean at shutdown" chosen, this is the
// moment. Whether Windows really ends is not asked.
void CCleanerDlg::OnEndSession(BOOL ending)
{
    CDialog::OnEndSession(ending);
    if (IsOptionOn(m_scheduleDlg.m_cleanAtShutdown))
        OnOK();
}

void CCleanerDlg::OnDestroy()
{
    m_tray.DeleteIcon();
    CDialog::OnDestroy();
}

// Start, Enter, "/clean" and the end of the session all come here. A second run asked for
// while one is going (the end of the session, heard through the run's own pumping) is not
// started.
void CCleanerDlg::OnOK()
{
    RunOnce(false);
}

// "Preview Clean..." and "/preview": the same run, removing nothing.
void CCleanerDlg::OnPreview()
{
    RunOnce(true);
}

void CCleanerDlg::RunOnce(bool preview)
{
    if (m_cleaning)
        return;
    m_cleaning = true;
    m_previewing = preview;
    RunClean();
    m_previewing = false;
    m_cleaning = false;
}

// Saves the options, notes the free space, runs the chosen cleaners behind the progress dialog,
// stamps the run (a stopped one too) and shows the space gained with what each cleaner removed.
// A preview walks the same cleaners inside a scope that lets nothing be removed, counts what a
// clean would remove, stamps nothing and reports only those counts.
void CCleanerDlg::RunClean()
{
    CSystemFolders folders(theApp.m_settings, theApp);
    COfficeInfo office;
    CRunProgress progress;
    CInternetAppInfo internetApps(theApp.m_settings);
    CRegistryBackup registryBackup(CRegistryBackup::DefaultFolder());

    SaveSettings();
    RecordFreeSpaceBefore();
    CCleanReportDlg report;
    report.SetBackground(theApp.m_background);
    UpdateData(TRUE);
    progress.Dialog().SetBackground(theApp.m_background);
    progress.Create(this);
    progress.SetRange(0, kLastCleanPosition);
    progress.SetPos(0);
    progress.SetPos(1);

    m_removals.clear();
    // Each step counts into its own tally; the run's scope makes the whole run a preview, not
    // only its steps, so nothing between them can remove anything either.
    RemovalTally outsideSteps;
    {
        const RemovalScope run(outsideSteps, m_previewing);
        CRegistryBackup* const previousBackup = CRegistryEraser::SetBackup(&registryBackup);
        RunCleanSteps(progress, folders, office, internetApps, registryBackup);
        CRegistryEraser::SetBackup(previousBackup);
    }
    report.SetRegistryBackupFile(registryBackup.FilePath());

    progress.SetPos(kLastCleanPosition);
    if (!m_previewing) {
        StampLastCleaned();
        theApp.m_registryEntriesRemoved += static_cast<LONG>(CCleanReportDlg::TotalOf(m_removals).registryEntries);
    }
    progress.Close();
    ::Sleep(kReportDelayMs);
    // The report uses up the count of registry entries.
    report.SetFigures(theApp.g_FreeBefore, theApp.g_FreeBeforeDrive, theApp.m_registryEntriesRemoved, &theApp);
    report.SetRemovals(m_removals, m_previewing);
    theApp.m_registryEntriesRemoved = 0;
    report.DoModal();
}

void CCleanerDlg::RunCleanSteps(CRunProgress& progress, CSystemFolders& folders, COfficeInfo& office,
                                CInternetAppInfo& internetApps, CRegistryBackup& registryBackup)
{
    // The bar moves to position; when on, the step's texts show and its cleaner runs, counting
    // what it removes (in a preview, "Checking:" what it would remove).
    const auto step = [&](int position, bool on, const char* action, const char* item, auto cleaner) {
        if (position)
            progress.SetPos(position);
        if (!on)
            return;
        progress.Show(m_previewing ? kCheckingAction : action, item);
        CleanerRemoval removal{CleanerName(item), RemovalTally()};
        {
            const RemovalScope counted(removal.tally, m_previewing);
            cleaner();
        }
        m_removals.push_back(removal);
    };
    const bool msie = m_msieBox.GetCheck() == BST_CHECKED;
    const unsigned officeLists = OfficeListsToClear();
    const std::function<void()> steps[] = {
        [&] { step(2, IsOptionOn(m_delWinTemp), "Cleaning:", "Windows Temp Dir...", [&] { folders.EmptyTempFolder(); }); },
        [&] {
            step(3, IsOptionOn(m_delWindowsDocHistory), "Deleting:", "Windows Documents History...", [&] {
                CDocumentHistory::Clear(folders.m_RecentFolder, HKEY_CURRENT_USER,
                                                     CHistoryLists::kRecentDocsKey);
            });
        },
        [&] { step(4, IsOptionOn(m_emptyRecycleBin), "Empty:", "Recycle Bin...", [&] { folders.EmptyRecycleBin(); }); },
        [&] { step(5, IsOptionOn(m_delAppLog), "Empty:", "AppLog Folder...", [&] { folders.EmptyAppLogFolder(); }); },
        [&] {
            step(6, IsOptionOn(m_delWinRunHistory), "Deleting:", "Windows Run History...",
                 [&] { CHistoryLists::ClearRunHistory(HKEY_CURRENT_USER); });
        },
        [&] {
            step(7, IsOptionOn(m_delInvalidShortcuts), "Deleting:", "Invalid Desktop Shortcuts...", [&] {
                for (const int desktop : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY})
                    CInvalidShortcuts::DeleteFrom(CSystemFolders::ShellFolderPath(desktop));
            });
        },
        [&] {
            step(8, IsOptionOn(m_cleanRegUninstall), "Deleting:", "Invalid UnInstall Entries...",
                 [&] { CUninstallEntries::RemoveBroken(registryBackup); });
        },
        [&] {
            step(9, IsOptionOn(m_delRegInvalidOLE), "Deleting:", "Invalid COM/OLE Entries...",
                 [&] { CComEntries::RemoveBroken(registryBackup); });
        },
        [&] {
            step(11, IsOptionOn(m_delRegBackup), "Deleting:", "Windows98 Registry Old Backups...",
                 [&] { office.DeleteRegistryBackups(); });
        },
        [&] {
            step(11, msie && IsOptionOn(m_ieItemsDlg.m_cleanCache), "Deleting:", "Internet Explorer Cache files...",
                 [&] { folders.EmptyCacheFolder(); });
        },
        [&] {
            step(12, msie && IsOptionOn(m_ieItemsDlg.m_emptyCookies), "Deleting:", "Internet Explorer Cookies...",
                 [&] { folders.EmptyCookiesFolder(); });
        },
        [&] {
            step(13, msie && IsOptionOn(m_ieItemsDlg.m_deleteTypedUrls), "Deleting:",
                 "Internet Explorer Typed URL History...",
                 [&] { CHistoryLists::ClearTypedUrls(HKEY_CURRENT_USER); });
        },
        [&] {
            // The drives are read from the list just before the texts show; none checked sweeps nothing.
            progress.SetPos(14);
            if (!IsOptionOn(m_delCHKFiles))
                return;
            const CStringArray drives = SelectedDriveRoots();
            step(0, true, "Deleting:", "Temporary Files (TMP, BAK, CHK, etc.)...",
                 [&] { internetApps.DeleteTempFiles(drives); });
        },
        [&] {
            // No stop check between the cache and the cookies.
            progress.SetPos(15);
            if (m_netscapeBox.GetCheck() != BST_CHECKED)
                return;
            step(0, IsOptionOn(m_netscapeItemsDlg.m_cleanCache), "Deleting:", "Netscape Navigator Cache Files...",
                 [&] { internetApps.EmptyNetscapeCache(); });
            step(16, IsOptionOn(m_netscapeItemsDlg.m_deleteCookies), "Deleting:", "Netscape Navigator Cookie Files...",
                 [&] { internetApps.DeleteNetscapeCookies(); });
        },
        [&] {
            step(17, m_outlookBox.GetCheck() == BST_CHECKED && IsOptionOn(m_outlookItemsDlg.m_emptyDeletedItems),
                 "Empty:", "Outlook Deleted Items Folder...",
                 [&] { COutlookStore::EmptyDeletedItems(internetApps.m_StoreRoot); });
        },
        [&] {
            step(18, officeLists != 0, "Deleting:", "Microsoft Office MRU Lists...",
                 [&] { COfficeRecentFiles::Clear(officeLists, HKEY_CURRENT_USER); });
        },
    };
    for (const std::function<void()>& next : steps) {
        if (progress.CheckStop() == 1)
            return;
        next();
    }
}

// The Office lists the run clears: none unless the Office tick box is ticked.
unsigned CCleanerDlg::OfficeListsToClear() const
{
    if (m_officeBox.GetCheck() != BST_CHECKED)
        return 0;
    const struct {
        int option;
        COfficeRecentFiles::Application application;
    } lists[] = {
        {m_officeItemsDlg.m_deleteWordMru, COfficeRecentFiles::kWord},
        {m_officeItemsDlg.m_deleteExcelMru, COfficeRecentFiles::kExcel},
        {m_officeItemsDlg.m_deletePowerPointMru, COfficeRecentFiles::kPowerPoint},
        {m_officeItemsDlg.m_deleteAccessMru, COfficeRecentFiles::kAccess},
    };
    unsigned applications = 0;
    for (const auto& list : lists)
        applications |= IsOptionOn(list.option) ? list.application : 0;
    return applications;
}

// Stored as shown, a stopped run's too. "%#c" is the C runtime's long form of the local date
// and time ("Tuesday, December 08, 2026 10:47:44").
void CCleanerDlg::StampLastCleaned()
{
    char text[256] = "";
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local)
        std::strftime(text, sizeof(text), " System was last Cleaned on %#c", local);
    theApp.WriteProfileString("Stats", "LastCleaned", text);
    SetDlgItemText(IDC_LAST_CLEANED, text);
}

CStringArray CCleanerDlg::SelectedDriveRoots() const
{
    CStringArray roots;
    for (int index = 0; index < m_driveList.GetCount(); ++index) {
        if (m_driveList.GetCheck(index) != BST_CHECKED)
            continue;
        const CString item = m_driveList.GetText(index);
        // Anything else would make a root of the current drive or folder.
        if (item.GetLength() >= 3 && item.GetAt(0) == '[' && IsDriveLetter(item.GetAt(1)) && item.GetAt(2) == ':')
            roots.Add(item.Mid(1, 2) + "\\");
    }
    return roots;
}

// Exit, Escape, the close box, the icon's Exit and WM_CLOSE all end here, and all keep the
// user's choices.
void CCleanerDlg::OnCancel()
{
    SaveSettings();
    CDialog::OnCancel();
}

CString CCleanerDlg::SchedulerPath()
{
    return ProgramFolderOfModule() + kSchedulerProgram;
}

// Started and left to run. Explorer is not opened on the Scheduled Tasks folder beside it.
void CCleanerDlg::OnAdvancedScheduler()
{
    const CString path = SchedulerPath();
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(path, nullptr, nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                          &startup, &process)) {
        CString message;
        message.Format("Error: Cannot Execute %s\nSome of Dustora files are missing.", path.GetString());
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return;
    }
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
}

// From the notification icon's menu: the icon stays as it is.
void CCleanerDlg::OnAbout()
{
    RunAboutBox();
}

void CCleanerDlg::RunAboutBox()
{
    CAboutDialog about(this);
    about.DoModal();
}

void CCleanerDlg::RunFolderSettings()
{
    CFolderSettingsDlg dlg(theApp.m_settings, theApp);
    dlg.SetBackground(theApp.m_background);
    dlg.DoModal();
}

// A details dialog closed with OK ticks its group, even when every item inside is off.
void CCleanerDlg::RunItemsDialog(CDialog& itemsDialog, CButton& groupBox)
{
    if (itemsDialog.DoModal() == IDOK)
        groupBox.SetCheck(BST_CHECKED);
}

// A refused group stays off, and disabled until the program ends.
void CCleanerDlg::RefuseGroup(UINT message, CButton& groupBox)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    groupBox.SetCheck(BST_UNCHECKED);
    groupBox.EnableWindow(FALSE);
}

void CCleanerDlg::OnIEItems()
{
    RunItemsDialog(m_ieItemsDlg, m_msieBox);
}

void CCleanerDlg::OnOutlookItems()
{
    const CInternetAppInfo outlookExpress;
    if (outlookExpress.m_StoreRoot.IsEmpty())
        RefuseGroup(IDS_OUTLOOK_NOT_INSTALLED, m_outlookBox);
    else
        RunItemsDialog(m_outlookItemsDlg, m_outlookBox);
}

// Both the button and a click on the tick box come here. Without a cache folder the group is
// refused but stays enabled: setting the folder makes Netscape available.
void CCleanerDlg::OnNetscapeItems()
{
    if (theApp.m_folderNSCache.IsEmpty()) {
        AfxMessageBox(IDS_NETSCAPE_NO_CACHE, MB_ICONEXCLAMATION);
        m_netscapeBox.SetCheck(BST_UNCHECKED);
        return;
    }
    RunItemsDialog(m_netscapeItemsDlg, m_netscapeBox);
}

void CCleanerDlg::OnOfficeItems()
{
    const COfficeInfo office;
    if (!office.m_Installed)
        RefuseGroup(IDS_OFFICE_NOT_INSTALLED, m_officeBox);
    else
        RunItemsDialog(m_officeItemsDlg, m_officeBox);
}

void CCleanerDlg::OnSchedule()
{
    m_scheduleDlg.DoModal();
}

void CCleanerDlg::OnFolders()
{
    RunFolderSettings();
}

void CCleanerDlg::OnRunHistoryNote()
{
    AfxMessageBox(IDS_NOTE_RUN_HISTORY, MB_ICONINFORMATION);
}

void CCleanerDlg::OnRegBackupNote()
{
    AfxMessageBox(IDS_NOTE_REG_BACKUP, MB_ICONINFORMATION);
}

// The user's own drive checks are lost either way.
void CCleanerDlg::OnTempFilesClicked()
{
    const BOOL ticked = m_chkFilesBox.GetCheck() == BST_CHECKED;
    m_driveList.EnableWindow(ticked);
    CheckAllDrives(ticked ? BST_CHECKED : BST_UNCHECKED);
}

CString CCleanerDlg::HelpPath(const CString& programFolder, UINT command)
{
    const CString file = programFolder + "Dustora.chm";
    switch (command) {
    case ID_HELP_GETTING_STARTED:
        return file + "::/html/afxd4a7b.htm";
    case ID_HELP_LICENSE:
        return file + "::/html/lice6nj9.htm";
    default:
        return file;
    }
}

void CCleanerDlg::ShowHelp(UINT command)
{
    CWnd* main = theApp.m_pMainWnd;
    AfxHtmlHelp(main ? main->GetSafeHwnd() : nullptr, HelpPath(theApp.m_programFolder, command), HH_DISPLAY_TOPIC, 0);
}

void CCleanerDlg::OnHelpContents()
{
    ShowHelp(ID_HELP_CONTENTS);
}

void CCleanerDlg::OnHelpGettingStarted()
{
    ShowHelp(ID_HELP_GETTING_STARTED);
}

void CCleanerDlg::OnHelpLicense()
{
    ShowHelp(ID_HELP_LICENSE);
}

// The notification icon's menu commands that belong to the application.
void CCleanerDlg::OnShowOptions()
{
    theApp.OnShowOptions();
}

void CCleanerDlg::OnAppExit()
{
    theApp.OnAppExit();
}
