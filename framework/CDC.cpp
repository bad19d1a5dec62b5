#include "CDC.h"

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* other)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(other ? other->m_hDC : nullptr);
    m_ownsDC = m_hDC != nullptr;
    return m_ownsDC;
}

BOOL CDC::DeleteDC()
{
    if (!m_ownsDC || !m_hDC)
        return FALSE;
    const BOOL deleted = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_ownsDC = FALSE;
    return deleted;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    // ExtTextOut with an opaque rectangle fills without making a brush.
    const COLORREF previous = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

SIZE CDC::GetTextExtent(const char* text, int length) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return size;
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const LONG right = rect.right - 1;
    const LONG bottom = rect.bottom - 1;
    FillSolidRect(RECT{rect.left, rect.top, right, rect.top + 1}, topLeft);
    FillSolidRect(RECT{rect.left, rect.top, rect.left + 1, bottom}, topLeft);
    FillSolidRect(RECT{right, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolidRect(RECT{rect.left, bottom, rect.right, rect.bottom}, bottomRight);
}
