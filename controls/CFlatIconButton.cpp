#include "controls/CFlatIconButton.h"

#include "framework/CClientDC.h"

namespace {

constexpr int kIconMargin = 3;

RECT Offset(RECT rect, int dx, int dy)
{
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFlatIconButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CFlatIconButton::CFlatIconButton()
{
    ResetColors();
}

CFlatIconButton::~CFlatIconButton()
{
    DropSnapshot();
}

void CFlatIconButton::SetIcon(int normalIconId, int hoverIconId)
{
    const HINSTANCE module = AfxGetResourceHandle();
    const auto load = [module](int id) {
        return static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    };
    SetIcon(load(normalIconId), hoverIconId ? load(hoverIconId) : nullptr);
}

void CFlatIconButton::SetIcon(HICON normal, HICON hover)
{
    m_normalIcon.reset(normal);
    m_hoverIcon.reset(hover);
    m_iconWidth = 0;
    m_iconHeight = 0;
    ICONINFO info = {};
    if (normal && ::GetIconInfo(normal, &info)) {
        // An icon's hot spot is its centre.
        m_iconWidth = static_cast<BYTE>(info.xHotspot * 2);
        m_iconHeight = static_cast<BYTE>(info.yHotspot * 2);
        UniqueGdiObject<HBITMAP> mask(info.hbmMask);
        UniqueGdiObject<HBITMAP> color(info.hbmColor);
    }
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CFlatIconButton::SetAlign(int alignment)
{
    if (alignment == kIconLeft || alignment == kIconAbove)
        m_align = alignment;
    if (m_hWnd)
        Invalidate();
}

void CFlatIconButton::SetNormalTextColor(COLORREF color, bool repaint)
{
    m_normalText = color;
    if (repaint && m_hWnd)
        Invalidate();
}

void CFlatIconButton::SetHoverTextColor(COLORREF color, bool repaint)
{
    m_hoverText = color;
    if (repaint && m_hWnd)
        Invalidate();
}

void CFlatIconButton::ResetColors()
{
    m_normalBackground = ::GetSysColor(COLOR_BTNFACE);
    m_normalText = ::GetSysColor(COLOR_BTNTEXT);
    m_hoverBackground = ::GetSysColor(COLOR_BTNFACE);
    m_hoverText = ::GetSysColor(COLOR_BTNTEXT);
}

void CFlatIconButton::SetTransparent(bool repaint)
{
    m_transparent = 1;
    DropSnapshot();
    if (repaint && m_hWnd)
        Invalidate();
}

// The button draws itself, whatever push-button kind its template gave it.
void CFlatIconButton::PreSubclassWindow()
{
    SetButtonStyle((GetButtonStyle() & ~BS_TYPEMASK) | BS_OWNERDRAW, FALSE);
}

// A fast second click arrives as a double click; it is a second press like the first.
LRESULT CFlatIconButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CButton::WindowProc(msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : msg, wParam, lParam);
}

// The button holds the mouse capture from the moment the mouse enters it until the mouse is
// seen over another window with the left button up.
void CFlatIconButton::OnMouseMove(UINT flags, POINT point)
{
    CButton::OnMouseMove(flags, point);
    const bool leftDown = (flags & MK_LBUTTON) != 0;
    if (leftDown && !m_mouseOver)
        return;
    if (::GetCapture() != m_hWnd && ::GetActiveWindow() && (::GetWindow(m_hWnd, GW_OWNER) || ::GetParent(m_hWnd))) {
        m_mouseOver = 1;
        ::SetCapture(m_hWnd);
        Invalidate();
        return;
    }
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    const HWND under = ::WindowFromPoint(screen);
    if (under && under != m_hWnd) {
        LeaveHover();
        if (!leftDown)
            ::ReleaseCapture();
    }
}

void CFlatIconButton::LeaveHover()
{
    if (!m_mouseOver)
        return;
    m_mouseOver = 0;
    Invalidate();
}

void CFlatIconButton::OnKillFocus(CWnd* newFocus)
{
    CButton::OnKillFocus(newFocus);
    LeaveHover();
}

void CFlatIconButton::OnCaptureChanged(CWnd* window)
{
    if (m_mouseOver) {
        ::ReleaseCapture();
        LeaveHover();
    }
    CButton::OnCaptureChanged(window);
}

void CFlatIconButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    DropSnapshot();
}

HBRUSH CFlatIconButton::CtlColor(CDC* dc, UINT kind)
{
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

void CFlatIconButton::DrawItem(DRAWITEMSTRUCT* item)
{
    CDC dc(item->hDC);
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const RECT& area = item->rcItem;

    dc.SetBkMode(TRANSPARENT);
    if (m_transparent)
        PaintSnapshot(dc);
    else
        dc.FillSolidRect(area, m_mouseOver || pressed ? m_hoverBackground : m_normalBackground);
    DrawFrame(dc, area, pressed);

    RECT caption = area;
    if (m_normalIcon)
        DrawIconPart(dc, area, pressed, disabled, caption);
    DrawCaption(dc, caption, pressed, disabled);
}

void CFlatIconButton::DrawFrame(CDC& dc, const RECT& item, bool pressed) const
{
    if (!m_drawBorder)
        return;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHILIGHT);
    if (pressed)
        dc.Draw3dRect(item, shadow, highlight);
    else if (m_mouseOver)
        dc.Draw3dRect(item, highlight, shadow);
}

void CFlatIconButton::DrawIconPart(CDC& dc, const RECT& item, bool pressed, bool disabled, RECT& caption) const
{
    const int width = m_iconWidth;
    const int height = m_iconHeight;
    const bool hasCaption = ::GetWindowTextLengthA(m_hWnd) > 0;
    const LONG centredLeft = item.left + (item.right - width - item.left) / 2;
    const LONG centredTop = item.top + (item.bottom - height - item.top) / 2;

    RECT icon = item;
    if (m_align == kIconLeft) {
        icon.left = centredLeft;
        if (hasCaption) {
            icon.left = item.left + kIconMargin;
            caption.left += width + kIconMargin;
        }
        icon.top = centredTop;
    } else {
        icon.left = centredLeft;
        icon.top = centredTop;
        if (hasCaption) {
            icon.top = item.top;
            caption.top += height;
        }
    }
    icon.top += m_iconOffset;
    icon.bottom += m_iconOffset;
    if (pressed)
        icon = Offset(icon, 1, 1);

    const HICON shown = m_mouseOver || pressed ? HoverIcon() : m_normalIcon.get();
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(shown), 0, icon.left, icon.top,
                 icon.right - icon.left, icon.bottom - icon.top, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

// The mnemonic of the caption ("E&xit") is underlined, as on every other button.
void CFlatIconButton::DrawCaption(CDC& dc, RECT caption, bool pressed, bool disabled) const
{
    const CString text = GetWindowText();
    if (text.IsEmpty())
        return;
    if (pressed)
        caption = Offset(caption, 1, 1);
    dc.SetTextColor(m_mouseOver || pressed ? m_hoverText : m_normalText);

    RECT measured = caption;
    ::DrawTextA(dc, text, text.GetLength(), &measured, DT_CALCRECT | DT_SINGLELINE);
    const LONG dx = ((caption.right - caption.left) - (measured.right - measured.left)) / 2;
    const LONG dy = ((caption.bottom - caption.top) - (measured.bottom - measured.top)) / 2;
    measured = Offset(measured, dx, dy);
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.GetString()), static_cast<WPARAM>(text.GetLength()),
                 measured.left, measured.top, measured.right - measured.left, measured.bottom - measured.top,
                 DST_PREFIXTEXT | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CFlatIconButton::PaintSnapshot(CDC& dc)
{
    if (!HasSnapshot())
        TakeSnapshot();
    if (!HasSnapshot())
        return;
    RECT client;
    GetClientRect(&client);
    dc.BitBlt(0, 0, client.right, client.bottom, &m_snapshotDC, 0, 0, SRCCOPY);
}

void CFlatIconButton::TakeSnapshot()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CClientDC parentDC(parent);
    RECT client;
    GetClientRect(&client);
    RECT window;
    GetWindowRect(&window);
    parent->ScreenToClient(&window);

    if (!m_snapshotDC.CreateCompatibleDC(&parentDC))
        return;
    m_snapshotBitmap.reset(::CreateCompatibleBitmap(parentDC, client.right, client.bottom));
    m_snapshotReplaced = m_snapshotDC.SelectObject(m_snapshotBitmap.get());
    m_snapshotDC.BitBlt(0, 0, client.right, client.bottom, &parentDC, window.left, window.top, SRCCOPY);
}

void CFlatIconButton::DropSnapshot()
{
    if (m_snapshotReplaced)
        m_snapshotDC.SelectObject(m_snapshotReplaced);
    m_snapshotReplaced = nullptr;
    m_snapshotBitmap.reset();
    m_snapshotDC.DeleteDC();
}
