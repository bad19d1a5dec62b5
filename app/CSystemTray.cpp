#include "app/CSystemTray.h"

#include "framework/UniqueHandle.h"

#include <cstdio>

// 488 bytes in the shipped 32-bit program; pointer-sized handles make it longer in a 64-bit build.
static_assert(sizeof(void*) != 4 || CSystemTray::kIconDataSize == 488, "the 488-byte notification record");

namespace {

// Cut to the record's 127 characters and its terminator.
void CopyTip(NOTIFYICONDATAA& data, const char* tip)
{
    std::snprintf(data.szTip, sizeof(data.szTip), "%s", tip ? tip : "");
}

// The first item of a menu that sends a command: submenus and separators are passed over.
UINT FirstCommandOf(HMENU menu)
{
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT id = ::GetMenuItemID(menu, position);
        if (id != static_cast<UINT>(-1) && id != 0)
            return id;
    }
    return 0;
}

}  // namespace

CSystemTray::~CSystemTray()
{
    DeleteIcon();
}

BOOL CSystemTray::Notify(DWORD message, UINT flags)
{
    m_iconData.uFlags = flags;
    return ::Shell_NotifyIconA(message, &m_iconData);
}

BOOL CSystemTray::AddIcon(CWnd* owner, UINT callbackMessage, const char* tip, HICON icon, UINT id)
{
    // Before Windows 95 and NT 4 there is no notification area.
    if (LOBYTE(LOWORD(::GetVersion())) < 4) {
        m_active = FALSE;
        return FALSE;
    }
    m_active = owner && ::IsWindow(owner->GetSafeHwnd());
    if (!m_active)
        return FALSE;

    m_iconData.cbSize = kIconDataSize;
    m_iconData.hWnd = owner->GetSafeHwnd();
    m_iconData.uID = id;
    m_iconData.hIcon = icon;
    m_iconData.uCallbackMessage = callbackMessage;
    CopyTip(m_iconData, tip);
    m_active = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    m_concealed = FALSE;
    return m_active;
}

BOOL CSystemTray::DeleteIcon()
{
    if (!m_active)
        return FALSE;
    const BOOL deleted = Notify(NIM_DELETE, 0);
    m_active = FALSE;
    return deleted;
}

BOOL CSystemTray::Conceal()
{
    if (!m_active)
        return FALSE;
    if (m_concealed)
        return TRUE;
    const BOOL deleted = Notify(NIM_DELETE, NIF_ICON);
    m_concealed = TRUE;
    return deleted;
}

BOOL CSystemTray::Reveal()
{
    if (!m_active || !m_concealed)
        return FALSE;
    const BOOL added = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    m_concealed = FALSE;
    return added;
}

BOOL CSystemTray::ChangeIcon(HICON icon)
{
    if (!m_active)
        return FALSE;
    m_iconData.hIcon = icon;
    return Notify(NIM_MODIFY, NIF_ICON);
}

BOOL CSystemTray::ChangeIcon(UINT iconResourceId)
{
    return ChangeIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(iconResourceId)));
}

BOOL CSystemTray::ChangeTip(const char* tip)
{
    if (!m_active)
        return FALSE;
    CopyTip(m_iconData, tip);
    return Notify(NIM_MODIFY, NIF_TIP);
}

LRESULT CSystemTray::HandleNotification(WPARAM id, LPARAM event)
{
    if (id != m_iconData.uID)
        return 0;
    const UINT mouseMessage = LOWORD(event);
    if (mouseMessage != WM_RBUTTONUP && mouseMessage != WM_LBUTTONDBLCLK)
        return 1;

    const UniqueMenu menu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_iconData.uID)));
    const HMENU popup = menu ? ::GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup)
        return 0;
    if (mouseMessage == WM_RBUTTONUP)
        ShowMenu(popup);
    else
        SendFirstCommand(popup);
    return 1;
}

// The owner comes to the foreground first and gets a WM_NULL after, or the menu would not
// close when the user clicks elsewhere.
void CSystemTray::ShowMenu(HMENU popup)
{
    ::SetMenuDefaultItem(popup, 0, TRUE);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(m_iconData.hWnd);
    ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, m_iconData.hWnd, nullptr);
    ::PostMessageA(m_iconData.hWnd, WM_NULL, 0, 0);
}

// A double click runs the first command of the menu. The menu's first entry may be a submenu,
// which has no command of its own: the double click would then do nothing.
void CSystemTray::SendFirstCommand(HMENU popup)
{
    ::SetForegroundWindow(m_iconData.hWnd);
    const UINT command = FirstCommandOf(popup);
    if (command)
        ::SendMessageA(m_iconData.hWnd, WM_COMMAND, command, 0);
}
