#include "dialogs/CCleanReportDlg.h"

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

// A drive of a volume listed before says so in place of its saving, which the total has counted
// once already.
CString SavedLine(const DriveGain& drive)
{
    CString line;
    if (drive.sharesDiskWith)
        line.Format("Shares its disk with drive [%c:].\r\n", drive.sharesDiskWith);
    else
        line.Format("Saved Disk Space: %.1f MB\r\n", drive.gain);
    return line;
}

CString DriveBlock(const DriveGain& drive)
{
    CString block;
    block.Format("Report for Drive [%c:] %s\r\n"
                 "===============================\r\n"
                 "Free Space Before Cleaning: %.1f MB\r\n"
                 "Free Space After Cleaning: %.1f MB\r\n",
                 drive.letter, drive.label.GetString(), drive.before, drive.after);
    return block + SavedLine(drive) + "\r\n\r\n";
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

void CCleanReportDlg::SetFigures(const double (&freeBefore)[32], const SnapshotDrive (&beforeDrive)[32],
                                 LONG registryEntriesRemoved, UserMessages* messages)
{
    m_freeBefore = &freeBefore;
    m_beforeDrive = &beforeDrive;
    m_registryEntriesRemoved = registryEntriesRemoved;
    m_messages = messages;
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
// clean.
BOOL CCleanReportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_logo.LoadBitmap(IDB_REPORT_LOGO);

    static const double kNoneBefore[32] = {};
    static const SnapshotDrive kNoDrives[32] = {};
    CDiskSpace space(m_messages);
    const std::vector<DriveGain> drives = CFreeSpaceGains::Measure(space, CDriveScan::Scan(),
                                                                   m_freeBefore ? *m_freeBefore : kNoneBefore,
                                                                   m_beforeDrive ? *m_beforeDrive : kNoDrives);
    SetDlgItemText(IDC_REPORT_REGISTRY, RegistryLine(m_registryEntriesRemoved));
    SetDlgItemText(IDC_REPORT_TEXT, ReportText(drives));
    SetDlgItemText(IDC_REPORT_TOTAL, TotalLine(CFreeSpaceGains::TotalOf(drives)));

    RECT client;
    GetClientRect(&client);
    CenterHorizontally(m_banner, client.right, 1);
    return TRUE;
}

BOOL CCleanReportDlg::OnEraseBkgnd(CDC* dc)
{
    if (!m_background || !TileWindowBackground(*dc, *m_background, *this))
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
