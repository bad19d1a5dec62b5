// CDialog: a dialog from a numbered template (or one built in memory), run modally by DoModal
// or modeless by Create. Its messages go through the message map like any CWnd's; the
// template's controls are exchanged with members by DoDataExchange.
#pragma once

#include "CDataExchange.h"
#include "CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    // Runs the dialog from a template in memory instead; it must outlive DoModal or Create.
    void InitModalIndirect(const DLGTEMPLATE* dialogTemplate) { m_lpDialogTemplate = dialogTemplate; }

    // Shows the dialog over its disabled owner (the parent's top-level window, else the
    // application's main window) until EndDialog; -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; the owner stays enabled.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal dialog's loop with result; hides a modeless one.
    void EndDialog(int result);
    BOOL IsModalLoopRunning() const { return m_inModalLoop; }

    // Data exchange: TRUE moves the controls into the members, FALSE the members into the
    // controls. FALSE when a value was refused.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Modal loop and modeless owners offer messages here: keyboard messages go to IsDialogMessage.
    BOOL PreTranslateMessage(MSG* msg) override;

    virtual BOOL OnInitDialog();   // UpdateData(FALSE); TRUE lets the dialog set the focus
    virtual void OnOK();           // UpdateData(TRUE), and when that succeeds EndDialog(IDOK)
    virtual void OnCancel();       // EndDialog(IDCANCEL); no data exchange

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) {}
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnHandlerFailure() override { EndDialog(IDABORT); }

    // The painting of a minimised dialog: icon in the middle of the client area.
    void PaintMinimisedIcon(HICON icon);
    // The string resource textId as command commandId at the end of the system menu, after a
    // separator when asked; nothing when the window has no system menu or the string is empty.
    void AppendToSystemMenu(UINT textId, UINT commandId, bool separatorBefore = true);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    HWND CreateFromTemplate(HWND owner);
    HWND FindModalOwner() const;
    void RunModalLoop();
    BOOL PreTranslateModalMessage(MSG* msg);

    const DLGTEMPLATE* m_lpDialogTemplate = nullptr;
    BOOL m_inModalLoop = FALSE;
    INT_PTR m_nModalResult = -1;
};
