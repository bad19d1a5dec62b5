#include "app/CScheduleDlg.h"

#include "app/CCleanerApp.h"
#include "app/OptionSetting.h"
#include "app/RunMode.h"
#include "framework/CWinApp.h"
#include "framework/MessageBox.h"
#include "registry/CRegistry.h"
#include "resources/DustoraResource.h"

const char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kLoadValueName[] = "Dustora - Load";
const char kCleanValueName[] = "Dustora - Clean";

CString RunKeyCommand(const char* program, const char* commandSwitch)
{
    return "\"" + CString(program) + "\" " + commandSwitch;
}

// The buttons and the colours of the text answer every control's colour request.
CScheduleDlg::CScheduleDlg(CWnd* parent)
    : CTiledDialog(IDD_SCHEDULE, parent, TextOverTiles::AllControls)
{
    SetBackground(theApp.m_background);
}

BEGIN_MESSAGE_MAP(CScheduleDlg, CTiledDialog)
    ON_BN_CLICKED(IDC_CLEAN_AT_SHUTDOWN, &CScheduleDlg::OnCleanAtShutdownClicked)
END_MESSAGE_MAP()

void CScheduleDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_LOAD_AT_STARTUP, m_loadAtStartupBox);
    DDX_Control(pDX, IDC_CLEAN_AT_SHUTDOWN, m_cleanAtShutdownBox);
    DDX_Check(pDX, IDC_CLEAN_AT_SHUTDOWN, m_cleanAtShutdown);
    DDX_Check(pDX, IDC_CLEAN_AT_STARTUP, m_cleanAtStartup);
    DDX_Check(pDX, IDC_LOAD_AT_STARTUP, m_loadAtStartup);
}

// Only a program that was loaded at start-up is running to hear of the shutdown.
void CScheduleDlg::OnCleanAtShutdownClicked()
{
    if (m_cleanAtShutdownBox.GetCheck() == BST_CHECKED)
        m_loadAtStartupBox.SetCheck(BST_CHECKED);
}

void CScheduleDlg::OnOK()
{
    UpdateData(TRUE);
    const CString program = ProgramPathOfModule();
    CRegistry registry;
    if (!UpdateRunValue(registry, kLoadValueName, IsOptionOn(m_loadAtStartup), RunKeyCommand(program, kLoadSwitch)))
        return;
    if (!UpdateRunValue(registry, kCleanValueName, IsOptionOn(m_cleanAtStartup), RunKeyCommand(program, kCleanSwitch)))
        return;
    CDialog::OnOK();
}

// Reaching the key is reported only when a value was to be written; the message has always
// named HKEY_CURRENT_USER although the key is under HKEY_LOCAL_MACHINE.
BOOL CScheduleDlg::UpdateRunValue(CRegistry& registry, const char* name, BOOL wanted, const CString& command)
{
    if (!registry.Connect(HKEY_LOCAL_MACHINE)) {
        if (wanted)
            AfxMessageBox("Error: Can't open HKEY_CURRENT_USER registry location.", MB_ICONSTOP);
        return FALSE;
    }
    if (!registry.Open(kRunKeyPath, KEY_SET_VALUE)) {
        if (wanted)
            AfxMessageBox(IDS_RUN_KEY_FAILED, MB_ICONSTOP);
        registry.Close();
        return FALSE;
    }
    if (wanted)
        registry.SetStringValue(name, command);
    else
        registry.DeleteValue(name);
    registry.Close();
    return TRUE;
}
