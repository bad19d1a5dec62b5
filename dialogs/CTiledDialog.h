// CTiledDialog: a dialog in the program's own look: the background picture repeated over the
// whole window, and yellow text drawn straight onto it.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/MessageMap.h"

// The colour of text that stands on the background tiles.
constexpr COLORREF kTextOverTiles = RGB(255, 255, 64);

class CTiledDialog : public CDialog {
public:
    // Which colour requests get the yellow text on the tiles.
    enum class TextOverTiles {
        StaticControls,   // labels, tick boxes and group boxes
        AllControls,      // every control that asks
    };

protected:
    // background may still be empty: it is read at every erase, and while it holds no picture
    // the window keeps its ordinary face.
    CTiledDialog(UINT templateId, CWnd* parent, const CBitmap& background,
                 TextOverTiles textOverTiles = TextOverTiles::StaticControls);

    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

    DECLARE_MESSAGE_MAP()

private:
    const CBitmap& m_background;
    TextOverTiles m_textOverTiles;
};
