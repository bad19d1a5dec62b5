// CRunProgress: the progress dialog of a clean run as the run uses it. It passes each call on to
// the dialog and keeps the window alive while a cleaner walks a long tree: from Create to Close,
// a folder entered by any walk drains the message queue if nothing has for kPumpIntervalMs, and
// first shows that folder in the item line. The window then repaints, and a Stop press made
// meanwhile waits for the run's next stop check. A listener (tests) hears every call the run
// makes, in order; the folders the walks show are not calls of the run.
#pragma once

#include "dialogs/CCleanProgressDlg.h"
#include "engine/WalkProgress.h"

class CRunProgress {
public:
    static constexpr DWORD kPumpIntervalMs = 100;

    class Listener {
    public:
        virtual ~Listener() = default;
        // call: "SetRange 0 21", "SetPos 4", "SetAction Empty:", "SetItem Recycle Bin...",
        // "CheckStop 0"; heard once the dialog has taken it.
        virtual void Heard(CCleanProgressDlg& dialog, const CString& call) = 0;
    };
    // Returns the listener in force before; none by default.
    static Listener* SetListener(Listener* listener);

    CRunProgress() = default;
    ~CRunProgress();
    CRunProgress(const CRunProgress&) = delete;
    CRunProgress& operator=(const CRunProgress&) = delete;

    // Shows the dialog over owner, which stays disabled until Close, and starts the walks' pump.
    BOOL Create(CWnd* owner);
    void SetRange(int low, int high);
    void SetPos(int position);
    // The action word, then the item being worked on.
    void Show(const char* action, const char* item);
    // 1 once after each Stop press.
    int CheckStop();
    // Ends the walks' pump, then closes the dialog.
    void Close();

    CCleanProgressDlg& Dialog() { return m_dialog; }

private:
    static void OnFolderEntered(void* context, const char* folder);
    void Tell(const CString& call);
    void NotePumped() { m_lastPump = ::GetTickCount(); }

    CCleanProgressDlg m_dialog;
    WalkProgress m_previousWalkProgress;
    bool m_pumping = false;
    DWORD m_lastPump = 0;
};
