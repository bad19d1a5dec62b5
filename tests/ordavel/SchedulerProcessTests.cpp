// The scheduler dialog used as a person would: in this process through its modal loop, and as
// Ordavel.EXE started from the sandbox's program folder. Every test here works on the one task
// the program keeps, so they share the lock of the process tests and never run side by side.
#include "framework/CWnd.h"
#include "resources/OrdavelResource.h"
#include "scheduler/CScheduledTask.h"
#include "scheduler/CSchedulerApp.h"
#include "scheduler/CSchedulerDlg.h"
#include "support/Pixels.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"
#include "support/SandboxFolder.h"
#include "support/SandboxProcess.h"
#include "support/StoredTask.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kTaskName[] = "Dustora - Automatic System Clean";
const char kTitle[] = "Dustora Automatic Scheduler 1.0";
const char kStarted[] = "Dustora - Automatic Schedule was Started !";
const char kStartFailed[] = "Failed to start the Dustora Automatic Schedule !\nOr it is already Started!";
const char kStopped[] = "Dustora - Automatic Schedule was stopped!";
const char kStopFailed[] = "Error: Can't schedule Dustora.\nPlease use the Task Scheduler and schedule it manually.";
constexpr COLORREF kYellow = RGB(255, 255, 64);

std::tm LocalNow(std::time_t now)
{
    return *std::localtime(&now);
}

SYSTEMTIME PickerTime(HWND dialog, int id, DWORD* answer = nullptr)
{
    SYSTEMTIME time;
    std::memset(&time, 0xcf, sizeof(time));
    const DWORD result = static_cast<DWORD>(
        ::SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)));
    if (answer)
        *answer = result;
    return time;
}

void SetPicker(CDialog& d, int id, WORD year, WORD month, WORD day, WORD hour = 12, WORD minute = 0)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    ASSERT_TRUE(d.SendDlgItemMessage(id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)));
}

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

void Close(CDialog& d)
{
    d.PostMessage(WM_COMMAND, IDCANCEL);
}

// Dustora.exe beside the running program: the path the task must start.
std::wstring CleanerBesideThisProgram()
{
    char path[1024] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    return Wide(folder + "Dustora.exe");
}

bool TaskExists()
{
    return SUCCEEDED(ReadStoredTask(kTaskName).activated);
}

class SchedulerDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        DeleteScheduledTask(kTaskName);   // a leftover of an aborted run
        if (!theApp.m_background.GetSafeHandle())
            theApp.m_background.LoadBitmap(IDB_BACKGROUND);
    }
    void TearDown() override
    {
        DeleteScheduledTask(kTaskName);
        CoUninitialize();
    }

    // Runs the dialog as the program's main window, acts in it and closes it.
    void RunDialog(const std::function<void(CDialog&)>& act)
    {
        CSchedulerDlg dlg;
        theApp.m_pMainWnd = &dlg;
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [&](CDialog& d) {
            act(d);
            Close(d);
        }));
        theApp.m_pMainWnd = nullptr;
    }

    // Stores a task of the name through the program's own description object.
    void StoreTaskDirectly()
    {
        CScheduledTask task;
        SYSTEMTIME start = {};
        start.wYear = 2030;
        start.wMonth = 1;
        start.wDay = 2;
        start.wHour = 3;
        start.wMinute = 4;
        task.SetStartTime(start);
        task.SetFrequency(ScheduleMonthly);
        task.SetApplicationName("C:\\Elsewhere\\Other.exe");
        ASSERT_EQ(S_OK, task.Save(kTaskName));
    }

    RecordedBoxes m_boxes;
};

void ExpectOneBox(const RecordedBoxes& boxes, const char* text, UINT type)
{
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(text, boxes.shown[0].text);
    EXPECT_EQ(type, boxes.shown[0].type);
    EXPECT_EQ(std::string(theApp.m_pszAppName), boxes.shown[0].caption);
}

TEST_F(SchedulerDialog, OpensOnDailyWithTodayAndTheTimeNow)
{
    const std::time_t before = std::time(nullptr);
    RunDialog([&](CDialog& d) {
        const std::time_t after = std::time(nullptr);
        EXPECT_STREQ(kTitle, d.GetWindowText());
        const int radios[] = {IDC_FREQUENCY_ONCE, IDC_FREQUENCY_DAILY, IDC_FREQUENCY_WEEKLY, IDC_FREQUENCY_MONTHLY};
        for (int id : radios)
            EXPECT_EQ(id == IDC_FREQUENCY_DAILY ? BST_CHECKED : BST_UNCHECKED, d.IsDlgButtonChecked(id)) << id;

        const std::tm first = LocalNow(before);
        const std::tm last = LocalNow(after);
        for (int id : {IDC_START_DATE, IDC_START_TIME, IDC_END_DATE}) {
            SCOPED_TRACE(id);
            DWORD answer = 0xdeadbeef;
            const SYSTEMTIME shown = PickerTime(d, id, &answer);
            EXPECT_EQ(static_cast<DWORD>(GDT_VALID), answer);
            EXPECT_EQ(first.tm_year + 1900, shown.wYear);
            EXPECT_EQ(first.tm_mon + 1, shown.wMonth);
            EXPECT_EQ(first.tm_mday, shown.wDay);
            const int minuteShown = shown.wHour * 60 + shown.wMinute;
            EXPECT_GE(minuteShown, first.tm_hour * 60 + first.tm_min);
            EXPECT_LE(minuteShown, last.tm_hour * 60 + last.tm_min);
        }
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_START_TASK)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_STOP_TASK)));
        EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(d, IDC_START_TASK), GWL_STYLE) & BS_DEFPUSHBUTTON);
    });
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(SchedulerDialog, CarriesTheProgramIconAndAnAboutItem)
{
    RunDialog([&](CDialog& d) {
        const HICON big = reinterpret_cast<HICON>(d.SendMessage(WM_GETICON, ICON_BIG));
        EXPECT_NE(nullptr, big);
        EXPECT_EQ(big, reinterpret_cast<HICON>(d.SendMessage(WM_GETICON, ICON_SMALL)));
        EXPECT_EQ(reinterpret_cast<LRESULT>(big), d.SendMessage(WM_QUERYDRAGICON));

        const HMENU menu = ::GetSystemMenu(d, FALSE);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        char text[128] = "";
        EXPECT_GT(::GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof(text), MF_BYCOMMAND), 0);
        EXPECT_STREQ("&About Dustora Scheduler...", text);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, count - 1));
        EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
    });
}

// The About box runs modally inside the system command; a timer of this thread reads and ends it.
struct AboutSeen {
    bool found = false;
    std::vector<std::string> texts;
};
AboutSeen* g_about = nullptr;

BOOL CALLBACK CollectText(HWND child, LPARAM)
{
    char text[256] = "";
    ::GetWindowTextA(child, text, sizeof(text));
    g_about->texts.push_back(text);
    return TRUE;
}

BOOL CALLBACK CloseAbout(HWND window, LPARAM)
{
    char caption[128] = "";
    ::GetWindowTextA(window, caption, sizeof(caption));
    if (lstrcmpA(caption, "About Dustora Automatic Scheduler...") != 0 || !::IsWindowVisible(window))
        return TRUE;
    g_about->found = true;
    ::EnumChildWindows(window, &CollectText, 0);
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookForAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &CloseAbout, 0);
    if (g_about->found)
        ::KillTimer(nullptr, timer);
}

TEST_F(SchedulerDialog, SystemMenuAboutShowsTheAboutBox)
{
    AboutSeen seen;
    g_about = &seen;
    RunDialog([&](CDialog& d) {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &LookForAbout);
        d.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(::IsWindowEnabled(d));   // the About box has given its owner back
    });
    g_about = nullptr;
    ASSERT_TRUE(seen.found);
    const auto has = [&](const char* text) {
        for (const auto& t : seen.texts)
            if (t == text)
                return true;
        return false;
    };
    EXPECT_TRUE(has("Dustora Automatic Scheduler 1.1"));
    EXPECT_TRUE(has("Dustora Automatic Scheduler, is a part of Dustora and can be used only from Dustora."));
    EXPECT_TRUE(has("OK"));
}

TEST_F(SchedulerDialog, StartTaskUnchangedStoresADailyTaskFromNowUntilToday)
{
    std::time_t before = 0;
    std::time_t after = 0;
    RunDialog([&](CDialog& d) {
        before = std::time(nullptr);
        Click(d, IDC_START_TASK);
        after = std::time(nullptr);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_START_TASK)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_STOP_TASK)));
    });
    ExpectOneBox(m_boxes, kStarted, MB_OK);

    const StoredTask stored = ReadStoredTask(kTaskName);
    ASSERT_EQ(S_OK, stored.activated);
    EXPECT_EQ(1, stored.triggerCount);
    EXPECT_EQ(CleanerBesideThisProgram(), stored.application);
    EXPECT_EQ(L"/start", stored.parameters);
    EXPECT_EQ(L"", stored.workingDirectory);
    EXPECT_EQ(L"Dustora - Automatic Clean Schedule", stored.comment);

    const TASK_TRIGGER& t = stored.trigger;
    const std::tm today = LocalNow(before);
    EXPECT_EQ(TASK_TIME_TRIGGER_DAILY, t.TriggerType);
    EXPECT_EQ(1, t.Type.Daily.DaysInterval);
    EXPECT_EQ(today.tm_year + 1900, t.wBeginYear);
    EXPECT_EQ(today.tm_mon + 1, t.wBeginMonth);
    EXPECT_EQ(today.tm_mday, t.wBeginDay);
    const int startMinute = t.wStartHour * 60 + t.wStartMinute;
    // The dialog read the clock when it opened, a moment before the press.
    EXPECT_GE(startMinute, LocalNow(before - 60).tm_hour * 60 + LocalNow(before - 60).tm_min);
    EXPECT_LE(startMinute, LocalNow(after).tm_hour * 60 + LocalNow(after).tm_min);
    EXPECT_EQ(static_cast<DWORD>(TASK_TRIGGER_FLAG_HAS_END_DATE), t.rgFlags & TASK_TRIGGER_FLAG_HAS_END_DATE);
    EXPECT_EQ(t.wBeginYear, t.wEndYear);
    EXPECT_EQ(t.wBeginMonth, t.wEndMonth);
    EXPECT_EQ(t.wBeginDay, t.wEndDay);
}

TEST_F(SchedulerDialog, UntickedEndingDateStoresNoEnd)
{
    RunDialog([&](CDialog& d) {
        // The tick box of the picker is a button of its own; the user clicks it.
        const HWND picker = ::GetDlgItem(d, IDC_END_DATE);
        const HWND tickBox = ::FindWindowExA(picker, nullptr, "Button", nullptr);
        ASSERT_NE(nullptr, tickBox);
        ASSERT_EQ(BST_CHECKED, ::SendMessageA(tickBox, BM_GETCHECK, 0, 0));
        ::SendMessageA(tickBox, BM_CLICK, 0, 0);
        DWORD answer = 0xdeadbeef;
        PickerTime(d, IDC_END_DATE, &answer);
        ASSERT_EQ(static_cast<DWORD>(GDT_NONE), answer);
        Click(d, IDC_START_TASK);
    });
    ExpectOneBox(m_boxes, kStarted, MB_OK);
    const StoredTask stored = ReadStoredTask(kTaskName);
    ASSERT_EQ(S_OK, stored.activated);
    EXPECT_EQ(0u, stored.trigger.rgFlags & TASK_TRIGGER_FLAG_HAS_END_DATE);
    EXPECT_EQ(TASK_TIME_TRIGGER_DAILY, stored.trigger.TriggerType);
}

TEST_F(SchedulerDialog, ChosenDatesTimeAndFrequencyReachTheTask)
{
    const struct {
        const char* name;
        int radio;
        WORD year, month, day;
        TASK_TRIGGER_TYPE type;
    } cases[] = {
        {"once", IDC_FREQUENCY_ONCE, 2030, 3, 6, TASK_TIME_TRIGGER_ONCE},
        {"weekly from a Wednesday", IDC_FREQUENCY_WEEKLY, 2030, 7, 17, TASK_TIME_TRIGGER_WEEKLY},
        {"monthly from the 15th", IDC_FREQUENCY_MONTHLY, 2031, 2, 15, TASK_TIME_TRIGGER_MONTHLYDATE},
        {"daily from a leap day", IDC_FREQUENCY_DAILY, 2032, 2, 29, TASK_TIME_TRIGGER_DAILY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteScheduledTask(kTaskName);
        RunDialog([&](CDialog& d) {
            SetPicker(d, IDC_START_DATE, c.year, c.month, c.day, 1, 2);   // its time of day plays no part
            SetPicker(d, IDC_START_TIME, 2001, 1, 1, 18, 25);             // nor the time's date
            SetPicker(d, IDC_END_DATE, 2033, 12, 31);
            Click(d, c.radio);
            Click(d, IDC_START_TASK);
        });
        const StoredTask stored = ReadStoredTask(kTaskName);
        ASSERT_EQ(S_OK, stored.activated);
        const TASK_TRIGGER& t = stored.trigger;
        EXPECT_EQ(c.type, t.TriggerType);
        EXPECT_EQ(c.year, t.wBeginYear);
        EXPECT_EQ(c.month, t.wBeginMonth);
        EXPECT_EQ(c.day, t.wBeginDay);
        EXPECT_EQ(18, t.wStartHour);
        EXPECT_EQ(25, t.wStartMinute);
        EXPECT_EQ(2033, t.wEndYear);
        EXPECT_EQ(12, t.wEndMonth);
        EXPECT_EQ(31, t.wEndDay);
        if (c.type == TASK_TIME_TRIGGER_WEEKLY) {
            EXPECT_EQ(TASK_WEDNESDAY, t.Type.Weekly.rgfDaysOfTheWeek);
        }
        if (c.type == TASK_TIME_TRIGGER_MONTHLYDATE) {
            EXPECT_EQ(1u << 14, t.Type.MonthlyDate.rgfDays);
            EXPECT_EQ(0xFFF, t.Type.MonthlyDate.rgfMonths);
        }
    }
}

TEST_F(SchedulerDialog, StartTaskWhileTheTaskExistsRefusesAndChangesNothing)
{
    StoreTaskDirectly();
    const StoredTask before = ReadStoredTask(kTaskName);
    ASSERT_EQ(S_OK, before.activated);
    RunDialog([&](CDialog& d) {
        Click(d, IDC_START_TASK);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_START_TASK)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_STOP_TASK)));
    });
    ExpectOneBox(m_boxes, kStartFailed, MB_ICONEXCLAMATION);
    const StoredTask after = ReadStoredTask(kTaskName);
    ASSERT_EQ(S_OK, after.activated);
    EXPECT_EQ(0, std::memcmp(&before.trigger, &after.trigger, sizeof(TASK_TRIGGER)));
    EXPECT_EQ(L"C:\\Elsewhere\\Other.exe", after.application);
}

TEST_F(SchedulerDialog, StopTaskRemovesTheTaskAndDisablesItself)
{
    StoreTaskDirectly();
    RunDialog([&](CDialog& d) {
        Click(d, IDC_STOP_TASK);
        EXPECT_FALSE(TaskExists());
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_STOP_TASK)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_START_TASK)));
        // Starting again leaves Stop Task disabled until the next run of the program.
        Click(d, IDC_START_TASK);
        EXPECT_TRUE(TaskExists());
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_STOP_TASK)));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_START_TASK)));
    });
    ASSERT_EQ(2u, m_boxes.shown.size());
    EXPECT_EQ(kStopped, m_boxes.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), m_boxes.shown[0].type);
    EXPECT_EQ(kStarted, m_boxes.shown[1].text);
}

TEST_F(SchedulerDialog, StopTaskWithoutATaskReportsItAndKeepsTheButtons)
{
    RunDialog([&](CDialog& d) {
        Click(d, IDC_STOP_TASK);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_STOP_TASK)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_START_TASK)));
    });
    ExpectOneBox(m_boxes, kStopFailed, MB_ICONEXCLAMATION);
    EXPECT_FALSE(TaskExists());
}

// A memory surface of the dialog's outer size, filled with a sentinel colour.
class Surface {
public:
    Surface(HWND window)
    {
        RECT outer;
        ::GetWindowRect(window, &outer);
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
        HDC screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        m_previous = ::SelectObject(dc, m_bitmap);
        const RECT all = {0, 0, width, height};
        ::SetBkColor(dc, RGB(0xde, 0xad, 0xbe));
        ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }
    ~Surface()
    {
        ::SelectObject(dc, m_previous);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(dc);
    }
    HDC dc;
    int width;
    int height;

private:
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

TEST_F(SchedulerDialog, BackgroundIsTiledWithTheProgramPicture)
{
    RunDialog([&](CDialog& d) {
        Surface surface(d);
        EXPECT_NE(0, d.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.dc)));

        HDC tileDC = ::CreateCompatibleDC(surface.dc);
        const HGDIOBJ previous = ::SelectObject(tileDC, theApp.m_background.GetSafeHandle());
        const POINT probes[] = {{0, 0}, {3, 5}, {216, 179}, {217, 0}, {230, 190}, {surface.width - 1, surface.height - 1}};
        for (const POINT& p : probes) {
            SCOPED_TRACE(testing::Message() << "(" << p.x << ", " << p.y << ")");
            EXPECT_EQ(::GetPixel(tileDC, p.x % 217, p.y % 180), ::GetPixel(surface.dc, p.x, p.y));
        }
        ::SelectObject(tileDC, previous);
        ::DeleteDC(tileDC);
        SaveScreenshot(d, "ordavel");
    });
}

TEST_F(SchedulerDialog, LabelsAreYellowOnTheTilesAndFrequencyOnDarkBlue)
{
    RunDialog([&](CDialog& d) {
        Surface surface(d);
        HWND label = nullptr;
        for (HWND child = ::GetWindow(d, GW_CHILD); child && !label; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char text[64] = "";
            ::GetWindowTextA(child, text, sizeof(text));
            if (lstrcmpA(text, "S&tarting date:") == 0)
                label = child;
        }
        ASSERT_NE(nullptr, label);

        ::SetTextColor(surface.dc, 0xdeadbe);
        LRESULT brush = d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(surface.dc), reinterpret_cast<LPARAM>(label));
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH)), brush);
        EXPECT_EQ(kYellow, ::GetTextColor(surface.dc));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(surface.dc));

        const HWND group = ::GetDlgItem(d, IDC_FREQUENCY_GROUP);
        for (UINT request : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN}) {
            SCOPED_TRACE(request);
            ::SetTextColor(surface.dc, 0xdeadbe);
            ::SetBkMode(surface.dc, TRANSPARENT);
            d.SendMessage(request, reinterpret_cast<WPARAM>(surface.dc), reinterpret_cast<LPARAM>(group));
            EXPECT_EQ(kYellow, ::GetTextColor(surface.dc));
            EXPECT_EQ(OPAQUE, ::GetBkMode(surface.dc));
            EXPECT_EQ(RGB(0, 0, 90), ::GetBkColor(surface.dc));
        }

        // A push button's request keeps the default colours.
        ::SetTextColor(surface.dc, 0xdeadbe);
        brush = d.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(surface.dc),
                              reinterpret_cast<LPARAM>(::GetDlgItem(d, IDC_START_TASK)));
        EXPECT_NE(reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH)), brush);
        EXPECT_NE(kYellow, ::GetTextColor(surface.dc));
    });
}

// ---------------------------------------------------------------------------------------------
// Ordavel.EXE itself, from "C:\Program Files\Dustora\"

constexpr DWORD kStartTimeoutMs = 20000;

HWND FindMessageBox(DWORD processId, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : TopLevelWindows(processId)) {
            char caption[64] = "";
            ::GetWindowTextA(window, caption, sizeof(caption));
            if (lstrcmpA(caption, "Ordavel") == 0 && ::IsWindowVisible(window))
                return window;
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

// The text of a message box: its one static control that says more than nothing.
std::string MessageBoxText(HWND box)
{
    std::string found;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        ::GetClassNameA(child, className, sizeof(className));
        char text[512] = "";
        ::GetWindowTextA(child, text, sizeof(text));
        if (lstrcmpiA(className, "Static") == 0 && *text)
            found = text;
    }
    return found;
}

// The screen under window, as a 24-bit bottom-up picture file.
BOOL SaveWindowPicture(HWND window, const char* path, std::vector<COLORREF>& pixels)
{
    RECT outer;
    ::GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
    ::SelectObject(memory, previous);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height);
    ::GetDIBits(memory, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    pixels.clear();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const BYTE* p = &bits[static_cast<size_t>(y) * stride + x * 3];
            pixels.push_back(RGB(p[2], p[1], p[0]));
        }

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    HANDLE out = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = ::WriteFile(out, &file, sizeof(file), &written, nullptr);
    ok = ok && ::WriteFile(out, &header, sizeof(header), &written, nullptr);
    ok = ok && ::WriteFile(out, bits.data(), static_cast<DWORD>(bits.size()), &written, nullptr);
    ::CloseHandle(out);
    return ok;
}

class OrdavelProgram : public SchedulerDialog {};

// The picture lands in the sandbox's drive C:, <build>/sandbox/run/prefix/drive_c/ordavel-dialog.bmp.
TEST_F(OrdavelProgram, StartTaskStoresTheCleanerOfTheProgramFolder)
{
    SandboxProcess ordavel;
    ASSERT_TRUE(ordavel.Start("Ordavel.EXE", ""));
    const HWND dialog = ordavel.WaitForWindow(kTitle, kStartTimeoutMs);
    ASSERT_NE(nullptr, dialog);
    // The picture is read off the screen: other tests' windows must not cover the dialog, and on a
    // loaded machine the other process may take a few seconds to paint it there.
    ::SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(dialog);
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    size_t yellow = 0;
    for (int look = 0; look < 10 && yellow <= 100; ++look) {
        ::Sleep(500);
        std::vector<COLORREF> pixels;
        EXPECT_TRUE(SaveWindowPicture(dialog, "C:\\ordavel-dialog.bmp", pixels));
        yellow = static_cast<size_t>(std::count(pixels.begin(), pixels.end(), kYellow));
    }
    EXPECT_GT(yellow, 100u) << "the labels' yellow text is not on the screen";

    const HWND startButton = ::GetDlgItem(dialog, IDC_START_TASK);
    ::PostMessageA(startButton, BM_CLICK, 0, 0);
    const HWND box = FindMessageBox(ordavel.Id(), 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(kStarted, MessageBoxText(box));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(startButton); }));

    const StoredTask stored = ReadStoredTask(kTaskName);
    ASSERT_EQ(S_OK, stored.activated);
    EXPECT_EQ(L"C:\\Program Files\\Dustora\\Dustora.exe", stored.application);
    EXPECT_EQ(L"/start", stored.parameters);

    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ordavel.WaitForExit(10000));
    EXPECT_EQ(0u, ordavel.ExitCode());
}

}  // namespace
