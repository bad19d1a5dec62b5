// The pure part of storing a scheduled task: how often it runs, the trigger record that says so,
// and the work-item flags for the running system. Nothing here talks to the Task Scheduler.
//   ScheduleFrequency   the frequency codes of the scheduler dialog
//   BuildTaskTrigger    start, end date and frequency -> TASK_TRIGGER
//   WeekdayFlag         TASK_SUNDAY .. TASK_SATURDAY for a date
//   MonthDayFlag        the rgfDays bit of a day of the month
//   TaskFlagsForVersion the flag word for a GetVersion() result
#pragma once

#include <windows.h>

#include <mstask.h>

enum ScheduleFrequency {
    ScheduleOnce = 1,
    ScheduleDaily = 2,
    ScheduleWeekly = 3,
    ScheduleMonthly = 4,
};

// Every month of the year, TASK_JANUARY to TASK_DECEMBER.
constexpr WORD kAllMonths = 0xFFF;

// The one trigger of a task that first fires on start's date at start's hour and minute and,
// when endDate's year is not 0, stops after endDate's day.
TASK_TRIGGER BuildTaskTrigger(const SYSTEMTIME& start, const SYSTEMTIME& endDate, int frequency);

// The flag of the local weekday of date's year, month and day; its wDayOfWeek is not trusted.
// 0 when the date cannot be converted.
WORD WeekdayFlag(const SYSTEMTIME& date);

// 1 shifted left by (day - 1); 0 for a day outside 1 to 31.
DWORD MonthDayFlag(WORD day);

// Battery flags everywhere; on the NT family (top bit of version clear) the task also runs
// interactively, which Windows 95 and 98 do not know.
DWORD TaskFlagsForVersion(DWORD version);
