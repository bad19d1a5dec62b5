#include "CWnd.h"

#include "CDC.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <unordered_map>

namespace {

// One user-interface thread: the maps need no locks.
std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& WrapperMap()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// Wrappers of windows that are gone are dropped when the map grows, so a wrapper handed out
// stays valid for as long as its window lives.
void DropWrappersOfDeadWindows()
{
    auto& map = WrapperMap();
    for (auto it = map.begin(); it != map.end();)
        it = ::IsWindow(it->first) ? std::next(it) : map.erase(it);
}

// The object whose CreateEx is running: the first message of its new window attaches it.
CWnd* g_creating = nullptr;

BOOL IsColorRequest(UINT msg)
{
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

}  // namespace

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

HWND AfxTopLevelOf(HWND hwnd)
{
    while (hwnd && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    return hwnd;
}

CWnd::~CWnd()
{
    const HWND hwnd = m_hWnd;
    const BOOL owned = m_ownsWindow;
    if (FromHandlePermanent(hwnd) == this)
        DetachPermanent();
    m_hWnd = nullptr;
    if (owned && ::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    const auto& map = PermanentMap();
    const auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hwnd))
        return permanent;
    auto& map = WrapperMap();
    auto& wrapper = map[hwnd];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = hwnd;
        if (map.size() > 64)
            DropWrappersOfDeadWindows();
    }
    return map[hwnd].get();
}

void CWnd::AttachPermanent(HWND hwnd)
{
    m_hWnd = hwnd;
    PermanentMap()[hwnd] = this;
    WrapperMap().erase(hwnd);
}

void CWnd::DetachPermanent()
{
    if (m_superProc) {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &CWnd::StdWndProc)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        m_superProc = nullptr;
    }
    PermanentMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    assert(!m_hWnd && "a window object routes one window at a time");
    if (!::IsWindow(hwnd) || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    AttachPermanent(hwnd);
    PreSubclassWindow();
    const auto previous = ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc));
    m_superProc = reinterpret_cast<WNDPROC>(previous);
    // A window of a class registered by the framework already runs StdWndProc.
    if (m_superProc == &CWnd::StdWndProc)
        m_superProc = nullptr;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hwnd = m_hWnd;
    if (hwnd && FromHandlePermanent(hwnd) == this)
        DetachPermanent();
    m_ownsWindow = FALSE;
    return hwnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id)
{
    if (m_hWnd)
        return FALSE;
    CWnd* const outer = g_creating;
    g_creating = this;
    const HWND hwnd = ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top,
                                        parent ? parent->m_hWnd : nullptr,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AfxGetResourceHandle(), nullptr);
    const BOOL attachedDuringCreation = (g_creating != this);
    g_creating = outer;
    if (!hwnd)
        return FALSE;
    if (!attachedDuringCreation)
        SubclassWindow(hwnd);   // a class whose procedure is not the framework's
    m_ownsWindow = TRUE;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

CString CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    CString text;
    char* buffer = text.GetBuffer(length + 1);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
    return text;
}

CString CWnd::GetDlgItemText(int id) const
{
    const HWND item = ::GetDlgItem(m_hWnd, id);
    return item ? FromHandle(item)->GetWindowText() : CString();
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    return TRUE;
}

void CWnd::ScreenToClient(RECT* rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    const BOOL child = (GetStyle() & WS_CHILD) != 0;
    HWND center = alternateOwner ? alternateOwner->m_hWnd : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT area;
    if (child && center) {
        ::GetClientRect(center, &area);
    } else if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
        ::GetWindowRect(center, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own;
    GetWindowRect(&own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = (area.left + area.right) / 2 - width / 2;
    int y = (area.top + area.bottom) / 2 - height / 2;
    if (!child) {
        // Over an owner near the screen's edge a top-level window stays whole on the screen, its
        // top left corner first.
        RECT work;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        x = std::max(std::min(x, static_cast<int>(work.right) - width), static_cast<int>(work.left));
        y = std::max(std::min(y, static_cast<int>(work.bottom) - height), static_cast<int>(work.top));
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* window = FromHandlePermanent(hwnd);
        if (window && window->PreTranslateMessage(msg))
            return TRUE;
        if (!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
            break;   // GetParent would go on to the owner of a top-level window
    }
    return FALSE;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    CWnd* self = FromHandlePermanent(hwnd);
    if (!self && g_creating) {
        self = g_creating;
        g_creating = nullptr;
        self->AttachPermanent(hwnd);
        self->PreSubclassWindow();
    }
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    const MSG outer = self->m_currentMsg;
    self->m_currentMsg = MSG{hwnd, msg, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        self->OnHandlerFailure();
    }
    // A window destroyed from inside one of its own handlers may have freed its object already.
    if (FromHandlePermanent(hwnd) != self)
        return result;
    self->m_currentMsg = outer;
    if (msg == WM_NCDESTROY) {
        self->DetachPermanent();
        self->m_ownsWindow = FALSE;
        self->PostNcDestroy();   // may delete self
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    // A control's notification goes first to the control's own object, as MFC does.
    if (msg == WM_COMMAND && lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, &result))
        return result;
    if (msg == WM_NOTIFY && lParam &&
        ReflectToChild(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom, msg, wParam, lParam, &result))
        return result;
    if (OnWndMsg(msg, wParam, lParam, &result))
        return result;
    return DefWindowProc(msg, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (IsColorRequest(msg)) {
        CDC dc(reinterpret_cast<HDC>(wParam));
        *result = reinterpret_cast<LRESULT>(OnCtlColor(&dc, FromHandle(reinterpret_cast<HWND>(lParam)), msg - WM_CTLCOLORMSGBOX));
        return TRUE;
    }
    if (msg == WM_DRAWITEM && wParam)
        return ReflectToChild(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem, msg, wParam, lParam, result);
    if (msg == WM_MEASUREITEM && wParam)
        return ReflectToChild(::GetDlgItem(m_hWnd, static_cast<int>(wParam)), msg, wParam, lParam, result);
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    LRESULT brush = 0;
    if (control && ReflectToChild(control->m_hWnd, m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam, &brush))
        return reinterpret_cast<HBRUSH>(brush);
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::ReflectToChild(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* control = FromHandlePermanent(child);
    if (!control || control == this)
        return FALSE;
    return control->OnChildNotify(msg, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (IsColorRequest(msg)) {
        // A reflected colour handler answers with a brush, or with none to leave it to the parent.
        LRESULT brush = 0;
        if (OnWndMsg(WM_REFLECT_BASE + msg, wParam, lParam, &brush) && brush) {
            *result = brush;
            return TRUE;
        }
        return FALSE;
    }
    return OnWndMsg(WM_REFLECT_BASE + msg, wParam, lParam, result);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc)
        return ::CallWindowProcA(m_superProc, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

CString AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    CString name;
    name.Format("Dustora:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor), static_cast<void*>(background),
                static_cast<void*>(icon));
    WNDCLASSA existing;
    if (::GetClassInfoA(AfxGetResourceHandle(), name, &existing))
        return name;
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hInstance = AfxGetResourceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
    return name;
}
