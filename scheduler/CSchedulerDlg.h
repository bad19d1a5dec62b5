// CSchedulerDlg: Ordavel's one dialog. The user picks the first date and time, an optional
// ending date and how often Dustora cleans; Start Task stores the task with the Task Scheduler
// and Stop Task removes it.
#pragma once

#include "framework/CButton.h"
#include "framework/CDateTimeCtrl.h"
#include "framework/CDialog.h"
#include "framework/MessageMap.h"

#include <ctime>

// The task Ordavel keeps, and what it starts.
extern const char kScheduledTaskName[];
extern const char kScheduledTaskComment[];
extern const char kCleanerParameters[];

class CSchedulerDlg : public CDialog {
public:
    explicit CSchedulerDlg(CWnd* parent = nullptr);

    CString m_cleanerPath;
    CButton m_stopTask;
    CButton m_startTask;
    CDateTimeCtrl m_endDatePicker;
    std::time_t m_endDate = 0;
    int m_frequency = -1;   // 0 Once, 1 Daily, 2 Weekly, 3 Monthly
    std::time_t m_startDate = 0;
    std::time_t m_startTime = 0;
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnStartTask();
    void OnStopTask();

    DECLARE_MESSAGE_MAP()

private:
    void ShowNowInThePickers();
    // The first run's date from the starting date, its time of day from the starting time.
    SYSTEMTIME StartOfSchedule() const;
};

// Dustora.exe in the folder of the running program.
CString CleanerPathBesideProgram();

// The task frequency of a radio index (0 Once .. 3 Monthly).
int FrequencyOfIndex(int index);
