// CFolderBrowser: lets the user pick a folder in the shell's folder picker.
#pragma once

#include "framework/CObject.h"
#include "framework/CString.h"

#include <windows.h>

class CFolderBrowser : public CObject {
public:
    CFolderBrowser() = default;
    ~CFolderBrowser() override = default;

    // 1 when a file-system folder was chosen and m_Path holds its path; 0 when the user
    // cancelled (m_Path unchanged) or a shell call failed. Shows no message.
    int Browse();

    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);

    CString m_Path;            // out: the chosen folder
    CString m_Root;            // in, optional: the top of the picker's tree
    CString m_InitialFolder;   // in, optional: selected when the picker opens
    CString m_Title;           // in: shown above the tree; "Open" when empty
    int m_Image = 0;           // out: system image-list index of the chosen folder
};
