// CCleanerDlg: Dustora's main options dialog, the window the whole program lives in. It holds
// the options and the dialogs with the detailed ones, the drive list of the temporary-file
// sweep and the notification icon the program hides behind.
#pragma once

#include "app/CRunProgress.h"
#include "app/CScheduleDlg.h"
#include "app/CSystemTray.h"
#include "app/OptionSetting.h"
#include "controls/CFlatIconButton.h"
#include "dialogs/CCleanReportDlg.h"
#include "dialogs/CIEItemsDlg.h"
#include "dialogs/CNetscapeItemsDlg.h"
#include "dialogs/COfficeItemsDlg.h"
#include "dialogs/COutlookItemsDlg.h"
#include "dialogs/CTiledDialog.h"
#include "framework/CButton.h"
#include "framework/CCheckListBox.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/CStringArray.h"
#include "framework/CToolTipCtrl.h"
#include "framework/MessageMap.h"

#include <array>

class CInternetAppInfo;
class COfficeInfo;
class CRegistryBackup;
class CSystemFolders;

// The notification icon's callback message.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 10;

class CCleanerDlg : public CTiledDialog {
public:
    explicit CCleanerDlg(CWnd* parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

    // Reads the 27 integer options of the profile into the members; the controls stay as they are.
    void LoadSettings();
    // Takes the tick boxes into the members, then writes all 27 options to the profile.
    void SaveSettings();
    // Lists every removable and fixed drive, C: to Z:, as "[C:] label", unchecked.
    void FillDriveList();
    // The free space of every measured drive, with its letter, before a clean touches anything.
    void RecordFreeSpaceBefore();
    // The roots ("C:\") of the drive list's checked items, in list order. An item whose text
    // does not start with "[<letter>:" gives none.
    CStringArray SelectedDriveRoots() const;

    // The help file and a topic of it, in the program folder.
    static CString HelpPath(const CString& programFolder, UINT command);
    // The scheduler program beside the running one.
    static CString SchedulerPath();

    CFlatIconButton m_startButton;
    CFlatIconButton m_exitButton;
    CFlatIconButton m_foldersButton;

    CButton m_invalidShortcutsBox;
    CButton m_uninstallBox;
    CButton m_runHistoryBox;
    CButton m_officeBox;
    CButton m_netscapeBox;
    CButton m_outlookBox;
    CButton m_chkFilesBox;
    CButton m_msieBox;

    CFlatIconButton m_officeItemsButton;
    CFlatIconButton m_advancedSchedulerButton;
    CFlatIconButton m_regBackupNoteButton;
    CFlatIconButton m_scheduleButton;
    CFlatIconButton m_outlookItemsButton;
    CFlatIconButton m_helpButton;
    CFlatIconButton m_runHistoryNoteButton;
    CFlatIconButton m_netscapeItemsButton;
    CFlatIconButton m_ieItemsButton;

    CStatic m_banner;
    // Read by the clean run: each item's check, and the drive in its text ("[C:] ...").
    CCheckListBox m_driveList;

    int m_delWinTemp = 0;
    int m_emptyRecycleBin = 0;
    int m_delWindowsDocHistory = 0;
    int m_delInvalidShortcuts = 0;
    int m_delAppLog = 0;
    int m_cleanRegUninstall = 0;
    int m_delWinRunHistory = 0;
    int m_delRegBackup = 0;
    int m_msie = 0;
    int m_delCHKFiles = 0;
    int m_outlook = 0;
    int m_netscape = 0;
    int m_office = 0;
    int m_delRegInvalidOLE = 0;

    CSystemTray m_tray;
    CToolTipCtrl m_tooltips;

    // Their flags are the rest of the options.
    CIEItemsDlg m_ieItemsDlg;
    COutlookItemsDlg m_outlookItemsDlg;
    CNetscapeItemsDlg m_netscapeItemsDlg;
    COfficeItemsDlg m_officeItemsDlg;
    CScheduleDlg m_scheduleDlg;

    int m_startInTray = 0;
    HICON m_icon;

    // A run that removes nothing and reports what a clean would remove.
    void OnPreview();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The clean run; the dialog stays open.
    void OnOK() override;
    void OnCancel() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
    void OnEndSession(BOOL ending);
    void OnDestroy();

    void OnAdvancedScheduler();
    void OnAbout();
    void OnIEItems();
    void OnOutlookItems();
    void OnNetscapeItems();
    void OnOfficeItems();
    void OnSchedule();
    void OnFolders();
    void OnRunHistoryNote();
    void OnRegBackupNote();
    void OnTempFilesClicked();
    void OnHelpContents();
    void OnHelpGettingStarted();
    void OnHelpLicense();
    void OnShowOptions();
    void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    static constexpr int kOptionCount = 27;
    // Every integer option with the member that holds it, in the order they are read and written.
    std::array<OptionSetting, kOptionCount> OptionSettings();

    void RegisterTrayIcon();
    void DressFlatButtons();
    void AddToolTips();
    void CentreBanner();
    void ShowLastCleaned();
    void ActOnRunMode();
    void CheckAllDrives(int check);
    void RunItemsDialog(CDialog& itemsDialog, CButton& groupBox);
    void RefuseGroup(UINT message, CButton& groupBox);
    void ShowHelp(UINT command);
    // The About box and the folder settings dialog, modal.
    void RunAboutBox();
    void RunFolderSettings();

    // One run, a clean or a preview, unless one is going.
    void RunOnce(bool preview);
    void RunClean();
    // The cleaning steps in their fixed order, each after a stop check; a stop ends them.
    void RunCleanSteps(CRunProgress& progress, CSystemFolders& folders, COfficeInfo& office,
                       CInternetAppInfo& internetApps, CRegistryBackup& registryBackup);
    void StampLastCleaned();
    unsigned OfficeListsToClear() const;

    // Set while a run is going: a run never starts inside another one's message pumping.
    bool m_cleaning = false;
    bool m_previewing = false;
    // What each cleaner of the current or last run removed.
    std::vector<CleanerRemoval> m_removals;
};
