// CCheckListBox: a list box that draws a check box before each item's text. Its window must be
// owner-drawn with fixed item heights and keep its strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS).
// A click on an item, or the space bar on the item with the caret, toggles that item's check.
// Each check is kept as its item's data, so it stays with the item through every redraw.
#pragma once

#include "CListBox.h"
#include "MessageMap.h"

class CCheckListBox : public CListBox {
public:
    // BST_CHECKED or BST_UNCHECKED; -1 for an index that is no item.
    int GetCheck(int index) const;
    // Any check other than BST_UNCHECKED ticks the item; an index that is no item is passed over.
    void SetCheck(int index, int check);

    void MeasureItem(MEASUREITEMSTRUCT* item) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT flags, POINT point);
    // A fast second click is a second toggle.
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

    DECLARE_MESSAGE_MAP()

private:
    // The item under a point of the client area, or -1.
    int ItemFromPoint(POINT point) const;
    void Toggle(int index);
    void InvalidateItem(int index);
    // The height an item needs for its check box and a line of text.
    int ItemHeightFor(int fontHeight) const;
};
