#include "AfxOle.h"

#include <ole2.h>

#include <cstdlib>

namespace {

// How many times OleInitialize succeeded on each thread, in a thread slot of its own. (A
// thread_local with a destructor would do, but the runtime's thread-exit support for it imports a
// function that Windows 2000 lacks.)
const DWORD g_oleCountSlot = ::TlsAlloc();

void UninitialiseThisThread()
{
    if (g_oleCountSlot == TLS_OUT_OF_INDEXES)
        return;
    for (auto count = reinterpret_cast<UINT_PTR>(::TlsGetValue(g_oleCountSlot)); count > 0; --count)
        ::OleUninitialize();
    ::TlsSetValue(g_oleCountSlot, nullptr);
}

// Windows calls the program's TLS callbacks for every thread that ends; MinGW-w64's start-up
// code lists those it finds in the .CRT$XLB to .CRT$XLY sections.
void NTAPI OnThreadEvent(PVOID, DWORD reason, PVOID)
{
    if (reason == DLL_THREAD_DETACH)
        UninitialiseThisThread();
}

__attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK g_threadEndCallback = OnThreadEvent;

}  // namespace

void AfxEnableControlContainer()
{
}

BOOL AfxOleInit()
{
    if (g_oleCountSlot == TLS_OUT_OF_INDEXES || FAILED(::OleInitialize(nullptr)))
        return FALSE;
    // The thread that ends the program never sees its own end as a thread's: exit() balances it.
    static const bool s_atExit = std::atexit(UninitialiseThisThread) == 0;
    (void)s_atExit;
    const auto count = reinterpret_cast<UINT_PTR>(::TlsGetValue(g_oleCountSlot));
    ::TlsSetValue(g_oleCountSlot, reinterpret_cast<LPVOID>(count + 1));
    return TRUE;
}
