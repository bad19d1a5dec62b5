// Message maps: a class declares DECLARE_MESSAGE_MAP() and defines its table with
// BEGIN_MESSAGE_MAP(Class, Base) ... END_MESSAGE_MAP(). The table compiles to an if-chain in
// Class::OnWndMsg; each entry checks its handler's type and the last word goes to Base.
//
// Handler shapes (names as in the entries):
//   ON_BN_CLICKED(id, fn), ON_COMMAND(id, fn), ON_CONTROL(code, id, fn)   void fn()
//   ON_CONTROL_REFLECT(code, fn)                                          void fn()
//   ON_MESSAGE(msg, fn)                                                   LRESULT fn(WPARAM, LPARAM)
//   ON_WM_ERASEBKGND         BOOL OnEraseBkgnd(CDC*)
//   ON_WM_CTLCOLOR           HBRUSH OnCtlColor(CDC*, CWnd* control, UINT kind)   kind: CTLCOLOR_*
//   ON_WM_CTLCOLOR_REFLECT   HBRUSH CtlColor(CDC*, UINT kind)   nullptr leaves it to the parent
//   ON_WM_PAINT              void OnPaint()
//   ON_WM_TIMER              void OnTimer(UINT_PTR timerId)
//   ON_WM_SYSCOMMAND         void OnSysCommand(UINT id, LPARAM)
//   ON_WM_QUERYDRAGICON      HCURSOR OnQueryDragIcon()
//   ON_WM_CLOSE / ON_WM_DESTROY / ON_WM_SYSCOLORCHANGE   void OnClose() / OnDestroy() / OnSysColorChange()
//   ON_WM_ENDSESSION         void OnEndSession(BOOL ending)
//   ON_WM_MOUSEMOVE / ON_WM_LBUTTONDOWN / ON_WM_LBUTTONUP / ON_WM_LBUTTONDBLCLK
//                            void OnMouseMove(UINT flags, POINT) / OnLButtonDown(...) / OnLButtonUp(...)
//                            / OnLButtonDblClk(...)
//   ON_WM_KEYDOWN            void OnKeyDown(UINT key, UINT repeat, UINT flags)
//   ON_WM_SETCURSOR          BOOL OnSetCursor(CWnd*, UINT hitTest, UINT message)
//   ON_WM_KILLFOCUS / ON_WM_CAPTURECHANGED   void OnKillFocus(CWnd*) / OnCaptureChanged(CWnd*)
#pragma once

#include "CDC.h"
#include "CWnd.h"

#include <type_traits>

#define DECLARE_MESSAGE_MAP() \
protected: \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) \
    { \
        using ThisClass = theClass; \
        using TheBaseClass = baseClass; \
        static_assert(std::is_base_of_v<TheBaseClass, ThisClass>, #baseClass " is not a base of " #theClass); \
        (void)sizeof(ThisClass);

#define END_MESSAGE_MAP() \
        return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult); \
    }

// Internal: the entry's handler, checked against the shape it must have.
#define DUSTORA_MAP_HANDLER(memberFxn, ...) \
    using HandlerShape = __VA_ARGS__; \
    HandlerShape handler = memberFxn

#define ON_CONTROL(code, id, memberFxn) \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code)) { \
        DUSTORA_MAP_HANDLER(memberFxn, void (ThisClass::*)()); \
        (this->*handler)(); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

// Menu items (code 0), accelerators (1) and button clicks (BN_CLICKED is 0).
#define ON_COMMAND(id, memberFxn) \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) <= 1) { \
        DUSTORA_MAP_HANDLER(memberFxn, void (ThisClass::*)()); \
        (this->*handler)(); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_CONTROL_REFLECT(code, memberFxn) \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == (code)) { \
        DUSTORA_MAP_HANDLER(memberFxn, void (ThisClass::*)()); \
        (this->*handler)(); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_MESSAGE(msg, memberFxn) \
    if (message == (msg)) { \
        DUSTORA_MAP_HANDLER(memberFxn, LRESULT (ThisClass::*)(WPARAM, LPARAM)); \
        *pResult = (this->*handler)(wParam, lParam); \
        return TRUE; \
    }

#define ON_WM_ERASEBKGND() \
    if (message == WM_ERASEBKGND) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnEraseBkgnd, BOOL (ThisClass::*)(CDC*)); \
        CDC dc(reinterpret_cast<HDC>(wParam)); \
        *pResult = (this->*handler)(&dc); \
        return TRUE; \
    }

#define ON_WM_CTLCOLOR() \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnCtlColor, HBRUSH (ThisClass::*)(CDC*, CWnd*, UINT)); \
        CDC dc(reinterpret_cast<HDC>(wParam)); \
        *pResult = reinterpret_cast<LRESULT>( \
            (this->*handler)(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX)); \
        return TRUE; \
    }

#define ON_WM_CTLCOLOR_REFLECT() \
    if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) { \
        DUSTORA_MAP_HANDLER(&ThisClass::CtlColor, HBRUSH (ThisClass::*)(CDC*, UINT)); \
        CDC dc(reinterpret_cast<HDC>(wParam)); \
        *pResult = reinterpret_cast<LRESULT>((this->*handler)(&dc, message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX)); \
        return TRUE; \
    }

#define DUSTORA_ON_VOID(msg, fn) \
    if (message == (msg)) { \
        DUSTORA_MAP_HANDLER(&ThisClass::fn, void (ThisClass::*)()); \
        (this->*handler)(); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_WM_PAINT() DUSTORA_ON_VOID(WM_PAINT, OnPaint)
#define ON_WM_CLOSE() DUSTORA_ON_VOID(WM_CLOSE, OnClose)
#define ON_WM_DESTROY() DUSTORA_ON_VOID(WM_DESTROY, OnDestroy)
#define ON_WM_SYSCOLORCHANGE() DUSTORA_ON_VOID(WM_SYSCOLORCHANGE, OnSysColorChange)

#define ON_WM_TIMER() \
    if (message == WM_TIMER) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnTimer, void (ThisClass::*)(UINT_PTR)); \
        (this->*handler)(static_cast<UINT_PTR>(wParam)); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_WM_SYSCOMMAND() \
    if (message == WM_SYSCOMMAND) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnSysCommand, void (ThisClass::*)(UINT, LPARAM)); \
        (this->*handler)(static_cast<UINT>(wParam), lParam); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_WM_QUERYDRAGICON() \
    if (message == WM_QUERYDRAGICON) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnQueryDragIcon, HCURSOR (ThisClass::*)()); \
        *pResult = reinterpret_cast<LRESULT>((this->*handler)()); \
        return TRUE; \
    }

#define ON_WM_ENDSESSION() \
    if (message == WM_ENDSESSION) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnEndSession, void (ThisClass::*)(BOOL)); \
        (this->*handler)(static_cast<BOOL>(wParam)); \
        *pResult = 0; \
        return TRUE; \
    }

#define DUSTORA_ON_MOUSE(msg, fn) \
    if (message == (msg)) { \
        DUSTORA_MAP_HANDLER(&ThisClass::fn, void (ThisClass::*)(UINT, POINT)); \
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; \
        (this->*handler)(static_cast<UINT>(wParam), point); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_WM_MOUSEMOVE() DUSTORA_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() DUSTORA_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() DUSTORA_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() DUSTORA_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)

#define ON_WM_KEYDOWN() \
    if (message == WM_KEYDOWN) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnKeyDown, void (ThisClass::*)(UINT, UINT, UINT)); \
        (this->*handler)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_WM_SETCURSOR() \
    if (message == WM_SETCURSOR) { \
        DUSTORA_MAP_HANDLER(&ThisClass::OnSetCursor, BOOL (ThisClass::*)(CWnd*, UINT, UINT)); \
        *pResult = (this->*handler)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)); \
        return TRUE; \
    }

#define DUSTORA_ON_WINDOW_ARG(msg, fn, arg) \
    if (message == (msg)) { \
        DUSTORA_MAP_HANDLER(&ThisClass::fn, void (ThisClass::*)(CWnd*)); \
        (this->*handler)(CWnd::FromHandle(reinterpret_cast<HWND>(arg))); \
        *pResult = 0; \
        return TRUE; \
    }

#define ON_WM_KILLFOCUS() DUSTORA_ON_WINDOW_ARG(WM_KILLFOCUS, OnKillFocus, wParam)
#define ON_WM_CAPTURECHANGED() DUSTORA_ON_WINDOW_ARG(WM_CAPTURECHANGED, OnCaptureChanged, lParam)
