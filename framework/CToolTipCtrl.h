// CToolTipCtrl: a tooltip window with its tools. The object that creates it owns the window.
// A whole-window tool is watched by the tooltip itself; the window of a rectangle tool hands the
// tooltip its mouse messages through RelayEvent.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // A tooltip owned by parent that shows even while parent is inactive.
    BOOL Create(CWnd* parent, DWORD style = 0);

    // A tool covering the whole window tool, shown with text (or string resource textId).
    BOOL AddTool(CWnd* tool, const char* text);
    BOOL AddTool(CWnd* tool, UINT textId);
    // A tool covering rect (client coordinates of window), known by id; window relays its messages.
    BOOL AddTool(CWnd* window, const char* text, const RECT& rect, UINT_PTR id);
    void UpdateTipText(const char* text, CWnd* window, UINT_PTR id = 0);

    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // The text of the tool (window, id); empty when there is none.
    CString GetToolText(CWnd* window, UINT_PTR id = 0) const;

private:
    // Without a common-controls 6 manifest, comctl32 takes only the record of its version 5.
    static TOOLINFOA ToolInfo(CWnd* window, UINT_PTR id, UINT flags);
    BOOL AddToolInfo(TOOLINFOA& info) { return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0; }
};
