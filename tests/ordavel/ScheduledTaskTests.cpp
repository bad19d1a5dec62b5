// The scheduled task: the trigger record built from a description, and storing and removing
// tasks through the Task Scheduler service of the running system.
#include "framework/CComInterface.h"
#include "scheduler/CScheduledTask.h"
#include "scheduler/TaskTriggerMapping.h"
#include "support/StoredTask.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

namespace {

SYSTEMTIME Day(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

const SYSTEMTIME kNoEndDate{};

bool TypeUnionIsZero(const TASK_TRIGGER& trigger)
{
    static const TRIGGER_TYPE_UNION zero{};
    return std::memcmp(&trigger.Type, &zero, sizeof(zero)) == 0;
}

// ---------------------------------------------------------------------------------------------
// The trigger record and the flag word

struct WeekdayCase {
    const char* name;
    SYSTEMTIME date;
    WORD flag;
};

TEST(TriggerMapping, WeeklyRunsOnTheWeekdayOfTheStartDate)
{
    const WeekdayCase cases[] = {
        {"Sunday", Day(2024, 3, 3, 9, 30), TASK_SUNDAY},
        {"Monday", Day(2000, 1, 3), TASK_MONDAY},
        {"Tuesday, leap day", Day(2000, 2, 29), TASK_TUESDAY},
        {"Wednesday", Day(2024, 3, 6, 23, 59), TASK_WEDNESDAY},
        {"Thursday", Day(1999, 12, 30), TASK_THURSDAY},
        {"Friday", Day(1999, 12, 31, 12, 0), TASK_FRIDAY},
        {"Saturday", Day(2024, 3, 2), TASK_SATURDAY},
        {"Sunday of a clock change", Day(2024, 3, 31, 2, 30), TASK_SUNDAY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SYSTEMTIME start = c.date;
        start.wDayOfWeek = 5;   // a wrong weekday must not count
        const TASK_TRIGGER trigger = BuildTaskTrigger(start, kNoEndDate, ScheduleWeekly);
        EXPECT_EQ(TASK_TIME_TRIGGER_WEEKLY, trigger.TriggerType);
        EXPECT_EQ(1, trigger.Type.Weekly.WeeksInterval);
        EXPECT_EQ(c.flag, trigger.Type.Weekly.rgfDaysOfTheWeek);
    }
}

TEST(TriggerMapping, MonthlyRunsOnTheStartDayOfEveryMonth)
{
    const struct {
        WORD day;
        DWORD days;
    } cases[] = {
        {1, 0x00000001}, {2, 0x00000002}, {15, 0x00004000}, {28, 0x08000000}, {31, 0x40000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day);
        const TASK_TRIGGER trigger = BuildTaskTrigger(Day(2001, 1, c.day, 8, 0), kNoEndDate, ScheduleMonthly);
        EXPECT_EQ(TASK_TIME_TRIGGER_MONTHLYDATE, trigger.TriggerType);
        EXPECT_EQ(c.days, trigger.Type.MonthlyDate.rgfDays);
        EXPECT_EQ(0xFFF, trigger.Type.MonthlyDate.rgfMonths);
    }
}

TEST(TriggerMapping, DailyRecordCarriesTheStartAndNothingElse)
{
    const TASK_TRIGGER trigger = BuildTaskTrigger(Day(2003, 11, 27, 21, 45), kNoEndDate, ScheduleDaily);
    EXPECT_EQ(48, trigger.cbTriggerSize);
    EXPECT_EQ(2003, trigger.wBeginYear);
    EXPECT_EQ(11, trigger.wBeginMonth);
    EXPECT_EQ(27, trigger.wBeginDay);
    EXPECT_EQ(21, trigger.wStartHour);
    EXPECT_EQ(45, trigger.wStartMinute);
    EXPECT_EQ(TASK_TIME_TRIGGER_DAILY, trigger.TriggerType);
    EXPECT_EQ(1, trigger.Type.Daily.DaysInterval);
    EXPECT_EQ(0u, trigger.MinutesDuration);
    EXPECT_EQ(0u, trigger.MinutesInterval);
    EXPECT_EQ(0, trigger.wRandomMinutesInterval);
    EXPECT_EQ(0, trigger.Reserved1);
    EXPECT_EQ(0, trigger.Reserved2);
}

TEST(TriggerMapping, OnceLeavesTheUnionZeroButKeepsTheEndDate)
{
    const TASK_TRIGGER trigger = BuildTaskTrigger(Day(2002, 6, 15, 7, 5), Day(2002, 12, 31), ScheduleOnce);
    EXPECT_EQ(TASK_TIME_TRIGGER_ONCE, trigger.TriggerType);
    EXPECT_TRUE(TypeUnionIsZero(trigger));
    EXPECT_EQ(static_cast<DWORD>(TASK_TRIGGER_FLAG_HAS_END_DATE), trigger.rgFlags);
    EXPECT_EQ(2002, trigger.wEndYear);
    EXPECT_EQ(12, trigger.wEndMonth);
    EXPECT_EQ(31, trigger.wEndDay);
}

TEST(TriggerMapping, EndYearZeroMeansNoEndWhateverTheRestSays)
{
    SYSTEMTIME endDate{};
    endDate.wMonth = 5;
    endDate.wDay = 17;
    for (int frequency = ScheduleOnce; frequency <= ScheduleMonthly; ++frequency) {
        SCOPED_TRACE(frequency);
        const TASK_TRIGGER trigger = BuildTaskTrigger(Day(2002, 6, 15), endDate, frequency);
        EXPECT_EQ(0u, trigger.rgFlags);
        EXPECT_EQ(0, trigger.wEndYear);
        EXPECT_EQ(0, trigger.wEndMonth);
        EXPECT_EQ(0, trigger.wEndDay);
    }
}

TEST(TriggerMapping, FlagWordFollowsTheSystemFamily)
{
    const struct {
        const char* name;
        DWORD version;
        DWORD flags;
    } cases[] = {
        {"Windows 95", 0xC3B60004, 0xC0},
        {"Windows 98", 0xC0000A04, 0xC0},
        {"Windows NT 4", 0x05650004, 0xC1},
        {"Windows 2000", 0x08930005, 0xC1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.flags, TaskFlagsForVersion(c.version));
    }
}

// ---------------------------------------------------------------------------------------------
// The description object

TEST(ScheduledTaskDescription, StartTimeDropsSecondsOnly)
{
    SYSTEMTIME start = Day(2004, 2, 29, 13, 7);
    start.wDayOfWeek = 0;
    start.wSecond = 41;
    start.wMilliseconds = 999;
    CScheduledTask task;
    task.SetStartTime(start);
    const SYSTEMTIME& stored = task.GetStartTime();
    EXPECT_EQ(2004, stored.wYear);
    EXPECT_EQ(2, stored.wMonth);
    EXPECT_EQ(0, stored.wDayOfWeek);
    EXPECT_EQ(29, stored.wDay);
    EXPECT_EQ(13, stored.wHour);
    EXPECT_EQ(7, stored.wMinute);
    EXPECT_EQ(0, stored.wSecond);
    EXPECT_EQ(0, stored.wMilliseconds);
}

TEST(ScheduledTaskDescription, EndDateKeepsTheLocalDayOnly)
{
    std::tm local{};
    local.tm_year = 2001 - 1900;
    local.tm_mon = 6;
    local.tm_mday = 4;
    local.tm_hour = 23;
    local.tm_min = 59;
    local.tm_sec = 58;
    local.tm_isdst = -1;
    CScheduledTask task;
    task.SetEndDate(std::mktime(&local) + 7 * 24 * 3600);   // something to overwrite
    task.SetEndDate(std::mktime(&local));
    SYSTEMTIME expected{};
    expected.wYear = 2001;
    expected.wMonth = 7;
    expected.wDay = 4;
    EXPECT_EQ(0, std::memcmp(&expected, &task.GetEndDate(), sizeof(expected)));
}

TEST(ScheduledTaskDescription, ClearForgetsEverything)
{
    CScheduledTask task;
    task.SetStartTime(Day(2004, 2, 29, 13, 7));
    task.SetEndDate(std::time(nullptr));
    task.SetFrequency(ScheduleMonthly);
    task.SetApplicationName("C:\\Program Files\\Dustora\\Dustora.exe");
    task.Clear();
    const SYSTEMTIME zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &task.GetStartTime(), sizeof(zero)));
    EXPECT_EQ(0, std::memcmp(&zero, &task.GetEndDate(), sizeof(zero)));
    EXPECT_EQ(0, task.GetFrequency());
}

// ---------------------------------------------------------------------------------------------
// Refusals come before any COM object: on a thread without COM a call that reached the service
// would answer CO_E_NOTINITIALIZED instead of E_FAIL.

CScheduledTask CompleteTask()
{
    CScheduledTask task;
    task.SetStartTime(Day(2030, 5, 6, 10, 20));
    task.SetFrequency(ScheduleDaily);
    task.SetApplicationName("C:\\Program Files\\Dustora\\Dustora.exe");
    return task;
}

TEST(ScheduledTaskRefusals, IncompleteDescriptionsGiveEFail)
{
    CScheduledTask noYear = CompleteTask();
    SYSTEMTIME start = noYear.GetStartTime();
    start.wYear = 0;
    noYear.SetStartTime(start);
    EXPECT_EQ(E_FAIL, noYear.Save("Ordavel test - no year"));

    CScheduledTask noProgram = CompleteTask();
    noProgram.SetApplicationName("");
    EXPECT_EQ(E_FAIL, noProgram.Save("Ordavel test - no program"));

    CScheduledTask complete = CompleteTask();
    EXPECT_EQ(E_FAIL, complete.Save(""));
    EXPECT_EQ(E_FAIL, complete.Save(nullptr));

    EXPECT_EQ(E_FAIL, DeleteScheduledTask(""));
    EXPECT_EQ(E_FAIL, DeleteScheduledTask(nullptr));

    // The same complete task does reach COM, which is not there on this thread.
    EXPECT_EQ(CO_E_NOTINITIALIZED, complete.Save("Ordavel test - no COM"));
}

// ---------------------------------------------------------------------------------------------
// Against the system's Task Scheduler

class TaskScheduler : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        m_name = std::string("Ordavel test - ") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        DeleteScheduledTask(m_name.c_str());   // a leftover of an aborted run
    }
    void TearDown() override
    {
        DeleteScheduledTask(m_name.c_str());
        CoUninitialize();
    }

    std::string m_name;
};

TEST_F(TaskScheduler, SaveStoresTheDescribedTask)
{
    CScheduledTask task;
    task.SetStartTime(Day(2030, 7, 17, 18, 25));
    task.SetEndDate([] {
        std::tm end{};
        end.tm_year = 2031 - 1900;
        end.tm_mon = 0;
        end.tm_mday = 9;
        end.tm_hour = 12;
        end.tm_isdst = -1;
        return std::mktime(&end);
    }());
    task.SetFrequency(ScheduleWeekly);
    task.SetApplicationName("C:\\Program Files\\Dustora\\Dustora.exe");
    task.SetParameters("/start");
    task.SetComment("Dustora - Automatic Clean Schedule");

    ASSERT_EQ(S_OK, task.Save(m_name.c_str()));

    const StoredTask stored = ReadStoredTask(m_name);
    ASSERT_EQ(S_OK, stored.activated);
    EXPECT_EQ(1, stored.triggerCount);
    EXPECT_EQ(L"C:\\Program Files\\Dustora\\Dustora.exe", stored.application);
    EXPECT_EQ(L"/start", stored.parameters);
    EXPECT_EQ(L"", stored.workingDirectory);
    EXPECT_EQ(L"Dustora - Automatic Clean Schedule", stored.comment);
    EXPECT_EQ(TaskFlagsForVersion(GetVersion()), stored.flags & 0xFF);
    EXPECT_EQ(TASK_TIME_TRIGGER_WEEKLY, stored.trigger.TriggerType);
    EXPECT_EQ(TASK_WEDNESDAY, stored.trigger.Type.Weekly.rgfDaysOfTheWeek);
    EXPECT_EQ(2030, stored.trigger.wBeginYear);
    EXPECT_EQ(7, stored.trigger.wBeginMonth);
    EXPECT_EQ(17, stored.trigger.wBeginDay);
    EXPECT_EQ(18, stored.trigger.wStartHour);
    EXPECT_EQ(25, stored.trigger.wStartMinute);
    EXPECT_EQ(static_cast<DWORD>(TASK_TRIGGER_FLAG_HAS_END_DATE), stored.trigger.rgFlags & TASK_TRIGGER_FLAG_HAS_END_DATE);
    EXPECT_EQ(2031, stored.trigger.wEndYear);
    EXPECT_EQ(1, stored.trigger.wEndMonth);
    EXPECT_EQ(9, stored.trigger.wEndDay);
}

TEST_F(TaskScheduler, MonthlyTaskWithoutEndRunsOnItsDayOfEveryMonth)
{
    CScheduledTask task = CompleteTask();
    task.SetStartTime(Day(2030, 8, 15, 6, 0));
    task.SetFrequency(ScheduleMonthly);
    ASSERT_EQ(S_OK, task.Save(m_name.c_str()));

    const StoredTask stored = ReadStoredTask(m_name);
    ASSERT_EQ(S_OK, stored.activated);
    EXPECT_EQ(TASK_TIME_TRIGGER_MONTHLYDATE, stored.trigger.TriggerType);
    EXPECT_EQ(0x4000u, stored.trigger.Type.MonthlyDate.rgfDays);
    EXPECT_EQ(0xFFF, stored.trigger.Type.MonthlyDate.rgfMonths);
    EXPECT_EQ(0u, stored.trigger.rgFlags & TASK_TRIGGER_FLAG_HAS_END_DATE);
    EXPECT_EQ(L"", stored.parameters);
    EXPECT_EQ(L"", stored.comment);
}

TEST_F(TaskScheduler, SecondSaveOfTheSameNameLeavesTheStoredTaskAlone)
{
    CScheduledTask first = CompleteTask();
    first.SetStartTime(Day(2030, 3, 6, 9, 15));
    first.SetFrequency(ScheduleWeekly);
    first.SetComment("first");
    ASSERT_EQ(S_OK, first.Save(m_name.c_str()));
    const StoredTask before = ReadStoredTask(m_name);
    ASSERT_EQ(S_OK, before.activated);

    CScheduledTask second = CompleteTask();
    second.SetStartTime(Day(2031, 12, 31, 23, 50));
    second.SetFrequency(ScheduleMonthly);
    second.SetApplicationName("C:\\Other\\Other.exe");
    second.SetComment("second");
    EXPECT_EQ(static_cast<HRESULT>(0x80070050), second.Save(m_name.c_str()));

    const StoredTask after = ReadStoredTask(m_name);
    ASSERT_EQ(S_OK, after.activated);
    EXPECT_EQ(1, after.triggerCount);
    EXPECT_EQ(0, std::memcmp(&before.trigger, &after.trigger, sizeof(TASK_TRIGGER)));
    EXPECT_EQ(TASK_TIME_TRIGGER_WEEKLY, after.trigger.TriggerType);
    EXPECT_EQ(2030, after.trigger.wBeginYear);
    EXPECT_EQ(before.application, after.application);
    EXPECT_EQ(L"first", after.comment);
}

TEST_F(TaskScheduler, DeleteRemovesTheTaskAndThenPassesTheServiceRefusalOn)
{
    ASSERT_EQ(S_OK, CompleteTask().Save(m_name.c_str()));
    ASSERT_EQ(S_OK, ReadStoredTask(m_name).activated);

    EXPECT_EQ(S_OK, DeleteScheduledTask(m_name.c_str()));
    const HRESULT missing = ReadStoredTask(m_name).activated;
    EXPECT_LT(missing, 0);

    // The service's own answer for a missing task, asked directly.
    CComInterface<ITaskScheduler> scheduler;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                     scheduler.ReceiveVoid()));
    const HRESULT serviceAnswer = scheduler->Delete(Wide(m_name).c_str());
    EXPECT_LT(serviceAnswer, 0);
    EXPECT_EQ(serviceAnswer, DeleteScheduledTask(m_name.c_str()));
}

TEST_F(TaskScheduler, RefusedDescriptionStoresNothing)
{
    CScheduledTask task = CompleteTask();
    task.SetApplicationName("");
    EXPECT_EQ(E_FAIL, task.Save(m_name.c_str()));
    EXPECT_LT(ReadStoredTask(m_name).activated, 0);
}

}  // namespace
