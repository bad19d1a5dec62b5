// CNetscapeItemsDlg: the Netscape Navigator / Communicator items the user picks for cleaning.
#pragma once

#include "dialogs/CItemsDlg.h"

class CNetscapeItemsDlg : public CItemsDlg {
public:
    explicit CNetscapeItemsDlg(CWnd* parent = nullptr);

    int m_cleanCache = 0;
    int m_deleteCookies = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
