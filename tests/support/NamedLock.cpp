#include "support/NamedLock.h"

#include <gtest/gtest.h>

NamedLock::NamedLock(const char* name) : m_mutex(::CreateMutexA(nullptr, FALSE, name))
{
    EXPECT_NE(nullptr, m_mutex) << name << ": " << ::GetLastError();
    if (!m_mutex)
        return;
    // An abandoned mutex (its holder died) is ours all the same.
    const DWORD waited = ::WaitForSingleObject(m_mutex, 60000);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    EXPECT_TRUE(m_held) << name << ": wait gave " << waited;
}

NamedLock::~NamedLock()
{
    if (m_held)
        ::ReleaseMutex(m_mutex);
    if (m_mutex)
        ::CloseHandle(m_mutex);
}
