// CDC: a device context. Attached to a borrowed handle it owns nothing; after
// CreateCompatibleDC it owns the memory context it made and deletes it.
// ScopedSelect: an object selected into a context until the selection goes out of scope.
#pragma once

#include "CObject.h"

#include <windows.h>

class CDC : public CObject {
public:
    CDC() = default;
    explicit CDC(HDC borrowed) : m_hDC(borrowed) {}
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }  // NOLINT: like MFC

    // A memory context compatible with other (the screen when nullptr), owned by this object.
    BOOL CreateCompatibleDC(CDC* other);
    BOOL DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, rop);
    }
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }
    // Moves the pixels of scroll by (dx, dy); no clip rectangle, no update region.
    BOOL ScrollDC(int dx, int dy, const RECT& scroll) { return ::ScrollDC(m_hDC, dx, dy, &scroll, nullptr, nullptr, nullptr); }
    void FillSolidRect(const RECT& rect, COLORREF color);
    int DrawText(const char* text, RECT* rect, UINT format) { return ::DrawTextA(m_hDC, text, -1, rect, format); }
    SIZE GetTextExtent(const char* text, int length) const;
    // A one-pixel frame just inside rect: topLeft on the top and left edges, bottomRight on the others.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    HDC m_hDC = nullptr;

protected:
    BOOL m_ownsDC = FALSE;
};

class ScopedSelect {
public:
    ScopedSelect(CDC& dc, HGDIOBJ object) : m_dc(dc), m_previous(dc.SelectObject(object)) {}
    ~ScopedSelect()
    {
        if (m_previous)
            m_dc.SelectObject(m_previous);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_previous;
};
