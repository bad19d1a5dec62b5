#include "controls/COffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* target) : m_target(target)
{
    ::GetClipBox(*target, &m_area);
    CreateCompatibleDC(target);
    m_bitmap.Attach(::CreateCompatibleBitmap(*target, m_area.right - m_area.left, m_area.bottom - m_area.top));
    m_previousBitmap = SelectObject(m_bitmap);
    ::SetWindowOrgEx(m_hDC, m_area.left, m_area.top, nullptr);
}

COffscreenDC::~COffscreenDC()
{
    m_target->BitBlt(m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, this,
                     m_area.left, m_area.top, SRCCOPY);
    if (m_previousBitmap)
        SelectObject(m_previousBitmap);
}
