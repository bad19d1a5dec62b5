#include "app/CRunProgress.h"

namespace {

CRunProgress::Listener* g_listener = nullptr;

CString Numbered(const char* call, int number)
{
    CString text;
    text.Format("%s %d", call, number);
    return text;
}

}  // namespace

CRunProgress::Listener* CRunProgress::SetListener(Listener* listener)
{
    Listener* const previous = g_listener;
    g_listener = listener;
    return previous;
}

CRunProgress::~CRunProgress()
{
    Close();
}

BOOL CRunProgress::Create(CWnd* owner)
{
    const BOOL created = m_dialog.Create(owner);
    if (!m_pumping) {
        m_previousWalkProgress = SetWalkProgress({&CRunProgress::OnFolderEntered, this});
        m_pumping = true;
        NotePumped();
    }
    return created;
}

void CRunProgress::SetRange(int low, int high)
{
    m_dialog.SetRange(low, high);
    CString call;
    call.Format("SetRange %d %d", low, high);
    Tell(call);
}

void CRunProgress::SetPos(int position)
{
    m_dialog.SetPos(position);
    NotePumped();
    Tell(Numbered("SetPos", position));
}

void CRunProgress::Show(const char* action, const char* item)
{
    m_dialog.SetAction(action);
    NotePumped();
    Tell(CString("SetAction ") + action);
    m_dialog.SetItem(item);
    Tell(CString("SetItem ") + item);
}

int CRunProgress::CheckStop()
{
    const int stop = m_dialog.CheckStop();
    NotePumped();
    Tell(Numbered("CheckStop", stop));
    return stop;
}

void CRunProgress::Close()
{
    if (m_pumping) {
        SetWalkProgress(m_previousWalkProgress);
        m_pumping = false;
    }
    if (::IsWindow(m_dialog.GetSafeHwnd()))
        m_dialog.Close();
}

void CRunProgress::Tell(const CString& call)
{
    if (g_listener)
        g_listener->Heard(m_dialog, call);
}

// The item line shows the folder before the pump paints it. A Stop press only sets the dialog's
// flag here: the cleaner goes on to the end of its walk.
void CRunProgress::OnFolderEntered(void* context, const char* folder)
{
    CRunProgress* const self = static_cast<CRunProgress*>(context);
    if (::GetTickCount() - self->m_lastPump < kPumpIntervalMs)
        return;
    self->m_dialog.SetItem(folder);
    self->m_dialog.PumpMessages();
    self->NotePumped();
}
