#include "Win32Threads.h"

#if !defined(_GLIBCXX_HAS_GTHREADS)

#include <windows.h>
#include <process.h>

#include <system_error>

namespace dustora_threads {

void* Start(unsigned (__stdcall* run)(void*), void* argument)
{
    const uintptr_t handle = _beginthreadex(nullptr, 0, run, argument, 0, nullptr);
    if (handle == 0)
        throw std::system_error(errno, std::generic_category(), "_beginthreadex");
    return reinterpret_cast<void*>(handle);
}

void Join(void* handle)
{
    if (handle == nullptr || ::WaitForSingleObject(handle, INFINITE) != WAIT_OBJECT_0)
        throw std::system_error(std::make_error_code(std::errc::invalid_argument), "thread::join");
    ::CloseHandle(handle);
}

void Close(void* handle)
{
    if (handle == nullptr)
        throw std::system_error(std::make_error_code(std::errc::invalid_argument), "thread::detach");
    ::CloseHandle(handle);
}

}  // namespace dustora_threads

namespace testing::internal {

Notification::Notification() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
Notification::~Notification() { ::CloseHandle(m_event); }
void Notification::Notify() { ::SetEvent(m_event); }
void Notification::WaitForNotification() { ::WaitForSingleObject(m_event, INFINITE); }

}  // namespace testing::internal

#endif
