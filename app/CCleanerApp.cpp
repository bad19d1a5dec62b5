#include "app/CCleanerApp.h"

#include "app/CCleanerDlg.h"
#include "dialogs/CSplashWnd.h"
#include "framework/AfxOle.h"
#include "framework/MessageBox.h"
#include "framework/MessagePump.h"
#include "resources/DustoraResource.h"

#include <memory>

CCleanerApp theApp;

namespace {

constexpr UINT kSplashTimerMs = 500;

}  // namespace

CCleanerApp::CCleanerApp() = default;

CCleanerApp::~CCleanerApp() = default;

BOOL CCleanerApp::InitInstance()
{
    AfxEnableControlContainer();
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED, MB_ICONSTOP);
        return FALSE;
    }

    // Held, not waited on, until the process ends; a second instance just leaves.
    m_instanceMutex.reset(::CreateMutexA(nullptr, TRUE, "DustoraMutex"));
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;

    SetRegistryKey("Halvex");
    Enable3dControlsStatic();

    if (m_lpCmdLine.IsEmpty() && ShowSplashWindow())
        ::Sleep(3000);

    CCleanerDlg dlg;
    m_pMainWnd = &dlg;
    m_background.LoadBitmap(IDB_BACKGROUND);
    LoadFolderSettings();
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

void CCleanerApp::LoadFolderSettings()
{
    m_folderRecentDocs = GetProfileString("Folders", "WinRecentDocs", "");
    m_folderTemp = GetProfileString("Folders", "WinTemp", "");
    m_folderIECache = GetProfileString("Folders", "MSIECache", "");
    m_folderIECookies = GetProfileString("Folders", "MSIECookies", "");
    m_folderNSCache = GetProfileString("Folders", "NSCache", "");
}

void CCleanerApp::OnShowOptions()
{
    if (m_pMainWnd)
        m_pMainWnd->ShowWindow(SW_SHOW);
}

void CCleanerApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->PostMessage(WM_CLOSE);
}

void CCleanerApp::Tell(const CString& text, UINT style)
{
    AfxMessageBox(text, style);
}

// The splash frees itself when it closes, at its first tick after the main dialog is ready.
BOOL CCleanerApp::ShowSplashWindow()
{
    auto splash = std::make_unique<CSplashWnd>(IDB_SPLASH, kSplashTimerMs, m_splashHold);
    if (!splash->Show())
        return FALSE;
    splash.release();   // the window owns it now
    PumpWaitingMessages();
    return TRUE;
}
