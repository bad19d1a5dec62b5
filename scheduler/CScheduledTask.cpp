#include "scheduler/CScheduledTask.h"

#include "framework/CComInterface.h"

#include <vector>

namespace {

// The published identities of Task Scheduler 1.0, spelled out so no import library must carry them.
const CLSID kClsidTaskScheduler = {0x148BD52A, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const CLSID kClsidTask = {0x148BD520, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID kIidTaskScheduler = {0x148BD527, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID kIidTask = {0x148BD524, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
const IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The service takes UTF-16 text; the program's strings are in the ANSI code page.
// An ANSI character never becomes more than one UTF-16 unit.
class CWideText {
public:
    explicit CWideText(const char* text) : m_text(lstrlenA(text) + 1, L'\0')
    {
        MultiByteToWideChar(CP_ACP, 0, text, -1, m_text.data(), static_cast<int>(m_text.size()));
    }
    const WCHAR* Get() const { return m_text.data(); }

private:
    std::vector<WCHAR> m_text;
};

HRESULT CreateScheduler(CComInterface<ITaskScheduler>& scheduler)
{
    return CoCreateInstance(kClsidTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, kIidTaskScheduler,
                            scheduler.ReceiveVoid());
}

bool TaskExists(ITaskScheduler* scheduler, const CWideText& name)
{
    CComInterface<ITask> existing;
    return SUCCEEDED(scheduler->Activate(name.Get(), kIidTask, existing.ReceiveUnknown()));
}

HRESULT CreateWorkItem(ITaskScheduler* scheduler, const CWideText& name, CComInterface<ITask>& task)
{
    CComInterface<IUnknown> item;
    const HRESULT hr = scheduler->NewWorkItem(name.Get(), kClsidTask, kIidTask, item.Receive());
    if (FAILED(hr))
        return hr;
    return item->QueryInterface(kIidTask, task.ReceiveVoid());
}

void ClearSystemTime(SYSTEMTIME& time)
{
    ZeroMemory(&time, sizeof(time));
}

}  // namespace

CScheduledTask::CScheduledTask()
{
    Clear();
}

void CScheduledTask::Clear()
{
    ClearSystemTime(m_start);
    ClearSystemTime(m_endDate);
    m_frequency = 0;
    m_applicationName.Empty();
    m_parameters.Empty();
    m_workingDirectory.Empty();
    m_comment.Empty();
}

void CScheduledTask::SetStartTime(const SYSTEMTIME& st)
{
    m_start = st;
    m_start.wSecond = 0;
    m_start.wMilliseconds = 0;
}

void CScheduledTask::SetEndDate(std::time_t endDate)
{
    ClearSystemTime(m_endDate);
    const std::tm* local = std::localtime(&endDate);
    if (!local)
        return;
    m_endDate.wYear = static_cast<WORD>(local->tm_year + 1900);
    m_endDate.wMonth = static_cast<WORD>(local->tm_mon + 1);
    m_endDate.wDay = static_cast<WORD>(local->tm_mday);
}

HRESULT CScheduledTask::DescribeTask(ITask* task) const
{
    HRESULT hr = task->SetApplicationName(CWideText(m_applicationName).Get());
    if (FAILED(hr))
        return hr;
    if (!m_parameters.IsEmpty()) {
        hr = task->SetParameters(CWideText(m_parameters).Get());
        if (FAILED(hr))
            return hr;
    }
    if (!m_workingDirectory.IsEmpty()) {
        hr = task->SetWorkingDirectory(CWideText(m_workingDirectory).Get());
        if (FAILED(hr))
            return hr;
    }
    if (!m_comment.IsEmpty()) {
        hr = task->SetComment(CWideText(m_comment).Get());
        if (FAILED(hr))
            return hr;
    }
    return task->SetFlags(TaskFlagsForVersion(GetVersion()));
}

HRESULT CScheduledTask::Save(const char* taskName)
{
    if (m_start.wYear == 0 || !taskName || !*taskName || m_applicationName.IsEmpty())
        return E_FAIL;
    const CWideText name(taskName);

    // Declared in the reverse of the order they are released in.
    CComInterface<ITaskScheduler> scheduler;
    CComInterface<ITask> task;
    CComInterface<ITaskTrigger> trigger;
    CComInterface<IPersistFile> persistFile;

    HRESULT hr = CreateScheduler(scheduler);
    if (FAILED(hr))
        return hr;
    if (TaskExists(scheduler.Get(), name))
        return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
    hr = CreateWorkItem(scheduler.Get(), name, task);
    if (FAILED(hr))
        return hr;
    hr = DescribeTask(task.Get());
    if (FAILED(hr))
        return hr;

    WORD triggerIndex = 0;
    hr = task->CreateTrigger(&triggerIndex, trigger.Receive());
    if (FAILED(hr))
        return hr;
    TASK_TRIGGER record = BuildTaskTrigger(m_start, m_endDate, m_frequency);
    hr = trigger->SetTrigger(&record);
    if (FAILED(hr))
        return hr;

    // Only this stores the task, under the name given to NewWorkItem.
    hr = task->QueryInterface(kIidPersistFile, persistFile.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    return persistFile->Save(nullptr, FALSE);
}

HRESULT DeleteScheduledTask(const char* taskName)
{
    if (!taskName || !*taskName)
        return E_FAIL;
    CComInterface<ITaskScheduler> scheduler;
    const HRESULT hr = CreateScheduler(scheduler);
    if (FAILED(hr))
        return hr;
    return scheduler->Delete(CWideText(taskName).Get());
}
