#include "AfxOle.h"

#include <ole2.h>

namespace {

class OleSession {
public:
    ~OleSession()
    {
        for (; m_initialised > 0; --m_initialised)
            ::OleUninitialize();
    }
    void Count() { ++m_initialised; }

private:
    int m_initialised = 0;
};

thread_local OleSession t_oleSession;

}  // namespace

void AfxEnableControlContainer()
{
}

BOOL AfxOleInit()
{
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    t_oleSession.Count();
    return TRUE;
}
