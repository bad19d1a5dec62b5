// COfficeItemsDlg: the Office 97/2000 recently-used lists the user picks for cleaning.
#pragma once

#include "dialogs/CItemsDlg.h"

class COfficeItemsDlg : public CItemsDlg {
public:
    explicit COfficeItemsDlg(CWnd* parent = nullptr);

    int m_deleteAccessMru = 0;
    int m_deleteExcelMru = 0;
    int m_deleteWordMru = 0;
    int m_deletePowerPointMru = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
