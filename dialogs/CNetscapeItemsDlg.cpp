#include "dialogs/CNetscapeItemsDlg.h"

#include "resources/DustoraResource.h"

CNetscapeItemsDlg::CNetscapeItemsDlg(CWnd* parent) : CItemsDlg(IDD_NETSCAPE_ITEMS, parent)
{
}

void CNetscapeItemsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_NS_CLEAN_CACHE, m_cleanCache);
    DDX_Check(pDX, IDC_NS_DELETE_COOKIES, m_deleteCookies);
}
