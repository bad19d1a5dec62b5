// CCleanReportDlg: the statistics window that ends every clean run. For each removable and
// fixed drive it shows the free space before and after cleaning and the space saved (a drive of a
// volume listed before names that drive instead), then the total saved, each volume counted once,
// and the number of registry entries removed. Everything is measured and written once, when the
// dialog opens.
#pragma once

#include "engine/CFreeSpaceGains.h"
#include "engine/UserMessages.h"
#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/MessageMap.h"

#include <vector>

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

    // The report's text: a title line, an empty line, then one block per drive, in order.
    static CString ReportText(const std::vector<DriveGain>& drives);
    static CString TotalLine(double totalSaved);
    static CString RegistryLine(LONG entriesRemoved);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_logo;
    CStatic m_banner;
    const CBitmap* m_background = nullptr;       // borrowed
    const double (*m_freeBefore)[32] = nullptr;   // borrowed
    const SnapshotDrive (*m_beforeDrive)[32] = nullptr;   // borrowed
    LONG m_registryEntriesRemoved = 0;
    UserMessages* m_messages = nullptr;   // borrowed
};
