// COutlookItemsDlg: the Outlook items the user picks for cleaning.
#pragma once

#include "dialogs/CItemsDlg.h"

class COutlookItemsDlg : public CItemsDlg {
public:
    explicit COutlookItemsDlg(CWnd* parent = nullptr);

    int m_emptyDeletedItems = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
