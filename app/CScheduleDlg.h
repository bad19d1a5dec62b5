// CScheduleDlg: the choices to clean at Windows start-up or shutdown and to load at start-up.
// The main dialog owns it for its whole life; its flags are saved with the other options, and
// its OK keeps the Run-key values that start the program with Windows in step with them.
#pragma once

#include "dialogs/CTiledDialog.h"
#include "framework/CButton.h"

class CRegistry;

// Where and under which names the start-up values live (HKEY_LOCAL_MACHINE).
extern const char kRunKeyPath[];
extern const char kLoadValueName[];
extern const char kCleanValueName[];

class CScheduleDlg : public CTiledDialog {
public:
    explicit CScheduleDlg(CWnd* parent = nullptr);

    CButton m_loadAtStartupBox;
    CButton m_cleanAtShutdownBox;
    int m_cleanAtShutdown = 0;
    int m_cleanAtStartup = 0;
    int m_loadAtStartup = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Writes the ticked start-up values and removes the others; stays open when the Run key
    // cannot be reached.
    void OnOK() override;
    void OnCleanAtShutdownClicked();

    DECLARE_MESSAGE_MAP()

private:
    // Writes the value name = command when wanted, else removes it (a missing value is fine).
    // FALSE when the Run key could not be reached; a failed write has been reported.
    static BOOL UpdateRunValue(CRegistry& registry, const char* name, BOOL wanted, const CString& command);
};

// The Run-key command that starts program with a switch. The path is quoted: unquoted, a path
// with blanks such as C:\Program Files\... lets Windows try C:\Program.exe first.
CString RunKeyCommand(const char* program, const char* commandSwitch);
