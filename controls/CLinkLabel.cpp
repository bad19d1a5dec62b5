#include "controls/CLinkLabel.h"

#include "framework/CClientDC.h"
#include "framework/MessageBox.h"

#include <shellapi.h>

namespace {

// The longest command line the fallback builds, with its terminating zero.
constexpr int kCommandBufferSize = 520;
constexpr int kRegistryTextSize = 260;
constexpr WORD kHelpHandCursor = 106;

// The default value of a key under HKEY_CLASSES_ROOT; FALSE when it cannot be read or is empty.
BOOL ReadClassesDefault(const char* subkey, CString& value)
{
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return FALSE;
    char text[kRegistryTextSize] = "";
    LONG size = sizeof text;
    if (::RegQueryValueA(key.get(), nullptr, text, &size) != ERROR_SUCCESS || !text[0])
        return FALSE;
    value = text;
    return TRUE;
}

// A program's own cursor, copied so that it outlives the module it came from.
HCURSOR CopyOfCursor(HMODULE module, const char* name)
{
    const HCURSOR cursor = ::LoadCursorA(module, name);
    return cursor ? static_cast<HCURSOR>(::CopyIcon(cursor)) : nullptr;
}

struct ShellError {
    INT_PTR code;
    const char* text;
};

const ShellError kShellErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {SE_ERR_FNF, "The specified file was not found."},
    {SE_ERR_PNF, "The specified path was not found."},
    {SE_ERR_ACCESSDENIED, "The operating system denied\naccess to the specified file."},
    {SE_ERR_OOM, "There was not enough memory to complete the operation."},
    {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {SE_ERR_SHARE, "A sharing violation occurred. "},
    {SE_ERR_ASSOCINCOMPLETE, "The filename association is\nincomplete or invalid."},
    {SE_ERR_DDETIMEOUT, "The DDE transaction could not\nbe completed because the request timed out."},
    {SE_ERR_DDEFAIL, "The DDE transaction failed."},
    {SE_ERR_DDEBUSY, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {SE_ERR_NOASSOC, "There is no application associated\nwith the given filename extension."},
    {SE_ERR_DLLNOTFOUND, "The specified dynamic-link library was not found."},
};

}  // namespace

CLinkLabel::CLinkLabel() : m_hoverColor(::GetSysColor(COLOR_HIGHLIGHT))
{
}

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT(STN_CLICKED, &CLinkLabel::OnClicked)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

void CLinkLabel::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);   // a label reports clicks only with it
    if (m_target.IsEmpty())
        m_target = GetWindowText();
    if (GetWindowText().IsEmpty())
        SetWindowText(m_target);
    MakeLinkFont();
    FitToText();
    if (!m_handCursor) {
        char windowsFolder[MAX_PATH] = "";
        ::GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder);
        m_handCursor.reset(LoadHandCursor(windowsFolder));
    }
    RECT client;
    GetClientRect(&client);
    if (m_toolTip.Create(this))
        m_toolTip.AddTool(this, m_target, client, kLinkToolId);
}

void CLinkLabel::MakeLinkFont()
{
    LOGFONTA font = {};
    const HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (!current || !::GetObjectA(current, sizeof font, &font))
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfUnderline = m_underline ? TRUE : FALSE;
    m_linkFont.reset(::CreateFontIndirectA(&font));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.get()), TRUE);
}

// The window shrinks (or grows) to its text in the link font, keeping the edge or centre that
// its alignment names.
void CLinkLabel::FitToText()
{
    if (!m_hWnd || !m_fitToText)
        return;
    RECT rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);

    const CString text = GetWindowText();
    SIZE extent;
    {
        CClientDC dc(this);
        const HGDIOBJ previous = m_linkFont ? dc.SelectObject(m_linkFont.get()) : nullptr;
        extent = dc.GetTextExtent(text, text.GetLength());
        if (previous)
            dc.SelectObject(previous);
    }

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        const int shrink = (rect.bottom - rect.top - extent.cy) / 2;
        rect.top += shrink;
        rect.bottom -= shrink;
    } else {
        rect.bottom = rect.top + extent.cy;
    }
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: {
        const int shrink = (rect.right - rect.left - extent.cx) / 2;
        rect.left += shrink;
        rect.right -= shrink;
        break;
    }
    case SS_RIGHT:
        rect.left = rect.right - extent.cx;
        break;
    default:
        rect.right = rect.left + extent.cx;
        break;
    }
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER);
}

void CLinkLabel::SetURL(const CString& target)
{
    m_target = target;
    if (!m_hWnd)
        return;
    FitToText();
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.UpdateTipText(m_target, this, kLinkToolId);
}

void CLinkLabel::SetVisited(bool visited)
{
    m_visited = visited;
    if (m_hWnd)
        Invalidate();
}

BOOL CLinkLabel::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

HBRUSH CLinkLabel::CtlColor(CDC* dc, UINT kind)
{
    dc->SetTextColor(m_mouseOver ? m_hoverColor : m_visited ? m_visitedColor : m_linkColor);
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

void CLinkLabel::OnClicked()
{
    const INT_PTR result = OpenTarget(m_target, SW_SHOW);
    if (result > 32) {
        SetVisited(true);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(ErrorText(result), MB_ICONEXCLAMATION);
}

BOOL CLinkLabel::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (!m_handCursor)
        return FALSE;
    ::SetCursor(m_handCursor.get());
    return TRUE;
}

// The first move over the label lights it and captures the mouse, so that the move that leaves
// it is seen too.
void CLinkLabel::OnMouseMove(UINT flags, POINT point)
{
    CStatic::OnMouseMove(flags, point);
    if (!m_mouseOver) {
        m_mouseOver = true;
        RedrawNow();
        ::SetCapture(m_hWnd);
        return;
    }
    RECT client;
    GetClientRect(&client);
    if (::PtInRect(&client, point))
        return;
    m_mouseOver = false;
    ::ReleaseCapture();
    RedrawNow();
}

// A capture taken away by another window ends the hover as leaving would.
void CLinkLabel::OnCaptureChanged(CWnd* window)
{
    CStatic::OnCaptureChanged(window);
    if (m_mouseOver && window != this) {
        m_mouseOver = false;
        RedrawNow();
    }
}

void CLinkLabel::RedrawNow()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

INT_PTR CLinkLabel::OpenTarget(const char* target, int show)
{
    const INT_PTR shellResult = reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, show));
    if (shellResult > 32)
        return shellResult;
    CString pageClass;
    CString registered;
    CString command;
    if (!ReadClassesDefault(".htm", pageClass) || !ReadClassesDefault(pageClass + "\\shell\\open\\command", registered) ||
        !FallbackCommand(registered, target, command))
        return shellResult;
    return static_cast<INT_PTR>(::WinExec(command, static_cast<UINT>(show)));
}

BOOL CLinkLabel::FallbackCommand(const CString& registered, const CString& target, CString& command)
{
    CString program = registered;
    const int quotedPlaceholder = registered.Find("\"%1\"");
    const int placeholder = registered.Find("%1");
    if (quotedPlaceholder >= 0)
        program = registered.Left(quotedPlaceholder);
    else if (placeholder >= 0)
        program = registered.Left(placeholder);
    const CString argument = target.Find(' ') >= 0 ? "\"" + target + "\"" : target;
    const CString whole = program + " " + argument;
    if (whole.GetLength() >= kCommandBufferSize)
        return FALSE;
    command = whole;
    return TRUE;
}

CString CLinkLabel::ErrorText(INT_PTR code)
{
    CString text = "Unable to open hyperlink:\n\n";
    for (const ShellError& error : kShellErrors) {
        if (error.code == code)
            return text + error.text;
    }
    CString unknown;
    unknown.Format("Unknown Error (%d) occurred.", static_cast<int>(code));
    return text + unknown;
}

// Only the resources of winhlp32.exe are read: it is mapped as data, never run.
HCURSOR CLinkLabel::LoadHandCursor(const char* windowsFolder)
{
    const CString helpProgram = CString(windowsFolder) + "\\winhlp32.exe";
    const UniqueLibrary help(::LoadLibraryExA(helpProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (help) {
        if (const HCURSOR cursor = CopyOfCursor(help.get(), MAKEINTRESOURCEA(kHelpHandCursor)))
            return cursor;
    }
    return CopyOfCursor(nullptr, IDC_HAND);
}
