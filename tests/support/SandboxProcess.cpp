#include "support/SandboxProcess.h"

SandboxProcess::~SandboxProcess()
{
    if (m_process)
        ::CloseHandle(m_process);
    if (m_job)
        ::CloseHandle(m_job);   // kills what is still running
}

CString SandboxProcess::ProgramPath(const char* program)
{
    return CString("C:\\Program Files\\Dustora\\") + program;
}

BOOL SandboxProcess::Start(const char* program, const char* arguments)
{
    if (m_process)
        return FALSE;
    m_job = ::CreateJobObjectA(nullptr, nullptr);
    if (!m_job)
        return FALSE;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!::SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        return FALSE;

    const CString path = ProgramPath(program);
    CString commandLine = CString("\"") + path + "\"";
    if (arguments && *arguments)
        commandLine += CString(" ") + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    char* writable = commandLine.GetBuffer(commandLine.GetLength());
    // Suspended until it is in the job, so nothing it does escapes the job.
    if (!::CreateProcessA(path, writable, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup, &info))
        return FALSE;
    ::AssignProcessToJobObject(m_job, info.hProcess);
    ::ResumeThread(info.hThread);
    ::CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
    return TRUE;
}

BOOL SandboxProcess::WaitForExit(DWORD timeoutMs) const
{
    return m_process && ::WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}

BOOL SandboxProcess::WaitForIdle(DWORD timeoutMs) const
{
    return m_process && ::WaitForInputIdle(m_process, timeoutMs) == 0;
}

DWORD SandboxProcess::ExitCode() const
{
    DWORD code = 0xdeadbeef;
    if (m_process)
        ::GetExitCodeProcess(m_process, &code);
    return code;
}

HWND SandboxProcess::WaitForWindow(const char* title, DWORD timeoutMs) const
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : TopLevelWindows(m_processId)) {
            char text[256] = "";
            ::GetWindowTextA(window, text, sizeof(text));
            if (lstrcmpA(text, title) == 0)
                return window;
        }
        if (WaitForExit(50))
            return nullptr;
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId)
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
