// CWinApp: the one application object of a program: its name, command line, main window and
// the registry profile (HKEY_CURRENT_USER\Software\<key>\<application name>\<section>).
#pragma once

#include "CObject.h"
#include "CString.h"

#include <windows.h>

class CWnd;

class CWinApp : public CObject {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up work; TRUE enters the message loop of Run, FALSE ends the program.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }
    // Offers msg to the windows from its own up to its top-level window, then to the main
    // window; TRUE when one of them handled it and it must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Background work for a moment when the queue is empty; TRUE asks for a call with count + 1.
    virtual BOOL OnIdle(LONG count) { return FALSE; }

    // Three-dimensional dialog controls are the platform's own look here: nothing to turn on.
    BOOL Enable3dControlsStatic() { return TRUE; }

    // The profile lives in the registry from here on; before, reads give defaults and writes fail.
    void SetRegistryKey(const char* company);
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    HINSTANCE m_hInstance = nullptr;
    CString m_lpCmdLine;        // the text after the program's own name
    CString m_pszAppName;       // the executable's base name
    CString m_pszRegistryKey;
    CWnd* m_pMainWnd = nullptr;

private:
    HKEY OpenSectionKey(const char* section);
};

CWinApp* AfxGetApp();
// The application's main window; nullptr when there is none.
CWnd* AfxGetMainWnd();

// The full path of the running program, as GetModuleFileNameA gives it.
CString ProgramPathOfModule();

// Drive and folder of the running program, ending in "\".
CString ProgramFolderOfModule();

// The command line text after the program's name (quoted or not) and the blanks that follow it.
CString CommandLineAfterProgramName(const char* commandLine);

// The framework's start: run InitInstance of the program's one application object.
int AfxWinMain(HINSTANCE instance);
