// SandboxProcess: one of the project's programs started in the sandbox from
// "C:\Program Files\Dustora\", inside a job object that ends it when this object goes.
// TopLevelWindows: the top-level windows of a process, found by its id.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <vector>

class SandboxProcess {
public:
    SandboxProcess() = default;
    ~SandboxProcess();
    SandboxProcess(const SandboxProcess&) = delete;
    SandboxProcess& operator=(const SandboxProcess&) = delete;

    // The full path of a program in the sandbox's program folder.
    static CString ProgramPath(const char* program);

    // Starts program with arguments (the text after the quoted program path, "" for none).
    BOOL Start(const char* program, const char* arguments);
    // TRUE when the process ended within timeoutMs.
    BOOL WaitForExit(DWORD timeoutMs) const;
    BOOL IsRunning() const { return !WaitForExit(0); }
    // TRUE when the process waits for input with nothing left to do, within timeoutMs.
    BOOL WaitForIdle(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    DWORD Id() const { return m_processId; }

    // Waits until the process has a top-level window with this title; nullptr after timeoutMs.
    HWND WaitForWindow(const char* title, DWORD timeoutMs) const;

private:
    HANDLE m_job = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

std::vector<HWND> TopLevelWindows(DWORD processId);
