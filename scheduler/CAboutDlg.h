// CAboutDlg: the scheduler's About box, shown from the system menu.
#pragma once

#include "framework/CDialog.h"
#include "resources/OrdavelResource.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}
};
