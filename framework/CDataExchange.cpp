#include "CDataExchange.h"

#include "CWnd.h"
#include "MessageBox.h"

#include <cerrno>
#include <cstdlib>

namespace {

// The radio buttons of a group: from the first, on through the following siblings until the
// next control that starts a group.
template <typename Visit>
void ForEachRadioInGroup(HWND first, Visit visit)
{
    int index = 0;
    for (HWND control = first; control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongA(control, GWL_STYLE);
        if (control != first && (style & WS_GROUP))
            break;
        const LONG kind = style & BS_TYPEMASK;
        if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON)
            visit(control, index++);
    }
}

BOOL ParseWholeNumber(const char* text, int& value)
{
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE)
        return FALSE;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end)
        return FALSE;
    value = static_cast<int>(parsed);
    return TRUE;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) const
{
    return ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
}

void CDataExchange::Refuse(HWND control, const char* message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    ::SetFocus(control);
    ::SendMessageA(control, EM_SETSEL, 0, -1);
    Fail();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (pDX->Failed() || control.GetSafeHwnd())
        return;
    if (HWND hwnd = pDX->PrepareCtrl(id))
        control.SubclassWindow(hwnd);
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->Failed() || !control)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
        return;
    }
    if (value < BST_UNCHECKED || value > BST_INDETERMINATE)
        value = BST_UNCHECKED;
    // A two-state box shows "indeterminate" as a tick, which the next save would read back as 1:
    // only exactly 1 may show as ticked there, or a stored 2 would switch an option on.
    const LONG_PTR kind = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    const bool threeState = kind == BS_3STATE || kind == BS_AUTO3STATE;
    const int shown = threeState || value == BST_CHECKED ? value : BST_UNCHECKED;
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(shown), 0);
}

void DDX_Radio(CDataExchange* pDX, int firstId, int& value)
{
    const HWND first = pDX->PrepareCtrl(firstId);
    if (pDX->Failed() || !first)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        ForEachRadioInGroup(first, [&](HWND radio, int index) {
            if (value < 0 && ::SendMessageA(radio, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        });
        return;
    }
    ForEachRadioInGroup(first, [&](HWND radio, int index) {
        ::SendMessageA(radio, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    });
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->Failed() || !control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = CWnd::FromHandle(control)->GetWindowText();
    else
        ::SetWindowTextA(control, value);
}

void DDV_MaxChars(CDataExchange* pDX, int id, const CString& value, int maxChars)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->Failed() || !control)
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (value.GetLength() <= maxChars)
        return;
    CString message;
    message.Format("Please enter no more than %d characters.", maxChars);
    pDX->Refuse(control, message);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->Failed() || !control)
        return;
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%d", value);
        ::SetWindowTextA(control, text);
        return;
    }
    if (!ParseWholeNumber(CWnd::FromHandle(control)->GetWindowText(), value))
        pDX->Refuse(control, "Please enter an integer.");
}
