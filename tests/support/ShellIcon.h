// ShellShowsIcon: whether the notification area holds a window's icon; the shell modifies only
// the icons it shows.
#pragma once

#include "app/CSystemTray.h"

inline bool ShellShowsIcon(HWND owner, UINT id)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = CSystemTray::kIconDataSize;
    data.hWnd = owner;
    data.uID = id;
    return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}
