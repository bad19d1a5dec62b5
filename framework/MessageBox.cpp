#include "MessageBox.h"

#include "CString.h"
#include "CWinApp.h"
#include "CWnd.h"

namespace {

int PlatformMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(owner, text, caption, type);
}

MessageBoxFn g_messageBox = PlatformMessageBox;

}  // namespace

MessageBoxFn SetMessageBoxFn(MessageBoxFn fn)
{
    MessageBoxFn previous = g_messageBox;
    g_messageBox = fn ? fn : PlatformMessageBox;
    return previous;
}

int AfxMessageBox(const char* text, UINT type)
{
    CWinApp* app = AfxGetApp();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->GetSafeHwnd()))
        owner = app->m_pMainWnd->GetSafeHwnd();
    const char* caption = app ? app->m_pszAppName.GetString() : "";
    return g_messageBox(owner, text, caption, type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    CString text;
    text.LoadString(stringId);
    return AfxMessageBox(text, type);
}
