#include "dialogs/CItemsDlg.h"

#include "resources/DustoraResource.h"

CItemsDlg::CItemsDlg(UINT templateId, CWnd* parent) : CTiledDialog(templateId, parent)
{
}

BEGIN_MESSAGE_MAP(CItemsDlg, CTiledDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

HBRUSH CItemsDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CTiledDialog::OnCtlColor(dc, control, kind);
    if (control && control->GetDlgCtrlID() == IDC_ITEMS_GROUP) {
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(kItemsGroupBand);
    }
    return brush;
}
