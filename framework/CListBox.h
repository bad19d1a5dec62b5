// CListBox: a list box of a dialog. The dialog owns the window. An owner-drawn list box
// measures and draws its items in MeasureItem and DrawItem, which its parent's requests reach.
#pragma once

#include "CWnd.h"

class CListBox : public CWnd {
public:
    int AddString(const char* text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    CString GetText(int index) const;
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
    int SetItemData(int index, DWORD_PTR data) { return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data))); }

    virtual void MeasureItem(MEASUREITEMSTRUCT* item) {}
    virtual void DrawItem(DRAWITEMSTRUCT* item) {}

protected:
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
