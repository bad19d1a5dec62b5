// CLinkLabel: a dialog's label turned into a web-style link: underlined, in link colours, lit
// while the mouse is over it, with a hand cursor and a tooltip naming its target. A click opens
// the target with the shell, or else with the program registered for web pages; what fails is
// told with a beep and a message.
#pragma once

#include "framework/CStatic.h"
#include "framework/CToolTipCtrl.h"
#include "framework/MessageMap.h"
#include "framework/UniqueHandle.h"

class CLinkLabel : public CStatic {
public:
    CLinkLabel();

    // The web address, "mailto:" address or file the label opens; the window text until set.
    void SetURL(const CString& target);
    const CString& GetURL() const { return m_target; }
    void SetVisited(bool visited = true);
    bool GetVisited() const { return m_visited; }
    HCURSOR GetHandCursor() const { return m_handCursor.get(); }
    // The tooltip that shows the target (tool 1, the label's client area).
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

    // Hands every message on its way to the label to the tooltip first.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Opens target with the shell; when that fails, with the program registered for ".htm"
    // files. A result above 32 is success, anything else the platform's error code.
    static INT_PTR OpenTarget(const char* target, int show);
    // The command for the program registered for web pages: registered cut before its "%1"
    // placeholder (with its quotes), a blank and the target, quoted when it holds a blank.
    // FALSE, and command untouched, when it would not fit the 520 characters (with the
    // terminating zero) that a command line for the registered program may have.
    static BOOL FallbackCommand(const CString& registered, const CString& target, CString& command);
    // The whole message of a failed open: "Unable to open hyperlink:" and the text of the code.
    static CString ErrorText(INT_PTR code);
    // A copy of Windows Help's hand cursor from windowsFolder\winhlp32.exe, else of the system's
    // hand cursor; nullptr when neither can be had. The caller destroys it.
    static HCURSOR LoadHandCursor(const char* windowsFolder);

protected:
    void PreSubclassWindow() override;

    HBRUSH CtlColor(CDC* dc, UINT kind);
    void OnClicked();
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, POINT point);
    void OnCaptureChanged(CWnd* window);

    DECLARE_MESSAGE_MAP()

private:
    void MakeLinkFont();
    void FitToText();
    void RedrawNow();

    COLORREF m_linkColor = RGB(0, 0, 238);
    COLORREF m_visitedColor = RGB(85, 26, 139);
    COLORREF m_hoverColor;
    bool m_mouseOver = false;
    bool m_visited = false;
    bool m_underline = true;
    bool m_fitToText = true;
    CString m_target;
    UniqueGdiObject<HFONT> m_linkFont;
    UniqueIcon m_handCursor;
    CToolTipCtrl m_toolTip;
};

// The tooltip's one tool.
constexpr UINT_PTR kLinkToolId = 1;
