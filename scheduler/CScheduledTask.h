// The description of the one task the scheduler stores, and its removal:
//   CScheduledTask       start, end date, frequency and program of a task; Save stores it
//   DeleteScheduledTask  removes a stored task by name
// Both talk to the Task Scheduler 1.0 service, which the calling thread must have initialised
// COM for, and return its result codes; neither shows a message.
#pragma once

#include "framework/CString.h"
#include "scheduler/TaskTriggerMapping.h"

#include <windows.h>

#include <ctime>

class CScheduledTask {
public:
    CScheduledTask();
    virtual ~CScheduledTask() = default;

    // The date of the first run and the time of day of every run; seconds are dropped.
    void SetStartTime(const SYSTEMTIME& st);
    // The last day on which the task runs, in local time.
    void SetEndDate(std::time_t endDate);
    void SetFrequency(int frequency) { m_frequency = frequency; }
    void SetApplicationName(const char* applicationName) { m_applicationName = applicationName; }
    void SetParameters(const char* parameters) { m_parameters = parameters; }
    void SetWorkingDirectory(const char* workingDirectory) { m_workingDirectory = workingDirectory; }
    void SetComment(const char* comment) { m_comment = comment; }
    void Clear();

    const SYSTEMTIME& GetStartTime() const { return m_start; }
    const SYSTEMTIME& GetEndDate() const { return m_endDate; }
    int GetFrequency() const { return m_frequency; }

    // Stores a new task named taskName with one trigger. A task of that name that exists already
    // is left as it is and gives HRESULT_FROM_WIN32(ERROR_FILE_EXISTS); a description without
    // start year or program, or an empty name, gives E_FAIL before the service is asked.
    HRESULT Save(const char* taskName);

private:
    HRESULT DescribeTask(ITask* task) const;

    SYSTEMTIME m_start;
    SYSTEMTIME m_endDate;
    int m_frequency;
    CString m_applicationName;
    CString m_parameters;
    CString m_workingDirectory;
    CString m_comment;
};

// Removes the stored task taskName; the service's own result, or E_FAIL for an empty name.
HRESULT DeleteScheduledTask(const char* taskName);
