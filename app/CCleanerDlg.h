// CCleanerDlg: Dustora's main options dialog, the window the whole program lives in.
#pragma once

#include "framework/CDialog.h"

class CCleanerDlg : public CDialog {
public:
    explicit CCleanerDlg(CWnd* parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

    int m_startInTray = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void ActOnRunMode();
};

// Drive and folder of the running program, ending in "\".
CString ProgramFolderOfModule();
