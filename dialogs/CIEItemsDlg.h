// CIEItemsDlg: the Internet Explorer items the user picks for cleaning. Its flags are the
// program's working copy of these options for as long as the main dialog lives.
#pragma once

#include "dialogs/CItemsDlg.h"

class CIEItemsDlg : public CItemsDlg {
public:
    explicit CIEItemsDlg(CWnd* parent = nullptr);

    int m_emptyCookies = 0;
    int m_deleteTypedUrls = 0;
    int m_cleanCache = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
