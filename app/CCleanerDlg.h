// CCleanerDlg: Dustora's main options dialog, the window the whole program lives in.
#pragma once

#include "app/CScheduleDlg.h"
#include "app/OptionSetting.h"
#include "dialogs/CIEItemsDlg.h"
#include "dialogs/CNetscapeItemsDlg.h"
#include "dialogs/COfficeItemsDlg.h"
#include "dialogs/COutlookItemsDlg.h"
#include "framework/CDialog.h"

#include <array>

class CCleanerDlg : public CDialog {
public:
    explicit CCleanerDlg(CWnd* parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

    // Reads the 27 integer options of the profile into the members; the controls stay as they are.
    void LoadSettings();
    // Takes the tick boxes into the members, then writes all 27 options to the profile.
    void SaveSettings();
    // The free space of every measured drive, with its letter, before a clean touches anything.
    void RecordFreeSpaceBefore();

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

    // Their flags are the rest of the options.
    CIEItemsDlg m_ieItemsDlg;
    COutlookItemsDlg m_outlookItemsDlg;
    CNetscapeItemsDlg m_netscapeItemsDlg;
    COfficeItemsDlg m_officeItemsDlg;
    CScheduleDlg m_scheduleDlg;

    int m_startInTray = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    static constexpr int kOptionCount = 27;
    // Every integer option with the member that holds it, in the order they are read and written.
    std::array<OptionSetting, kOptionCount> OptionSettings();
    void ActOnRunMode();
};
