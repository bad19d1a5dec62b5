// CItemsDlg: what the four item dialogs share: the tiled look, and the caption of their
// "Select Items" group standing on a dark blue band.
#pragma once

#include "dialogs/CTiledDialog.h"

constexpr COLORREF kItemsGroupBand = RGB(0, 0, 0x5A);

class CItemsDlg : public CTiledDialog {
protected:
    CItemsDlg(UINT templateId, CWnd* parent);

    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

    DECLARE_MESSAGE_MAP()
};
