// RunModal: runs a dialog's DoModal and, once its modal loop runs, calls action from inside the
// loop. The action ends the dialog (a posted IDCANCEL, EndDialog, ...); a dialog still open
// after timeoutMs fails the test and is ended with IDABORT.
#pragma once

#include "framework/CDialog.h"

#include <functional>

INT_PTR RunModal(CDialog& dlg, const std::function<void(CDialog&)>& action, UINT timeoutMs = 10000);

// Dispatches the messages waiting in the calling thread's queue, without waiting.
void DrainMessages();
