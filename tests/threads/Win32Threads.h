// The little of std::thread and GoogleTest's Notification that the tests need, for compilers
// whose thread model has no C++11 threads (MinGW-w64's win32 model before GCC 13): the shipped
// programs are built with that model, so that they import nothing newer than Windows 2000, and
// the tests are built with the same compiler. Only the tests and GoogleTest include this file
// (CMake puts it in front of every source of theirs); the programs never see it.
#pragma once

#include <exception>
#include <memory>
#include <type_traits>
#include <utility>

#if !defined(_GLIBCXX_HAS_GTHREADS)

// GCC's <thread> declares, for this model, a std::thread that cannot start a thread: the class
// below stands in for it, and the include guards keep GCC's out.
#define _GLIBCXX_THREAD 1
#define _GLIBCXX_THREAD_H 1

namespace dustora_threads {
// Starts run(argument) on a new thread and returns its handle; throws std::system_error when
// Windows cannot start it.
void* Start(unsigned (__stdcall* run)(void*), void* argument);
void Join(void* handle);
void Close(void* handle);
}  // namespace dustora_threads

namespace std {

class thread {
public:
    thread() noexcept = default;
    template <class Function, class = enable_if_t<!is_same_v<decay_t<Function>, thread>>>
    explicit thread(Function&& function)
    {
        auto owned = make_unique<decay_t<Function>>(std::forward<Function>(function));
        m_handle = dustora_threads::Start(&Run<decay_t<Function>>, owned.get());
        owned.release();
    }
    thread(thread&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    thread& operator=(thread&& other) noexcept
    {
        if (joinable())
            std::terminate();
        m_handle = std::exchange(other.m_handle, nullptr);
        return *this;
    }
    ~thread()
    {
        if (joinable())
            std::terminate();
    }

    bool joinable() const noexcept { return m_handle != nullptr; }
    void join() { dustora_threads::Join(std::exchange(m_handle, nullptr)); }
    void detach() { dustora_threads::Close(std::exchange(m_handle, nullptr)); }

private:
    template <class Function>
    static unsigned __stdcall Run(void* argument)
    {
        unique_ptr<Function> function(static_cast<Function*>(argument));
        (*function)();
        return 0;
    }

    void* m_handle = nullptr;
};

}  // namespace std

// GoogleTest's own Notification is written with std::mutex; this one waits on an event.
#define GTEST_HAS_NOTIFICATION_ 1
namespace testing::internal {
class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify();
    void WaitForNotification();

private:
    void* m_event;
};
}  // namespace testing::internal

#endif
