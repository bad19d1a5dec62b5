#include "CDialog.h"

#include "CPaintDC.h"
#include "CWinApp.h"

namespace {

BOOL IsKeyboardMessage(UINT msg)
{
    return msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
}

}  // namespace

HWND CDialog::CreateFromTemplate(HWND owner)
{
    if (m_lpDialogTemplate)
        return ::CreateDialogIndirectParamA(AfxGetResourceHandle(), m_lpDialogTemplate, owner, &CDialog::DialogProc,
                                            reinterpret_cast<LPARAM>(this));
    return ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, &CDialog::DialogProc,
                                reinterpret_cast<LPARAM>(this));
}

// The dialog procedure only attaches the object at WM_INITDIALOG; from then on the window
// procedure is StdWndProc, and the template's own procedure (DefDlgProc) is the default.
INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    CDialog* self = reinterpret_cast<CDialog*>(lParam);
    if (!self || !self->SubclassWindow(hwnd)) {
        ::EndDialog(hwnd, IDABORT);
        return FALSE;
    }
    self->m_ownsWindow = TRUE;
    return StdWndProc(hwnd, msg, wParam, lParam);
}

HWND CDialog::FindModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        CWnd* main = app ? app->m_pMainWnd : nullptr;
        if (main && main != this)
            owner = main->GetSafeHwnd();
    }
    return ::IsWindow(owner) ? AfxTopLevelOf(owner) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    const HWND owner = FindModalOwner();
    const BOOL disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_inModalLoop = TRUE;   // EndDialog during OnInitDialog must already find the loop
    if (!CreateFromTemplate(owner) || !m_hWnd) {
        m_inModalLoop = FALSE;
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    RunModalLoop();

    // Hide first, so the owner's activation doesn't flash behind a dialog that is going.
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    const BOOL showWhenIdle = !(GetStyle() & WS_VISIBLE);
    MSG msg;
    while (m_inModalLoop) {
        if (showWhenIdle && m_hWnd && !IsWindowVisible() && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            ShowWindow(SW_SHOWNORMAL);   // as DialogBox does for a template without WS_VISIBLE
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));   // the outer loop must see it too
            break;
        }
        if (!PreTranslateModalMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!m_hWnd)
            break;   // destroyed from inside without EndDialog
    }
    m_inModalLoop = FALSE;
}

// As MFC: the windows from the message's own up to its top-level window, then the modal
// dialog and the application's main window when the walk did not reach them.
BOOL CDialog::PreTranslateModalMessage(MSG* msg)
{
    if (WalkPreTranslateTree(msg))
        return TRUE;
    const HWND top = AfxTopLevelOf(msg->hwnd);
    if (top != m_hWnd && PreTranslateMessage(msg))
        return TRUE;
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    if (main && main != this && main->GetSafeHwnd() && top != main->GetSafeHwnd())
        return main->PreTranslateMessage(msg);
    return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd || !IsKeyboardMessage(msg->message))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return FALSE;
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr) != nullptr && m_hWnd;
}

void CDialog::EndDialog(int result)
{
    if (m_inModalLoop) {
        m_nModalResult = result;
        m_inModalLoop = FALSE;
        PostMessage(WM_NULL);   // wakes the loop's GetMessage
        return;
    }
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) <= 1) {
        // Enter and the default button send IDOK; Escape, the close box and WM_CLOSE send IDCANCEL.
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            *result = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            *result = 0;
            return TRUE;
        }
    }
    return CWnd::OnWndMsg(msg, wParam, lParam, result);
}

void CDialog::PaintMinimisedIcon(HICON icon)
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, icon);
}

void CDialog::AppendToSystemMenu(UINT textId, UINT commandId, bool separatorBefore)
{
    CString text;
    text.LoadString(textId);
    const HMENU menu = GetSystemMenu(FALSE);
    if (!menu || text.IsEmpty())
        return;
    if (separatorBefore)
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, commandId, text);
}
