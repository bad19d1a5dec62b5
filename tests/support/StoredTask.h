// StoredTask / ReadStoredTask: a Task Scheduler task as the service keeps it, read back through
// the service's own interfaces, independent of the code that stored it. The calling thread must
// have initialised COM.
#pragma once

#include <windows.h>

#include <mstask.h>

#include <string>

struct StoredTask {
    HRESULT activated = E_UNEXPECTED;   // Activate's answer: negative when there is no such task
    WORD triggerCount = 0xdead;
    TASK_TRIGGER trigger;               // 0xcf bytes when not read
    DWORD flags = 0xdeadbeef;
    std::wstring application;
    std::wstring parameters;
    std::wstring workingDirectory;
    std::wstring comment;
};

StoredTask ReadStoredTask(const std::string& name);

// Plain ASCII text as UTF-16, for comparing with what the service hands back.
std::wstring Wide(const std::string& text);
