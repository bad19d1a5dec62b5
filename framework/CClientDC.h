// CClientDC: the client-area context of a window, released on destruction.
#pragma once

#include "CDC.h"

class CWnd;

class CClientDC : public CDC {
public:
    // nullptr gives the context of the whole screen.
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
