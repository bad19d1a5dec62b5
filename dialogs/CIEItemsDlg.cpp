#include "dialogs/CIEItemsDlg.h"

#include "resources/DustoraResource.h"

CIEItemsDlg::CIEItemsDlg(CWnd* parent) : CItemsDlg(IDD_IE_ITEMS, parent)
{
}

void CIEItemsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_IE_EMPTY_COOKIES, m_emptyCookies);
    DDX_Check(pDX, IDC_IE_DELETE_TYPED_URLS, m_deleteTypedUrls);
    DDX_Check(pDX, IDC_IE_CLEAN_CACHE, m_cleanCache);
}
