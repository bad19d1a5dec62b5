#include "CDateTimeCtrl.h"

BOOL CDateTimeCtrl::SetTime(std::time_t time)
{
    SYSTEMTIME systemTime;
    return CalendarTimeToSystemTime(time, systemTime) && SetTime(&systemTime);
}

BOOL CalendarTimeToSystemTime(std::time_t time, SYSTEMTIME& systemTime)
{
    const std::tm* local = std::localtime(&time);
    if (!local)
        return FALSE;
    systemTime.wYear = static_cast<WORD>(local->tm_year + 1900);
    systemTime.wMonth = static_cast<WORD>(local->tm_mon + 1);
    systemTime.wDayOfWeek = static_cast<WORD>(local->tm_wday);
    systemTime.wDay = static_cast<WORD>(local->tm_mday);
    systemTime.wHour = static_cast<WORD>(local->tm_hour);
    systemTime.wMinute = static_cast<WORD>(local->tm_min);
    systemTime.wSecond = static_cast<WORD>(local->tm_sec);
    systemTime.wMilliseconds = 0;
    return TRUE;
}

BOOL SystemTimeToCalendarTime(const SYSTEMTIME& systemTime, std::time_t& time)
{
    std::tm local{};
    local.tm_year = systemTime.wYear - 1900;
    local.tm_mon = systemTime.wMonth - 1;
    local.tm_mday = systemTime.wDay;
    local.tm_hour = systemTime.wHour;
    local.tm_min = systemTime.wMinute;
    local.tm_sec = systemTime.wSecond;
    local.tm_isdst = -1;
    const std::time_t converted = std::mktime(&local);
    if (converted == static_cast<std::time_t>(-1))
        return FALSE;
    time = converted;
    return TRUE;
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, std::time_t& value)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (pDX->Failed() || !control)
        return;
    SYSTEMTIME systemTime = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&systemTime)) == GDT_VALID)
            SystemTimeToCalendarTime(systemTime, value);
        return;
    }
    if (CalendarTimeToSystemTime(value, systemTime))
        ::SendMessageA(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&systemTime));
}

BOOL AfxInitDateTimeControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES};
    return ::InitCommonControlsEx(&controls);
}
