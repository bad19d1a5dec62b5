// CSchedulerApp: Ordavel's application object; it runs the scheduler dialog and holds the
// picture that tiles its background.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CWinApp.h"

class CSchedulerApp : public CWinApp {
public:
    // Start-up, then the dialog, run modally; always FALSE, so the program ends with the dialog.
    BOOL InitInstance() override;

    CBitmap m_background;
};

extern CSchedulerApp theApp;
