#include "scheduler/CSchedulerDlg.h"

#include "framework/MessageBox.h"
#include "framework/MessageMap.h"
#include "framework/TileBitmap.h"
#include "resources/OrdavelResource.h"
#include "scheduler/CAboutDlg.h"
#include "scheduler/CScheduledTask.h"
#include "scheduler/CSchedulerApp.h"
#include "scheduler/TimePickerFormat.h"

const char kScheduledTaskName[] = "Dustora - Automatic System Clean";
const char kScheduledTaskComment[] = "Dustora - Automatic Clean Schedule";
const char kCleanerParameters[] = "/start";

namespace {

const COLORREF kLabelText = RGB(255, 255, 64);
const COLORREF kFrequencyBackground = RGB(0, 0, 90);

}  // namespace

CString CleanerPathBesideProgram()
{
    return ProgramFolderOfModule() + "Dustora.exe";
}

int FrequencyOfIndex(int index)
{
    switch (index) {
    case 0:
        return ScheduleOnce;
    case 1:
        return ScheduleDaily;
    case 2:
        return ScheduleWeekly;
    case 3:
        return ScheduleMonthly;
    default:
        return 0;
    }
}

CSchedulerDlg::CSchedulerDlg(CWnd* parent) : CDialog(IDD_ORDAVEL_DIALOG, parent)
{
    AfxInitDateTimeControls();   // the template's pickers need their window class
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

BEGIN_MESSAGE_MAP(CSchedulerDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_START_TASK, &CSchedulerDlg::OnStartTask)
    ON_BN_CLICKED(IDC_STOP_TASK, &CSchedulerDlg::OnStopTask)
END_MESSAGE_MAP()

void CSchedulerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STOP_TASK, m_stopTask);
    DDX_Control(pDX, IDC_START_TASK, m_startTask);
    DDX_Control(pDX, IDC_END_DATE, m_endDatePicker);
    DDX_DateTimeCtrl(pDX, IDC_END_DATE, m_endDate);
    DDX_Radio(pDX, IDC_FREQUENCY_ONCE, m_frequency);
    DDX_DateTimeCtrl(pDX, IDC_START_DATE, m_startDate);
    DDX_DateTimeCtrl(pDX, IDC_START_TIME, m_startTime);
}

BOOL CSchedulerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AppendToSystemMenu(IDS_ABOUTBOX, IDM_ABOUTBOX);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_frequency = 1;
    UpdateData(FALSE);
    ShowNowInThePickers();

    SendDlgItemMessage(IDC_START_TIME, DTM_SETFORMATA, 0,
                       reinterpret_cast<LPARAM>(UserTimeFormatWithoutSeconds().GetString()));
    m_cleanerPath = CleanerPathBesideProgram();
    return TRUE;
}

// Today in both dates (the ending date ticked) and the time of day now.
void CSchedulerDlg::ShowNowInThePickers()
{
    const std::time_t now = std::time(nullptr);
    m_endDate = now;
    m_startDate = now;
    m_startTime = now;
    UpdateData(FALSE);
}

void CSchedulerDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

// Minimised, the window shows the program icon in the middle of its client area.
void CSchedulerDlg::OnPaint()
{
    if (IsIconic())
        PaintMinimisedIcon(m_hIcon);
    else
        CDialog::OnPaint();
}

HCURSOR CSchedulerDlg::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

BOOL CSchedulerDlg::OnEraseBkgnd(CDC* dc)
{
    if (!TileWindowBackground(*dc, theApp.m_background, *this))
        return CDialog::OnEraseBkgnd(dc);
    return TRUE;
}

// Labels and buttons draw yellow text straight onto the tiles; the Frequency frame's caption
// sits on a dark blue band of its own.
HBRUSH CSchedulerDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    if (kind == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(kLabelText);
        brush = static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    }
    if (control && control->GetDlgCtrlID() == IDC_FREQUENCY_GROUP) {
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(kFrequencyBackground);
        dc->SetTextColor(kLabelText);
    }
    return brush;
}

SYSTEMTIME CSchedulerDlg::StartOfSchedule() const
{
    SYSTEMTIME start = {};
    CalendarTimeToSystemTime(m_startDate, start);
    SYSTEMTIME timeOfDay = {};
    if (CalendarTimeToSystemTime(m_startTime, timeOfDay)) {
        start.wHour = timeOfDay.wHour;
        start.wMinute = timeOfDay.wMinute;
    }
    return start;
}

void CSchedulerDlg::OnStartTask()
{
    CScheduledTask task;
    UpdateData(TRUE);
    task.SetApplicationName(m_cleanerPath);
    task.SetParameters(kCleanerParameters);
    task.SetComment(kScheduledTaskComment);
    task.SetStartTime(StartOfSchedule());
    SYSTEMTIME shown;
    if (m_endDatePicker.GetTime(&shown) != GDT_NONE)
        task.SetEndDate(m_endDate);
    task.SetFrequency(FrequencyOfIndex(m_frequency));

    if (task.Save(kScheduledTaskName) == S_OK) {
        AfxMessageBox(IDS_SCHEDULE_STARTED, MB_OK);
        m_startTask.EnableWindow(FALSE);
    } else {
        AfxMessageBox(IDS_SCHEDULE_START_FAILED, MB_ICONEXCLAMATION);
    }
}

void CSchedulerDlg::OnStopTask()
{
    UpdateData(TRUE);
    if (DeleteScheduledTask(kScheduledTaskName) == S_OK) {
        AfxMessageBox(IDS_SCHEDULE_STOPPED, MB_OK);
        m_startTask.EnableWindow(TRUE);
        m_stopTask.EnableWindow(FALSE);
    } else {
        AfxMessageBox(IDS_SCHEDULE_STOP_FAILED, MB_ICONEXCLAMATION);
    }
}
