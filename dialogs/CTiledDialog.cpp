#include "dialogs/CTiledDialog.h"

#include "framework/TileBitmap.h"

CTiledDialog::CTiledDialog(UINT templateId, CWnd* parent, TextOverTiles textOverTiles)
    : CDialog(templateId, parent), m_textOverTiles(textOverTiles)
{
}

BEGIN_MESSAGE_MAP(CTiledDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CTiledDialog::OnEraseBkgnd(CDC* dc)
{
    if (!m_background || !TileWindowBackground(*dc, *m_background, *this))
        return CDialog::OnEraseBkgnd(dc);
    return TRUE;
}

HBRUSH CTiledDialog::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    // The dialog's own request (its face, when no tiles are drawn) keeps the ordinary brush.
    const bool fromControl = control && control->GetSafeHwnd() != m_hWnd;
    if (kind == CTLCOLOR_STATIC || (fromControl && m_textOverTiles == TextOverTiles::AllControls)) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(kTextOverTiles);
        brush = static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    }
    return brush;
}
