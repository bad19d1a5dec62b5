#include "app/CCleanerDlg.h"

#include "app/CCleanerApp.h"
#include "app/RunMode.h"
#include "resources/DustoraResource.h"

#include <cstdlib>

CCleanerDlg::CCleanerDlg(CWnd* parent) : CDialog(IDD_DUSTORA_DIALOG, parent)
{
}

BOOL CCleanerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    theApp.m_splashHold = 0;
    for (const char* extension : {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"})
        theApp.g_TempExtensions.Add(extension);

    ActOnRunMode();
    theApp.m_programFolder = ProgramFolderOfModule();
    return TRUE;
}

void CCleanerDlg::ActOnRunMode()
{
    switch (RunModeFromCommandLine(theApp.m_lpCmdLine)) {
    case RunMode::Load:
        m_startInTray = 1;
        break;
    case RunMode::Clean:
        OnOK();
        PostMessage(WM_CLOSE);
        break;
    case RunMode::Interactive:
        break;
    }
}

// The first message of the modal loop finds a "/load" start and hides the dialog.
BOOL CCleanerDlg::PreTranslateMessage(MSG* msg)
{
    if (m_startInTray == 1) {
        ShowWindow(SW_HIDE);
        m_startInTray = 0;
    }
    return CDialog::PreTranslateMessage(msg);
}

// Start is the clean run; it never ends the dialog.
void CCleanerDlg::OnOK()
{
}

void CCleanerDlg::OnCancel()
{
    CDialog::OnCancel();
}

CString ProgramFolderOfModule()
{
    char path[1024] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    char drive[_MAX_DRIVE] = "";
    char folder[_MAX_DIR] = "";
    _splitpath(path, drive, folder, nullptr, nullptr);
    CString result = CString(drive) + folder;
    if (result.Last() != '\\')
        result += '\\';
    return result;
}
