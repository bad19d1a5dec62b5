// CComInterface: owns one reference to a COM interface and releases it when it goes out of scope.
#pragma once

#include <objbase.h>

template <class T>
class CComInterface {
public:
    CComInterface() = default;
    ~CComInterface() { Release(); }
    CComInterface(const CComInterface&) = delete;
    CComInterface& operator=(const CComInterface&) = delete;

    T* Get() const { return m_interface; }
    T* operator->() const { return m_interface; }
    explicit operator bool() const { return m_interface != nullptr; }

    // The place where a call stores a new reference; a reference held before is released first.
    T** Receive()
    {
        Release();
        return &m_interface;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // For calls that hand out an IUnknown** (ITaskScheduler::Activate and NewWorkItem).
    IUnknown** ReceiveUnknown() { return reinterpret_cast<IUnknown**>(Receive()); }

    void Release()
    {
        if (m_interface) {
            m_interface->Release();
            m_interface = nullptr;
        }
    }

private:
    T* m_interface = nullptr;
};
