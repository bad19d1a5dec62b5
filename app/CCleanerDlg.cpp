#include "app/CCleanerDlg.h"

#include "app/CCleanerApp.h"
#include "app/RunMode.h"
#include "engine/CDiskSpace.h"
#include "engine/CDriveScan.h"
#include "engine/CFreeSpaceGains.h"
#include "resources/DustoraResource.h"

CCleanerDlg::CCleanerDlg(CWnd* parent) : CDialog(IDD_DUSTORA_DIALOG, parent)
{
}

void CCleanerDlg::DoDataExchange(CDataExchange* pDX)
{
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

void CCleanerDlg::RecordFreeSpaceBefore()
{
    CDiskSpace space;
    CFreeSpaceGains::RecordSnapshot(space, CDriveScan::Scan(), theApp.g_FreeBefore, theApp.g_FreeBeforeDrive);
}

BOOL CCleanerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    theApp.m_splashHold = 0;
    for (const char* extension : {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"})
        theApp.g_TempExtensions.Add(extension);

    LoadSettings();
    UpdateData(FALSE);
    // Without a cache folder there is no Netscape to clean, whatever the profile says.
    if (theApp.m_folderNSCache.IsEmpty()) {
        CheckDlgButton(IDC_NETSCAPE, BST_UNCHECKED);
        m_netscape = 0;
    }

    ActOnRunMode();
    theApp.m_programFolder = ProgramFolderOfModule();
    return TRUE;
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
    case RunMode::Interactive:
        break;
    }
}

// The first message of the modal loop finds a "/load" start and hides the dialog.
BOOL CCleanerDlg::PreTranslateMessage(MSG* msg)
{
    if (m_startInTray == 1) {
        ShowWindow(SW_HIDE);
        m_startInTray = 0;
    }
    return CDialog::PreTranslateMessage(msg);
}

// Start is the clean run; it never ends the dialog.
void CCleanerDlg::OnOK()
{
}

// Exit, Escape, the close box and WM_CLOSE all end here, and all keep the user's choices.
void CCleanerDlg::OnCancel()
{
    SaveSettings();
    CDialog::OnCancel();
}

