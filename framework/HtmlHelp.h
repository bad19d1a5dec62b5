// AfxHtmlHelp: the platform's HTML Help viewer, taken from hhctrl.ocx the first time help is
// asked for. Where the library or its HtmlHelpA is missing, nothing is shown.
#pragma once

#include <windows.h>

// HtmlHelpA(caller, path, command, data); nullptr when there is no viewer or it opened nothing.
HWND AfxHtmlHelp(HWND caller, const char* path, UINT command, DWORD_PTR data);
