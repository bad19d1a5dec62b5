#include "dialogs/CSplashWnd.h"

#include "framework/CPaintDC.h"
#include "framework/MessagePump.h"
#include "resources/DustoraResource.h"

namespace {

// Larger than the picture: the region of the mask is all of it that shows.
constexpr RECT kSplashRect = {0, 0, 375, 383};
constexpr UINT_PTR kSplashTimer = 1;

}  // namespace

// The splash draws its own picture: the map rests on CWnd's, without the shaped window's erase
// and drag.
BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::CSplashWnd(UINT pictureId, UINT intervalMs, const int& splashHold)
    : m_splashPictureId(pictureId), m_intervalMs(intervalMs), m_splashHold(splashHold)
{
}

BOOL CSplashWnd::Show()
{
    if (!m_picture.LoadBitmap(m_splashPictureId))
        return FALSE;
    if (!Create("Dustora", kSplashRect, IDB_SPLASH_MASK, m_splashPictureId))
        return FALSE;
    CenterWindow();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_timerId = SetTimer(kSplashTimer, m_intervalMs);
    m_ownsItself = TRUE;
    return TRUE;
}

BOOL CSplashWnd::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        CloseSplash();
        return TRUE;
    default:
        return CShapedWnd::PreTranslateMessage(msg);
    }
}

void CSplashWnd::OnPaint()
{
    CPaintDC paint(this);
    SIZE size = {};
    if (!m_picture.GetSize(&size))
        return;
    CDC memory;
    memory.CreateCompatibleDC(&paint);
    const ScopedSelect selection(memory, m_picture);
    paint.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
}

BOOL CSplashWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CSplashWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == m_timerId && m_splashHold != 1) {
        CloseSplash();
        return;
    }
    const HWND hwnd = m_hWnd;
    PumpWaitingMessages();
    if (FromHandlePermanent(hwnd) == this)   // a press met while pumping may have closed it
        CWnd::OnTimer(timerId);
}

void CSplashWnd::CloseSplash()
{
    KillTimer(m_timerId);
    DestroyWindow();
}

void CSplashWnd::PostNcDestroy()
{
    if (m_ownsItself)
        delete this;
}
