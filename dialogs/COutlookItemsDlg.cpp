#include "dialogs/COutlookItemsDlg.h"

#include "resources/DustoraResource.h"

COutlookItemsDlg::COutlookItemsDlg(CWnd* parent) : CItemsDlg(IDD_OUTLOOK_ITEMS, parent)
{
}

void COutlookItemsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_OUTLOOK_EMPTY_DELETED_ITEMS, m_emptyDeletedItems);
}
