// CDataExchange: one pass of a dialog's data exchange, and the DDX_ functions that move values
// between controls and members: into the members when saving, into the controls otherwise.
// A control that is missing is passed over; a value that cannot be taken stops the pass.
#pragma once

#include "CString.h"

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control's handle, or nullptr when the dialog has no such control.
    HWND PrepareCtrl(int id) const;
    // Marks the pass failed; the later DDX_ calls of the pass do nothing.
    void Fail() { m_failed = TRUE; }
    // Tells the user why the control's value is refused (exclamation box), selects its text for
    // correcting, and marks the pass failed.
    void Refuse(HWND control, const char* message);
    BOOL Failed() const { return m_failed; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    BOOL m_failed = FALSE;
};

// Binds a control wrapper to the dialog's control (once; it stays bound until the window goes).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// A tick box's state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE. A value outside 0..2 shows
// as unticked and is set to 0.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The index of the ticked button in the radio group that starts at id; -1 when none is ticked.
void DDX_Radio(CDataExchange* pDX, int firstId, int& value);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// An edit's text of at most maxChars characters: the edit takes no more while typing, and a
// longer text (set from outside) is refused with a message and stops the pass.
void DDV_MaxChars(CDataExchange* pDX, int id, const CString& value, int maxChars);
// Text that is not a whole number in the int range is refused with a message and stops the pass.
void DDX_Text(CDataExchange* pDX, int id, int& value);
