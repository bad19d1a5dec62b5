#include "dialogs/CCleanReportDlg.h"

#include "dialogs/DialogLook.h"
#include "dialogs/DrawTransparentBitmap.h"
#include "engine/CDiskSpace.h"
#include "engine/CDriveScan.h"
#include "framework/CPaintDC.h"
#include "framework/TileBitmap.h"
#include "resources/DustoraResource.h"

#include <string>

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

// "1,204": thousands grouped with commas.
CString Grouped(ULONGLONG number)
{
    std::string grouped;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            grouped.insert(grouped.begin(), ',');
        grouped.insert(grouped.begin(), static_cast<char>('0' + number % 10));
        number /= 10;
        ++digits;
    } while (number > 0);
    return CString(grouped.c_str());
}

CString FilesAndSize(ULONGLONG files, ULONGLONG bytes, const char* unit)
{
    CString text;
    text.Format("%s %s, %.1f MB", Grouped(files).GetString(), unit, static_cast<double>(bytes) / 1048576.0);
    return text;
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

void CCleanReportDlg::SetRemovals(const std::vector<CleanerRemoval>& removals, bool preview)
{
    m_removals = removals;
    m_preview = preview;
}

CString CCleanReportDlg::RemovalLine(const CleanerRemoval& removal)
{
    const RemovalTally& tally = removal.tally;
    CString parts;
    const auto add = [&parts](const CString& part) { parts += (parts.IsEmpty() ? "" : ", ") + part; };
    if (tally.files > 0 || (tally.registryEntries == 0 && !tally.binCounted))
        add(FilesAndSize(tally.files, tally.bytes, "files"));
    if (tally.binCounted)
        add(FilesAndSize(tally.binItems, tally.binBytes, "items"));
    if (tally.registryEntries > 0) {
        CString entries;
        entries.Format("%s registry entries", Grouped(tally.registryEntries).GetString());
        add(entries);
    }
    return removal.cleaner + ": " + parts;
}

RemovalTally CCleanReportDlg::TotalOf(const std::vector<CleanerRemoval>& removals)
{
    RemovalTally total;
    for (const CleanerRemoval& removal : removals)
        total += removal.tally;
    return total;
}

CString CCleanReportDlg::RemovalTotalLine(const std::vector<CleanerRemoval>& removals, bool preview)
{
    const RemovalTally total = TotalOf(removals);
    // The bin's items are files and folders the user had deleted: they count with the files.
    return CString(preview ? "Total to remove: " : "Total removed: ") +
           FilesAndSize(total.files + total.binItems, total.bytes + total.binBytes, "files");
}

CString CCleanReportDlg::RemovalText(const std::vector<CleanerRemoval>& removals, bool preview)
{
    CString text(preview ? "Would be removed by each cleaner:\r\n" : "Removed by each cleaner:\r\n");
    for (const CleanerRemoval& removal : removals)
        text += RemovalLine(removal) + "\r\n";
    return text + RemovalTotalLine(removals, preview) + "\r\n";
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

CString CCleanReportDlg::BackupLine(const CString& backupFile)
{
    if (backupFile.IsEmpty())
        return CString();
    CString line;
    line.Format("Registry Backup File: %s\r\n", backupFile.GetString());
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
    if (m_preview)
        ShowPreview();
    else
        ShowClean();

    RECT client;
    GetClientRect(&client);
    CenterHorizontally(m_banner, client.right, 1);
    return TRUE;
}

// A preview changed no drive: it says what each cleaner would remove.
void CCleanReportDlg::ShowPreview()
{
    SetWindowText("Dustora Preview...");
    SetDlgItemText(IDC_REPORT_TEXT, CString(" System Preview Report...\r\n\r\n") + RemovalText(m_removals, true));
    SetDlgItemText(IDC_REPORT_TOTAL, RemovalTotalLine(m_removals, true));
    CString registry;
    registry.Format("Would remove %lu Registry Entries.", TotalOf(m_removals).registryEntries);
    SetDlgItemText(IDC_REPORT_REGISTRY, registry);
}

void CCleanReportDlg::ShowClean()
{
    static const double kNoneBefore[32] = {};
    static const SnapshotDrive kNoDrives[32] = {};
    CDiskSpace space(m_messages);
    const std::vector<DriveGain> drives = CFreeSpaceGains::Measure(space, CDriveScan::Scan(),
                                                                   m_freeBefore ? *m_freeBefore : kNoneBefore,
                                                                   m_beforeDrive ? *m_beforeDrive : kNoDrives);
    SetDlgItemText(IDC_REPORT_REGISTRY, RegistryLine(m_registryEntriesRemoved));
    CString text = ReportText(drives);
    if (!m_removals.empty())
        text += RemovalText(m_removals, false);
    SetDlgItemText(IDC_REPORT_TEXT, text + BackupLine(m_registryBackupFile));
    SetDlgItemText(IDC_REPORT_TOTAL, TotalLine(CFreeSpaceGains::TotalOf(drives)));
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
