#include "dialogs/CCleanProgressDlg.h"

#include "dialogs/DialogLook.h"
#include "framework/MessagePump.h"
#include "framework/TileBitmap.h"
#include "resources/DustoraResource.h"

namespace {

constexpr COLORREF kItemBackground = RGB(0, 0, 0x20);
constexpr COLORREF kItemText = RGB(255, 255, 255);

}  // namespace

BEGIN_MESSAGE_MAP(CCleanProgressDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CCleanProgressDlg::CCleanProgressDlg(UINT titleId)
    : CDialog(IDD_CLEAN_PROGRESS), m_titleId(titleId ? titleId : IDS_STATUS_TITLE)
{
}

CCleanProgressDlg::~CCleanProgressDlg()
{
    if (::IsWindow(m_hWnd))
        Close();
}

BOOL CCleanProgressDlg::Create(CWnd* owner)
{
    if (m_hWnd)
        return FALSE;
    m_owner = AfxTopLevelOf(owner ? owner->GetSafeHwnd() : nullptr);
    if (m_owner && ::IsWindowEnabled(m_owner)) {
        ::EnableWindow(m_owner, FALSE);
        m_ownerDisabled = 1;
    }
    AfxInitProgressControls();
    if (!CDialog::Create(IDD_CLEAN_PROGRESS, CWnd::FromHandle(m_owner))) {
        if (m_ownerDisabled)
            ::EnableWindow(m_owner, TRUE);
        m_ownerDisabled = 0;
        return FALSE;
    }
    return TRUE;
}

void CCleanProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_PROGRESS_SECOND_BANNER, m_secondBanner);
    DDX_Control(pDX, IDC_PROGRESS_BANNER, m_banner);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
}

BOOL CCleanProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_progress.SetRange(m_low, m_high);
    m_progress.SetStep(m_step);
    m_progress.SetPos(m_low);
    CString title;
    title.LoadString(m_titleId);
    SetWindowText(title);
    PlaceBanners();
    CenterWindow();
    return TRUE;
}

// Both banners are centred, the second one right below the first.
void CCleanProgressDlg::PlaceBanners()
{
    RECT client;
    GetClientRect(&client);
    const SIZE banner = CenterHorizontally(m_banner, client.right, 1);
    CenterHorizontally(m_secondBanner, client.right, banner.cy);
}

void CCleanProgressDlg::SetRange(int low, int high)
{
    m_low = low;
    m_high = high;
    if (m_progress.GetSafeHwnd())
        m_progress.SetRange(low, high);
}

void CCleanProgressDlg::SetPos(int position)
{
    PumpMessages();
    if (m_progress.GetSafeHwnd())
        m_progress.SetPos(position);
}

void CCleanProgressDlg::SetAction(const char* text)
{
    SetDlgItemText(IDC_PROGRESS_ACTION, text);
    if (m_hWnd)
        Invalidate(TRUE);
    PumpMessages();
}

void CCleanProgressDlg::SetItem(const char* text)
{
    SetDlgItemText(IDC_PROGRESS_ITEM, text);
}

int CCleanProgressDlg::CheckStop()
{
    PumpMessages();
    const int stop = m_stopRequested;
    m_stopRequested = 0;
    return stop;
}

void CCleanProgressDlg::PumpMessages()
{
    PumpWaitingMessages();
}

void CCleanProgressDlg::Close()
{
    if (m_ownerDisabled && m_owner)
        ::EnableWindow(m_owner, TRUE);
    m_ownerDisabled = 0;
    DestroyWindow();
}

// Enter must never stop the run, not even with "&Stop !" as the default button or in focus.
BOOL CCleanProgressDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

void CCleanProgressDlg::OnOK()
{
}

// "&Stop !", Escape and the close box only ask; the run decides at its next stop check.
void CCleanProgressDlg::OnCancel()
{
    m_stopRequested = 1;
}

BOOL CCleanProgressDlg::OnEraseBkgnd(CDC* dc)
{
    if (!m_background || !TileWindowBackground(*dc, *m_background, *this))
        return CDialog::OnEraseBkgnd(dc);
    return TRUE;
}

HBRUSH CCleanProgressDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    if (kind != CTLCOLOR_STATIC)
        return brush;
    if (control && control->GetDlgCtrlID() == IDC_PROGRESS_ITEM) {
        dc->SetBkColor(kItemBackground);
        dc->SetTextColor(kItemText);
        FillControlBackground(*dc, *control, kItemBackground);
    } else {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(kLabelText);
    }
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
