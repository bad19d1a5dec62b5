#include "scheduler/TaskTriggerMapping.h"

#include "framework/CDateTimeCtrl.h"

#include <ctime>

// The service checks cbTriggerSize against the record it knows.
static_assert(sizeof(TASK_TRIGGER) == 48, "TASK_TRIGGER layout");

namespace {

const WORD kWeekdayFlags[7] = {
    TASK_SUNDAY, TASK_MONDAY, TASK_TUESDAY, TASK_WEDNESDAY, TASK_THURSDAY, TASK_FRIDAY, TASK_SATURDAY,
};

void SetFrequency(TASK_TRIGGER& trigger, const SYSTEMTIME& start, int frequency)
{
    switch (frequency) {
    case ScheduleOnce:
        trigger.TriggerType = TASK_TIME_TRIGGER_ONCE;
        break;
    case ScheduleDaily:
        trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
        trigger.Type.Daily.DaysInterval = 1;
        break;
    case ScheduleWeekly:
        trigger.TriggerType = TASK_TIME_TRIGGER_WEEKLY;
        trigger.Type.Weekly.WeeksInterval = 1;
        trigger.Type.Weekly.rgfDaysOfTheWeek = WeekdayFlag(start);
        break;
    case ScheduleMonthly:
        trigger.TriggerType = TASK_TIME_TRIGGER_MONTHLYDATE;
        trigger.Type.MonthlyDate.rgfDays = MonthDayFlag(start.wDay);
        trigger.Type.MonthlyDate.rgfMonths = kAllMonths;
        break;
    default:
        break;
    }
}

}  // namespace

TASK_TRIGGER BuildTaskTrigger(const SYSTEMTIME& start, const SYSTEMTIME& endDate, int frequency)
{
    TASK_TRIGGER trigger{};
    trigger.cbTriggerSize = sizeof(TASK_TRIGGER);
    trigger.wBeginYear = start.wYear;
    trigger.wBeginMonth = start.wMonth;
    trigger.wBeginDay = start.wDay;
    trigger.wStartHour = start.wHour;
    trigger.wStartMinute = start.wMinute;
    if (endDate.wYear != 0) {
        trigger.rgFlags = TASK_TRIGGER_FLAG_HAS_END_DATE;
        trigger.wEndYear = endDate.wYear;
        trigger.wEndMonth = endDate.wMonth;
        trigger.wEndDay = endDate.wDay;
    }
    SetFrequency(trigger, start, frequency);
    return trigger;
}

WORD WeekdayFlag(const SYSTEMTIME& date)
{
    std::time_t calendar = 0;
    if (!SystemTimeToCalendarTime(date, calendar))
        return 0;
    const std::tm* local = std::localtime(&calendar);
    if (!local || local->tm_wday < 0 || local->tm_wday > 6)
        return 0;
    return kWeekdayFlags[local->tm_wday];
}

DWORD MonthDayFlag(WORD day)
{
    if (day < 1 || day > 31)
        return 0;
    return DWORD{1} << (day - 1);
}

DWORD TaskFlagsForVersion(DWORD version)
{
    DWORD flags = TASK_FLAG_DONT_START_IF_ON_BATTERIES | TASK_FLAG_KILL_IF_GOING_ON_BATTERIES;
    const bool windows9x = (version & 0x80000000u) != 0;
    if (!windows9x)
        flags |= TASK_FLAG_INTERACTIVE;
    return flags;
}
