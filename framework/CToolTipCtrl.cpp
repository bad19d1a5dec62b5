#include "CToolTipCtrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    const RECT anywhere = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | style, anywhere, parent, 0);
}

TOOLINFOA CToolTipCtrl::ToolInfo(CWnd* window, UINT_PTR id, UINT flags)
{
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = window ? window->GetSafeHwnd() : nullptr;
    info.uId = id;
    info.hinst = AfxGetResourceHandle();
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, const char* text)
{
    if (!tool)
        return FALSE;
    TOOLINFOA info = ToolInfo(tool->GetParent(), reinterpret_cast<UINT_PTR>(tool->GetSafeHwnd()), TTF_IDISHWND | TTF_SUBCLASS);
    info.lpszText = const_cast<char*>(text);
    return AddToolInfo(info);
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, UINT textId)
{
    if (!tool)
        return FALSE;
    TOOLINFOA info = ToolInfo(tool->GetParent(), reinterpret_cast<UINT_PTR>(tool->GetSafeHwnd()), TTF_IDISHWND | TTF_SUBCLASS);
    info.lpszText = MAKEINTRESOURCEA(textId);
    return AddToolInfo(info);
}

BOOL CToolTipCtrl::AddTool(CWnd* window, const char* text, const RECT& rect, UINT_PTR id)
{
    // Not subclassed as well: relayed and subclassed, each mouse message would reach it twice.
    TOOLINFOA info = ToolInfo(window, id, 0);
    info.rect = rect;
    info.lpszText = const_cast<char*>(text);
    return AddToolInfo(info);
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* window, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(window, id, 0);
    info.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

CString CToolTipCtrl::GetToolText(CWnd* window, UINT_PTR id) const
{
    char text[1024] = "";
    TOOLINFOA info = ToolInfo(window, id, 0);
    info.lpszText = text;
    SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return CString(text);
}
