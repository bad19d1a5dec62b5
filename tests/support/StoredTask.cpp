#include "support/StoredTask.h"

#include "framework/CComInterface.h"

#include <cstring>

namespace {

std::wstring TakeText(LPWSTR text)
{
    std::wstring result = text ? text : L"<null>";
    CoTaskMemFree(text);
    return result;
}

}  // namespace

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

StoredTask ReadStoredTask(const std::string& name)
{
    StoredTask stored;
    std::memset(&stored.trigger, 0xcf, sizeof(stored.trigger));
    CComInterface<ITaskScheduler> scheduler;
    stored.activated = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                        scheduler.ReceiveVoid());
    if (FAILED(stored.activated))
        return stored;
    CComInterface<ITask> task;
    stored.activated = scheduler->Activate(Wide(name).c_str(), IID_ITask, task.ReceiveUnknown());
    if (FAILED(stored.activated))
        return stored;
    task->GetTriggerCount(&stored.triggerCount);
    CComInterface<ITaskTrigger> trigger;
    if (SUCCEEDED(task->GetTrigger(0, trigger.Receive())))
        trigger->GetTrigger(&stored.trigger);
    task->GetFlags(&stored.flags);
    LPWSTR text = nullptr;
    if (SUCCEEDED(task->GetApplicationName(&text)))
        stored.application = TakeText(text);
    if (SUCCEEDED(task->GetParameters(&text)))
        stored.parameters = TakeText(text);
    if (SUCCEEDED(task->GetWorkingDirectory(&text)))
        stored.workingDirectory = TakeText(text);
    if (SUCCEEDED(task->GetComment(&text)))
        stored.comment = TakeText(text);
    return stored;
}
