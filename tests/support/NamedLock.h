// NamedLock: holds a named mutex of the sandbox prefix while it lives. ctest runs each test in
// a process of its own, so tests that share one registry key or folder take turns through it.
#pragma once

#include <windows.h>

class NamedLock {
public:
    explicit NamedLock(const char* name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

private:
    HANDLE m_mutex = nullptr;
    bool m_held = false;
};
