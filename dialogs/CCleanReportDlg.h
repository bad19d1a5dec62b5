// CCleanReportDlg: the statistics window that ends every clean run. For each removable and
// fixed drive it shows the free space before and after cleaning and the space saved, then the
// total saved and the number of registry entries removed. Everything is measured and written
// once, when the dialog opens.
#pragma once

#include "engine/CFreeSpaceGains.h"
#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/MessageMap.h"

#include <vector>

class CCleanReportDlg : public CDialog {
public:
    explicit CCleanReportDlg(CWnd* parent = nullptr);

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
};
