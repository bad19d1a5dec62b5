// CFlatIconButton: a flat push button that draws itself: an icon left of or above its caption,
// no frame until the mouse is over it (then a raised one and the hover text colour), a sunken
// frame with the content shifted one pixel right and down while it is pressed. Made transparent,
// it paints a snapshot of its parent's pixels beneath it, taken at its first paint and kept
// until SetTransparent or a change of the system colours drops it.
#pragma once

#include "framework/CButton.h"
#include "framework/CDC.h"
#include "framework/MessageMap.h"
#include "framework/UniqueHandle.h"

class CFlatIconButton : public CButton {
public:
    enum : int { kIconLeft = 0, kIconAbove = 1 };

    CFlatIconButton();
    ~CFlatIconButton() override;

    // Icon resources of the program; a hover id of 0 shows the normal icon under the mouse too.
    void SetIcon(int normalIconId, int hoverIconId);
    // Takes ownership of both icons (hover may be nullptr) and destroys those held before.
    void SetIcon(HICON normal, HICON hover);
    // kIconLeft or kIconAbove; any other value keeps the alignment. Always repaints.
    void SetAlign(int alignment);
    // Pixels added to the icon's top, from the next paint on.
    void SetIconOffset(int pixels) { m_iconOffset = pixels; }
    void SetDrawBorder(bool draw) { m_drawBorder = draw ? 1 : 0; }
    void SetNormalTextColor(COLORREF color, bool repaint);
    void SetHoverTextColor(COLORREF color, bool repaint);
    // The system's button face and text colours for both states, without repainting.
    void ResetColors();
    // Paints the parent's pixels from now on and drops the snapshot, so the next paint takes a
    // new one.
    void SetTransparent(bool repaint);

    int IsMouseOver() const { return m_mouseOver; }
    BOOL HasSnapshot() const { return m_snapshotDC.GetSafeHdc() != nullptr; }
    // The normal icon's size as measured by SetIcon; 0 x 0 without an icon.
    SIZE GetIconSize() const { return SIZE{m_iconWidth, m_iconHeight}; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT flags, POINT point);
    void OnKillFocus(CWnd* newFocus);
    void OnCaptureChanged(CWnd* window);
    void OnSysColorChange();
    HBRUSH CtlColor(CDC* dc, UINT kind);

    DECLARE_MESSAGE_MAP()

private:
    void LeaveHover();
    void DrawFrame(CDC& dc, const RECT& item, bool pressed) const;
    // Draws the icon and narrows caption to the room the icon leaves.
    void DrawIconPart(CDC& dc, const RECT& item, bool pressed, bool disabled, RECT& caption) const;
    void DrawCaption(CDC& dc, RECT caption, bool pressed, bool disabled) const;
    void PaintSnapshot(CDC& dc);
    void TakeSnapshot();
    void DropSnapshot();
    HICON HoverIcon() const { return m_hoverIcon ? m_hoverIcon.get() : m_normalIcon.get(); }

    int m_align = kIconLeft;
    int m_iconOffset = 0;
    int m_drawBorder = 1;
    int m_mouseOver = 0;
    UniqueIcon m_normalIcon;
    UniqueIcon m_hoverIcon;   // empty: the normal icon serves
    BYTE m_iconWidth = 0;
    BYTE m_iconHeight = 0;
    int m_transparent = 0;
    CDC m_snapshotDC;
    UniqueGdiObject<HBITMAP> m_snapshotBitmap;
    HGDIOBJ m_snapshotReplaced = nullptr;
    COLORREF m_normalBackground = 0;
    COLORREF m_normalText = 0;
    COLORREF m_hoverBackground = 0;
    COLORREF m_hoverText = 0;
};
