// CWnd: a window the framework knows by its handle. It wraps the handle's everyday calls,
// keeps the handle-to-object lookup, and runs the window procedure that hands every message
// to the object's message map (framework/MessageMap.h) before the window's own default.
#pragma once

#include "CObject.h"
#include "CString.h"

#include <windows.h>

#include <cassert>

class CDC;

// A parent hands control notifications (WM_COMMAND, WM_NOTIFY), owner-draw requests and
// colour requests back to the control object that caused them as WM_REFLECT_BASE + message.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

class CWnd : public CObject {
public:
    CWnd() = default;
    // Detaches the object; the window itself is destroyed only when this object created it.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: like MFC

    // The object subclassing or owning hwnd, or else a wrapper kept for as long as the window
    // lives; nullptr only for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // The object subclassing or owning hwnd, or nullptr.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Routes an existing window's messages through this object until it is destroyed.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creates a window of a class registered with AfxRegisterWndClass (or any other class,
    // which is then subclassed). This object owns the window.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

    void SetWindowText(const char* text) { RequireWindow(); ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    void SetDlgItemText(int id, const char* text) { RequireWindow(); ::SetDlgItemTextA(m_hWnd, id, text); }
    CString GetDlgItemText(int id) const;

    BOOL ShowWindow(int command) { RequireWindow(); return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable = TRUE) { RequireWindow(); return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        RequireWindow();
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        RequireWindow();   // a null window would post to the thread's queue
        return ::PostMessageA(m_hWnd, msg, wParam, lParam);
    }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        RequireWindow();
        return ::SendDlgItemMessageA(m_hWnd, id, msg, wParam, lParam);
    }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckDlgButton(int id, UINT check) { RequireWindow(); ::CheckDlgButton(m_hWnd, id, check); }

    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ScreenToClient(RECT* rect) const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        RequireWindow();
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        RequireWindow();
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    // Centres on the owner (a child on its parent); on the work area when there is none to see.
    // A top-level window is moved back onto the work area where the centre would cut it off.
    void CenterWindow(CWnd* alternateOwner = nullptr);

    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr)
    {
        RequireWindow();   // a null window would make a thread timer no message map hears
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    HICON SetIcon(HICON icon, BOOL big)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    void SetFocus() { RequireWindow(); ::SetFocus(m_hWnd); }

    // Offered each message before it is dispatched; TRUE means it was handled here.
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }
    // Offers msg to the objects of its window and of each parent up to the top-level window.
    static BOOL WalkPreTranslateTree(MSG* msg);

    // The procedure of every window the framework routes: classes registered by
    // AfxRegisterWndClass and subclassed windows.
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_hWnd = nullptr;

protected:
    // The calls that change a window are made only once it exists: before, they would act on
    // no window, or on the desktop or the thread's queue, and answer a silent failure.
    void RequireWindow() const { assert(m_hWnd && "a window object used before its window exists"); }

    // The path of every message: reflection to the control object, the message map, the default.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The message map; DECLARE_MESSAGE_MAP overrides it. This last link of every chain reflects
    // owner-draw and colour requests to the control objects that asked.
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // What the window does with a message when the object doesn't handle it.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being processed.
    LRESULT Default();

    // A reflected message arrives here at the control; the default offers it to the map as
    // WM_REFLECT_BASE + msg. TRUE means handled, and the parent then leaves it alone.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called when a window becomes this object's, before its first message through the map.
    virtual void PreSubclassWindow() {}
    // Called after the window is gone and the object detached; the object may delete itself here.
    virtual void PostNcDestroy() {}
    // A handler let an exception escape; the procedure stops it here.
    virtual void OnHandlerFailure() {}

    // Default handlers that derived classes call as Base::OnX(...).
    BOOL OnEraseBkgnd(CDC* dc) { return static_cast<BOOL>(Default()); }
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnPaint() { Default(); }
    void OnTimer(UINT_PTR timerId) { Default(); }
    void OnSysCommand(UINT id, LPARAM lParam) { Default(); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    void OnClose() { Default(); }
    void OnDestroy() { Default(); }
    void OnEndSession(BOOL ending) { Default(); }
    void OnMouseMove(UINT flags, POINT point) { Default(); }
    void OnLButtonDown(UINT flags, POINT point) { Default(); }
    void OnLButtonUp(UINT flags, POINT point) { Default(); }
    void OnLButtonDblClk(UINT flags, POINT point) { Default(); }
    void OnKeyDown(UINT key, UINT repeat, UINT flags) { Default(); }
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) { return static_cast<BOOL>(Default()); }
    void OnKillFocus(CWnd* newFocus) { Default(); }
    void OnCaptureChanged(CWnd* window) { Default(); }
    void OnSysColorChange() { Default(); }

    BOOL m_ownsWindow = FALSE;

private:
    void AttachPermanent(HWND hwnd);
    void DetachPermanent();
    BOOL ReflectToChild(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_superProc = nullptr;
    MSG m_currentMsg = {};
};

// A window class whose procedure is the framework's; the name is made from the arguments.
CString AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr, HICON icon = nullptr);

// The top-level window that hwnd is, or is a child of; nullptr for nullptr.
HWND AfxTopLevelOf(HWND hwnd);

// The module that holds the program's resources (dialog templates, strings, bitmaps).
HINSTANCE AfxGetResourceHandle();
