// COutlookItemsDlg: the Outlook items the user picks for cleaning.
#pragma once

#include "framework/CDialog.h"

class COutlookItemsDlg : public CDialog {
public:
    explicit COutlookItemsDlg(CWnd* parent = nullptr);

    int m_emptyDeletedItems = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
