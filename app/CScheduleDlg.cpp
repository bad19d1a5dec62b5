#include "app/CScheduleDlg.h"

#include "resources/DustoraResource.h"

CScheduleDlg::CScheduleDlg(CWnd* parent) : CDialog(IDD_SCHEDULE, parent)
{
}

void CScheduleDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_LOAD_AT_STARTUP, m_loadAtStartupBox);
    DDX_Control(pDX, IDC_CLEAN_AT_SHUTDOWN, m_cleanAtShutdownBox);
    DDX_Check(pDX, IDC_CLEAN_AT_SHUTDOWN, m_cleanAtShutdown);
    DDX_Check(pDX, IDC_CLEAN_AT_STARTUP, m_cleanAtStartup);
    DDX_Check(pDX, IDC_LOAD_AT_STARTUP, m_loadAtStartup);
}
