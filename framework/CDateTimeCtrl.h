// CDateTimeCtrl: a date-time picker of a dialog. The dialog owns the window.
// DDX_DateTimeCtrl: exchanges a picker with a calendar time value (std::time_t, read as local time).
// CalendarTimeToSystemTime / SystemTimeToCalendarTime: the conversions between the two.
// AfxInitDateTimeControls: registers the picker's window class before a template that holds one.
#pragma once

#include "CDataExchange.h"
#include "CWnd.h"

#include <commctrl.h>

#include <ctime>

class CDateTimeCtrl : public CWnd {
public:
    // GDT_VALID with the picker's value in *time; GDT_NONE when its tick box is clear.
    DWORD GetTime(SYSTEMTIME* time) const
    {
        return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(time)));
    }
    // Shows time (and ticks the box of a picker that has one); nullptr clears the box.
    BOOL SetTime(const SYSTEMTIME* time)
    {
        return static_cast<BOOL>(
            SendMessage(DTM_SETSYSTEMTIME, time ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(time)));
    }
    BOOL SetTime(std::time_t time);
    // The picker's display format, in the letters of the locale formats ("HH':'mm", "h:mm tt").
    BOOL SetFormat(const char* format)
    {
        return static_cast<BOOL>(SendMessage(DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format)));
    }
};

// The local broken-down form of time; FALSE when the platform cannot convert it.
BOOL CalendarTimeToSystemTime(std::time_t time, SYSTEMTIME& systemTime);
// The calendar time of a local date and time (daylight saving found by the platform); the
// day of week and milliseconds play no part. FALSE when it cannot be converted.
BOOL SystemTimeToCalendarTime(const SYSTEMTIME& systemTime, std::time_t& time);

// Saving takes the picker's value into value, and leaves value as it was when the picker holds
// no valid time (its tick box is clear). Loading shows value, ticking the box.
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, std::time_t& value);

BOOL AfxInitDateTimeControls();
