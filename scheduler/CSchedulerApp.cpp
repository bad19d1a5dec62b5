#include "scheduler/CSchedulerApp.h"

#include "framework/AfxOle.h"
#include "resources/OrdavelResource.h"
#include "scheduler/CSchedulerDlg.h"

CSchedulerApp theApp;

BOOL CSchedulerApp::InitInstance()
{
    Enable3dControlsStatic();
    // The Task Scheduler is reached through COM; without it there is nothing to offer.
    if (!AfxOleInit())
        return FALSE;
    m_background.LoadBitmap(IDB_BACKGROUND);

    CSchedulerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
