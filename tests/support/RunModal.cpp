#include "support/RunModal.h"

#include <gtest/gtest.h>

namespace {

struct ModalRun {
    CDialog* dlg;
    const std::function<void(CDialog&)>* action;
    UINT_PTR actionTimer;
    UINT_PTR watchdogTimer;
    bool acted;
};

ModalRun* g_run = nullptr;

// Thread timers fire only when the queue is otherwise empty, so the dialog has initialised
// and painted by the time the action runs.
void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_run || timer != g_run->actionTimer || !g_run->dlg->IsModalLoopRunning())
        return;
    ::KillTimer(nullptr, g_run->actionTimer);
    g_run->actionTimer = 0;
    g_run->acted = true;
    (*g_run->action)(*g_run->dlg);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_run || timer != g_run->watchdogTimer)
        return;
    ADD_FAILURE() << "the dialog was still open when the time was up";
    g_run->dlg->EndDialog(IDABORT);
}

}  // namespace

INT_PTR RunModal(CDialog& dlg, const std::function<void(CDialog&)>& action, UINT timeoutMs)
{
    ModalRun run{&dlg, &action, 0, 0, false};
    ModalRun* const outer = g_run;
    g_run = &run;
    run.actionTimer = ::SetTimer(nullptr, 0, 0, &ActOnDialog);
    run.watchdogTimer = ::SetTimer(nullptr, 0, timeoutMs, &GiveUp);
    const INT_PTR result = dlg.DoModal();
    if (run.actionTimer)
        ::KillTimer(nullptr, run.actionTimer);
    ::KillTimer(nullptr, run.watchdogTimer);
    g_run = outer;
    return result;
}

void DrainMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
