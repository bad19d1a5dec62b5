#include "controls/CAboutDialog.h"

#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "framework/CWinApp.h"
#include "resources/DustoraResource.h"
#include "resources/VersionInfo.h"

#include <vector>

namespace {

constexpr DWORD kCreditsRowMs = 25;
constexpr COLORREF kCreditsText = RGB(255, 0, 0);
constexpr COLORREF kCreditsBackground = RGB(0, 0, 0);
constexpr UINT kCreditsFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER;

struct VersionLabel {
    const char* key;
    int labelId;
};

const VersionLabel kVersionLabels[] = {
    {"ProductName", IDC_ABOUT_NAME},
    {"Build", IDC_ABOUT_BUILD},
    {"LegalCopyright", IDC_ABOUT_COPYRIGHT},
    {"FileVersion", IDC_ABOUT_VERSION},
};

RECT ControlRectInClient(const CWnd& dialog, int id)
{
    RECT rect = {0, 0, 0, 0};
    const HWND control = ::GetDlgItem(dialog.GetSafeHwnd(), id);
    if (control) {
        ::GetWindowRect(control, &rect);
        dialog.ScreenToClient(&rect);
    }
    return rect;
}

// One pass over the waiting messages, as the application's own loop would treat them. FALSE
// when a WM_DESTROY or WM_QUIT came by: it goes back into the queue for the modal loop.
BOOL PumpWaitingMessages()
{
    CWinApp* app = AfxGetApp();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_DESTROY) {
            ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            return FALSE;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        if (!app || !app->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (app) {
            app->OnIdle(0);
            app->OnIdle(1);
        }
    }
    return TRUE;
}

}  // namespace

CString BuildStamp()
{
    CString date = __DATE__;   // "Jun  1 2000": a day below 10 is padded with a blank
    date.Replace("  ", " ");
    return "Built on " + date + " at " + __TIME__;
}

CAboutDialog::CAboutDialog(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent)
{
}

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CAboutDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ABOUT_HOME_PAGE, m_homePage);
    DDX_Control(pDX, IDC_ABOUT_SUPPORT_MAIL, m_supportMail);
    DDX_Control(pDX, IDC_ABOUT_MAKER_PAGE, m_makerPage);
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_homePage.SetURL(DUSTORA_HOME_PAGE);
    m_supportMail.SetURL("mailto:" HALVEX_SUPPORT_MAIL);
    m_makerPage.SetURL(HALVEX_WEB_ADDRESS);
    ShowVersion();
    SetDlgItemText(IDC_ABOUT_BUILD_STAMP, BuildStamp());
    return TRUE;
}

// Labels whose value the block lacks keep their template text.
void CAboutDialog::ShowVersion()
{
    const CString source = m_versionSource.IsEmpty() ? ProgramPathOfModule() : m_versionSource;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(source, &ignored);
    if (size == 0)
        return;
    std::vector<char> block(size);
    if (::GetFileVersionInfoA(source, 0, size, block.data()) != TRUE)
        return;
    for (const VersionLabel& label : kVersionLabels) {
        const CString query = CString("\\StringFileInfo\\" VERSION_STRINGS_BLOCK "\\") + label.key;
        void* value = nullptr;
        UINT length = 0;
        if (::VerQueryValueA(block.data(), query, &value, &length) && value)
            SetDlgItemText(label.labelId, static_cast<const char*>(value));
    }
}

void CAboutDialog::OnLButtonUp(UINT flags, POINT point)
{
    const RECT icon = ControlRectInClient(*this, IDC_ABOUT_ICON);
    if (!m_scrolling && ::PtInRect(&icon, point))
        RollCredits();
    CDialog::OnLButtonUp(flags, point);
}

// The credits enter the frame's area from below, one pixel row at a time, and the area's own
// pixels follow them back in.
void CAboutDialog::RollCredits()
{
    m_scrolling = 1;
    ++m_rollsRun;
    const BOOL modal = IsModalLoopRunning();
    m_lastRollRows = 0;
    const RECT area = ControlRectInClient(*this, IDC_ABOUT_FRAME);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    CClientDC client(this);

    CString credits;
    credits.LoadString(IDS_CREDITS);
    RECT textRect = {0, 0, width, height};
    client.DrawText(credits, &textRect, DT_CALCRECT | kCreditsFormat);
    const int textHeight = textRect.bottom - textRect.top;
    textRect.right = textRect.left + width;

    // A bitmap made for a new memory context is monochrome: copied onto the screen, its black
    // takes the text colour and its white the background colour.
    CDC textDC;
    textDC.CreateCompatibleDC(&client);
    CBitmap textBitmap;
    textBitmap.CreateCompatibleBitmap(&textDC, width, textHeight);
    const HGDIOBJ textDefault = textDC.SelectObject(textBitmap);
    textDC.PatBlt(0, 0, width, textHeight, WHITENESS);
    textDC.DrawText(credits, &textRect, kCreditsFormat);

    const COLORREF previousText = client.SetTextColor(kCreditsText);
    const COLORREF previousBackground = client.SetBkColor(kCreditsBackground);

    CDC snapshotDC;
    snapshotDC.CreateCompatibleDC(&client);
    CBitmap snapshot;
    snapshot.CreateCompatibleBitmap(&client, width, height);
    const HGDIOBJ snapshotDefault = snapshotDC.SelectObject(snapshot);
    snapshotDC.BitBlt(0, 0, width, height, &client, area.left, area.top, SRCCOPY);

    const RECT below = {area.left, area.top + 1, area.right, area.bottom};
    for (int row = 0; row < textHeight + height && m_scrolling == 1; ++row) {
        const DWORD rowStart = ::GetTickCount();
        client.ScrollDC(0, -1, below);
        if (row < textHeight)
            client.BitBlt(area.left, area.bottom - 1, width, 1, &textDC, 0, row, SRCCOPY);
        else
            client.BitBlt(area.left, area.bottom - 1, width, 1, &snapshotDC, 0, row - textHeight, SRCCOPY);
        ++m_lastRollRows;
        if (!WaitForNextRow(rowStart, modal))
            m_scrolling = 0;
    }

    client.SetBkColor(previousBackground);
    client.SetTextColor(previousText);
    snapshotDC.SelectObject(snapshotDefault);
    textDC.SelectObject(textDefault);
    m_scrolling = 0;
}

// The roll runs inside a click of the modal loop: OK, Escape and the close box come through
// here, and ending the loop ends the roll at once instead of after the last row.
BOOL CAboutDialog::WaitForNextRow(DWORD rowStart, BOOL modal)
{
    for (;;) {
        if (!m_hWnd || !IsWindowVisible() || (modal && !IsModalLoopRunning()))
            return FALSE;
        const DWORD waited = ::GetTickCount() - rowStart;
        if (waited >= kCreditsRowMs)
            return TRUE;
        if (!PumpWaitingMessages())
            return FALSE;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kCreditsRowMs - waited, QS_ALLINPUT);
    }
}
