#include "dialogs/COfficeItemsDlg.h"

#include "resources/DustoraResource.h"

COfficeItemsDlg::COfficeItemsDlg(CWnd* parent) : CItemsDlg(IDD_OFFICE_ITEMS, parent)
{
}

void COfficeItemsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_OFFICE_ACCESS_MRU, m_deleteAccessMru);
    DDX_Check(pDX, IDC_OFFICE_EXCEL_MRU, m_deleteExcelMru);
    DDX_Check(pDX, IDC_OFFICE_WORD_MRU, m_deleteWordMru);
    DDX_Check(pDX, IDC_OFFICE_POWERPOINT_MRU, m_deletePowerPointMru);
}
