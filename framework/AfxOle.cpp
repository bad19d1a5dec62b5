#include "AfxOle.h"

#include <ole2.h>

#include <atomic>
#include <cstdlib>

namespace {

// How many times OleInitialize succeeded on each thread, in a thread slot of its own. (A
// thread_local with a destructor would do, but the runtime's thread-exit support for it imports a
// function that Windows 2000 lacks.) The first AfxOleInit allocates the slot; threads that end
// before it have nothing to balance.
std::atomic<DWORD> g_oleCountSlot{TLS_OUT_OF_INDEXES};

void UninitialiseThisThread()
{
    const DWORD slot = g_oleCountSlot;
    if (slot == TLS_OUT_OF_INDEXES)
        return;
    for (auto count = reinterpret_cast<UINT_PTR>(::TlsGetValue(slot)); count > 0; --count)
        ::OleUninitialize();
    ::TlsSetValue(slot, nullptr);
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
    // The thread that ends the program never sees its end as a thread's: exit() balances it.
    static const bool s_ready = [] {
        g_oleCountSlot = ::TlsAlloc();
        return g_oleCountSlot != TLS_OUT_OF_INDEXES && std::atexit(UninitialiseThisThread) == 0;
    }();
    if (!s_ready || FAILED(::OleInitialize(nullptr)))
        return FALSE;
    const DWORD slot = g_oleCountSlot;
    const auto count = reinterpret_cast<UINT_PTR>(::TlsGetValue(slot));
    ::TlsSetValue(slot, reinterpret_cast<LPVOID>(count + 1));
    return TRUE;
}
