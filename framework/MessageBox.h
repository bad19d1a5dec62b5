// The one funnel every message box of the program goes through, so tests can swap it for a recorder.
#pragma once

#include <windows.h>

using MessageBoxFn = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// Installs fn (nullptr restores the platform's MessageBoxA); returns the previous one.
MessageBoxFn SetMessageBoxFn(MessageBoxFn fn);

// Shown with the program's name as caption, owned by the application's main window.
int AfxMessageBox(const char* text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
