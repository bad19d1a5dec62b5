// PumpWaitingMessages: drains the calling thread's message queue without ever waiting, so a
// long piece of work on the user-interface thread keeps its windows painted and responsive.
#pragma once

// Each message is offered to the framework windows' PreTranslateMessage (a dialog's keys go to
// its dialog manager there), then translated and dispatched. A WM_QUIT met in the queue is
// posted again and ends the pumping, so the loop that waits for it still sees it.
void PumpWaitingMessages();
