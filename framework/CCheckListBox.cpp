#include "CCheckListBox.h"

namespace {

// The check box is the size of a dialog's tick box, with a margin around it.
constexpr int kCheckBoxSize = 13;
constexpr int kCheckMargin = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

int CCheckListBox::GetCheck(int index) const
{
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == LB_ERR)
        return -1;
    return data == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
}

void CCheckListBox::SetCheck(int index, int check)
{
    const DWORD_PTR data = check == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;
    if (SetItemData(index, data) != LB_ERR)
        InvalidateItem(index);
}

int CCheckListBox::ItemHeightFor(int fontHeight) const
{
    const int boxHeight = kCheckBoxSize + 2;
    return fontHeight > boxHeight ? fontHeight : boxHeight;
}

// The list measures its items while it is being created, before this object knows it. Items
// lower than a check box are made taller here, and the list gets back the height it was made
// with, which the taller items would have cut to fewer whole items.
void CCheckListBox::PreSubclassWindow()
{
    const int height = static_cast<int>(SendMessage(LB_GETITEMHEIGHT));
    if (height == LB_ERR || height >= ItemHeightFor(height))
        return;
    RECT window;
    GetWindowRect(&window);
    SendMessage(LB_SETITEMHEIGHT, 0, MAKELPARAM(ItemHeightFor(height), 0));
    SetWindowPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCheckListBox::MeasureItem(MEASUREITEMSTRUCT* item)
{
    item->itemHeight = static_cast<UINT>(ItemHeightFor(static_cast<int>(item->itemHeight)));
}

void CCheckListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    if (item->itemID == static_cast<UINT>(-1))
        return;
    const int index = static_cast<int>(item->itemID);
    const BOOL enabled = IsWindowEnabled();
    CDC dc(item->hDC);
    const RECT& area = item->rcItem;
    dc.FillSolidRect(area, ::GetSysColor(COLOR_WINDOW));

    const int size = kCheckBoxSize;
    RECT box;
    box.left = area.left + kCheckMargin;
    box.top = area.top + (area.bottom - area.top - size) / 2;
    box.right = box.left + size;
    box.bottom = box.top + size;
    UINT state = DFCS_BUTTONCHECK;
    if (GetCheck(index) == BST_CHECKED)
        state |= DFCS_CHECKED;
    if (!enabled)
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text = area;
    text.left = box.right + 2 * kCheckMargin;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    const CString caption = GetText(index);
    ::DrawTextA(dc, caption, caption.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item->itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &text);
}

int CCheckListBox::ItemFromPoint(POINT point) const
{
    const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) != 0)
        return -1;   // below the last item or outside the list
    return static_cast<int>(LOWORD(hit));
}

void CCheckListBox::Toggle(int index)
{
    const int check = GetCheck(index);
    if (check < 0)
        return;
    SetCheck(index, check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

void CCheckListBox::InvalidateItem(int index)
{
    RECT item;
    if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        ::InvalidateRect(m_hWnd, &item, FALSE);
}

void CCheckListBox::OnLButtonDown(UINT flags, POINT point)
{
    Default();   // the focus
    const int index = ItemFromPoint(point);
    if (index < 0)
        return;
    SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index));
    Toggle(index);
}

void CCheckListBox::OnLButtonDblClk(UINT flags, POINT point)
{
    OnLButtonDown(flags, point);
}

void CCheckListBox::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_SPACE) {
        Toggle(static_cast<int>(SendMessage(LB_GETCARETINDEX)));
        return;
    }
    Default();
}
