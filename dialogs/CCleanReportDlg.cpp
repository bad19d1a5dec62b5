#include "dialogs/CCleanReportDlg.h"

#include "app/CCleanerApp.h"
#include "dialogs/DialogLook.h"
#include "dialogs/DrawTransparentBitmap.h"
#include "engine/CDiskSpace.h"
#include "engine/CDriveScan.h"
#include "framework/CPaintDC.h"
#include "framework/TileBitmap.h"
#include "resources/DustoraResource.h"

namespace {

constexpr COLORREF kResultBand = RGB(0, 0, 0xAF);
constexpr COLORREF kLogoTransparent = RGB(255, 0, 0);
constexpr int kLogoHalfWidth = 80;
constexpr int kLogoTop = 45;

CString DriveBlock(const DriveGain& drive)
{
    CString block;
    block.Format("Report for Drive [%c:] %s\r\n"
                 "===============================\r\n"
                 "Free Space Before Cleaning: %.1f MB\r\n"
                 "Free Space After Cleaning: %.1f MB\r\n"
                 "Saved Disk Space: %.1f MB\r\n"
                 "\r\n\r\n",
                 drive.letter, drive.label.GetString(), drive.before, drive.after, drive.gain);
    return block;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCleanReportDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCleanReportDlg::CCleanReportDlg(CWnd* parent) : CDialog(IDD_CLEAN_REPORT, parent)
{
}

CString CCleanReportDlg::ReportText(const std::vector<DriveGain>& drives)
{
    CString text(" System Clean Report...\r\n\r\n");
    for (const DriveGain& drive : drives)
        text += DriveBlock(drive);
    return text;
}

CString CCleanReportDlg::TotalLine(double totalSaved)
{
    CString line;
    line.Format("Total Saved Disk(s) Space: %.1f MB", totalSaved);
    return line;
}

CString CCleanReportDlg::RegistryLine(LONG entriesRemoved)
{
    CString line;
    line.Format("Removed %d Registry Entries.", static_cast<int>(entriesRemoved));
    return line;
}

void CCleanReportDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_REPORT_BANNER, m_banner);
}

// Each drive's free space now is paired with the snapshot of the same drive taken before the
// clean; the counter of registry entries is used up by the report.
BOOL CCleanReportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_logo.LoadBitmap(IDB_REPORT_LOGO);

    CDiskSpace space;
    const std::vector<DriveGain> drives =
        CFreeSpaceGains::Measure(space, CDriveScan::Scan(), theApp.g_FreeBefore, theApp.g_FreeBeforeDrive);
    SetDlgItemText(IDC_REPORT_REGISTRY, RegistryLine(theApp.m_registryEntriesRemoved));
    SetDlgItemText(IDC_REPORT_TEXT, ReportText(drives));
    SetDlgItemText(IDC_REPORT_TOTAL, TotalLine(CFreeSpaceGains::TotalOf(drives)));

    RECT client;
    GetClientRect(&client);
    CenterHorizontally(m_banner, client.right, 1);
    theApp.m_registryEntriesRemoved = 0;
    return TRUE;
}

BOOL CCleanReportDlg::OnEraseBkgnd(CDC* dc)
{
    if (!TileWindowBackground(*dc, theApp.m_background, *this))
        CDialog::OnEraseBkgnd(dc);
    if (m_logo.GetSafeHandle()) {
        RECT client;
        GetClientRect(&client);
        DrawTransparentBitmap(dc, m_logo, static_cast<short>(client.right / 2 - kLogoHalfWidth), kLogoTop, kLogoTransparent);
    }
    return TRUE;
}

// Labels are yellow over the tiles; the total and registry lines sit on a dark blue band.
HBRUSH CCleanReportDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    if (kind != CTLCOLOR_STATIC)
        return brush;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kLabelText);
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id == IDC_REPORT_TOTAL || id == IDC_REPORT_REGISTRY) {
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(kResultBand);
        FillControlBackground(*dc, *control, kResultBand);
    }
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CCleanReportDlg::OnPaint()
{
    CPaintDC paint(this);
}
