// CCleanProgressDlg: the modeless window a clean run shows while it works: the colour-ramp bar,
// an action word with the item being worked on, and "&Stop !". The run does its work on the
// user-interface thread, so the dialog drains the message queue whenever the run reports
// progress or asks whether to stop; that keeps it painted and the button answering.
#pragma once

#include "controls/CRampProgressCtrl.h"
#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/MessageMap.h"

class CCleanProgressDlg : public CDialog {
public:
    // titleId 0 gives "Dustora Status...".
    explicit CCleanProgressDlg(UINT titleId = 0);
    ~CCleanProgressDlg() override;

    // Disables owner's top-level window while the dialog is open, then shows the dialog over
    // it. FALSE (and the owner as it was) when the dialog cannot be made.
    BOOL Create(CWnd* owner);
    void SetRange(int low, int high);
    // These pump the waiting messages first.
    void SetPos(int position);
    // Also repaints the whole dialog, so the old word leaves no trace on the tiles.
    void SetAction(const char* text);
    // Never pumps: the new text shows at the next pump.
    void SetItem(const char* text);
    // Pumps, then reports a stop request made since the last call, once.
    int CheckStop();
    // Drains the waiting messages and returns at once; never waits.
    void PumpMessages();
    // Re-enables the owner and destroys the window.
    void Close();

    BOOL PreTranslateMessage(MSG* msg) override;

    // The picture tiled behind the window; without one the window keeps its ordinary face.
    void SetBackground(const CBitmap& background) { m_background = &background; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceBanners();

    CStatic m_secondBanner;
    CStatic m_banner;
    CRampProgressCtrl m_progress;
    UINT m_titleId;
    int m_low = 0;
    int m_high = 100;
    int m_step = 10;
    int m_stopRequested = 0;
    int m_ownerDisabled = 0;
    HWND m_owner = nullptr;   // borrowed
    const CBitmap* m_background = nullptr;   // borrowed
};
