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
    // The picture repeated over the window; it may still be empty, as it is read at every erase,
    // and while it holds no picture (or none is set) the window keeps its ordinary face.
    void SetBackground(const CBitmap& background) { m_background = &background; }

    // Which colour requests get the yellow text on the tiles.
    enum class TextOverTiles {
        StaticControls,   // labels, tick boxes and group boxes
        AllControls,      // every control that asks
    };

protected:
    CTiledDialog(UINT templateId, CWnd* parent, TextOverTiles textOverTiles = TextOverTiles::StaticControls);

    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

    DECLARE_MESSAGE_MAP()

private:
    const CBitmap* m_background = nullptr;   // borrowed
    TextOverTiles m_textOverTiles;
};
