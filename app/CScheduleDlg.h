// CScheduleDlg: the choices to clean at Windows start-up or shutdown and to load at start-up.
// The main dialog owns it for its whole life; its flags are saved with the other options.
#pragma once

#include "framework/CButton.h"
#include "framework/CDialog.h"

class CScheduleDlg : public CDialog {
public:
    explicit CScheduleDlg(CWnd* parent = nullptr);

    CButton m_loadAtStartupBox;
    CButton m_cleanAtShutdownBox;
    int m_cleanAtShutdown = 0;
    int m_cleanAtStartup = 0;
    int m_loadAtStartup = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
