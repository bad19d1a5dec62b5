// CCleanReportDlg: the statistics window that ends every clean run. For each removable and
// fixed drive it shows the free space before and after cleaning and the space saved (a drive of a
// volume listed before names that drive instead), then the total saved, each volume counted once,
// and the number of registry entries removed. Everything is measured and written once, when the
// dialog opens.
#pragma once

#include "engine/CFreeSpaceGains.h"
#include "engine/RemovalScope.h"
#include "engine/UserMessages.h"
#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/MessageMap.h"

#include <vector>

// What one cleaner of a run removed (or, in a preview, would remove), by the name it is shown by.
struct CleanerRemoval {
    CString cleaner;
    RemovalTally tally;
};

class CCleanReportDlg : public CDialog {
public:
    explicit CCleanReportDlg(CWnd* parent = nullptr);

    // What the run hands over before the report opens: the free space noted before the clean
    // (the arrays are read when the dialog opens, so they must outlive it), the registry entries
    // removed, and who hears of a drive that cannot be measured now. Without figures the report
    // pairs no drive and counts no entry.
    void SetFigures(const double (&freeBefore)[32], const SnapshotDrive (&beforeDrive)[32],
                    LONG registryEntriesRemoved, UserMessages* messages);
    void SetBackground(const CBitmap& background) { m_background = &background; }
    // One entry per cleaner that ran, in the run's order; a preview's report says what would go
    // and shows no drive figures.
    void SetRemovals(const std::vector<CleanerRemoval>& removals, bool preview);

    // The report's text: a title line, an empty line, then one block per drive, in order.
    static CString ReportText(const std::vector<DriveGain>& drives);
    static CString TotalLine(double totalSaved);
    static CString RegistryLine(LONG entriesRemoved);
    // "Windows Temp Dir: 1,204 files, 38.2 MB", "Windows Run History: 12 registry entries",
    // "Recycle Bin: 3 items, 1.2 MB".
    static CString RemovalLine(const CleanerRemoval& removal);
    // The lines of the cleaners, then their total ("Total removed: 1,207 files, 39.4 MB"; in a
    // preview "Total to remove: ...").
    static CString RemovalText(const std::vector<CleanerRemoval>& removals, bool preview);
    static CString RemovalTotalLine(const std::vector<CleanerRemoval>& removals, bool preview);
    // The cleaners' tallies added up.
    static RemovalTally TotalOf(const std::vector<CleanerRemoval>& removals);

    // The line that names the run's registry backup, at the end of the report's text; empty
    // when the run wrote none.
    static CString BackupLine(const CString& backupFile);

    // The file holding what the run removed from the registry, or empty.
    void SetRegistryBackupFile(const CString& backupFile) { m_registryBackupFile = backupFile; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void ShowClean();
    void ShowPreview();

    CBitmap m_logo;
    CStatic m_banner;
    const CBitmap* m_background = nullptr;       // borrowed
    const double (*m_freeBefore)[32] = nullptr;   // borrowed
    const SnapshotDrive (*m_beforeDrive)[32] = nullptr;   // borrowed
    LONG m_registryEntriesRemoved = 0;
    UserMessages* m_messages = nullptr;   // borrowed
    std::vector<CleanerRemoval> m_removals;
    bool m_preview = false;

    CString m_registryBackupFile;
};
