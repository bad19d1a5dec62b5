#include "CBitmap.h"

#include "CWnd.h"

CBitmap& CBitmap::operator=(CBitmap&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_hBitmap = other.Detach();
    }
    return *this;
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    DeleteObject();
    m_hBitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    return m_hBitmap != nullptr;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->GetSafeHdc() : nullptr, width, height));
}

BOOL CBitmap::Attach(HBITMAP bitmap)
{
    DeleteObject();
    m_hBitmap = bitmap;
    return m_hBitmap != nullptr;
}

HBITMAP CBitmap::Detach()
{
    const HBITMAP bitmap = m_hBitmap;
    m_hBitmap = nullptr;
    return bitmap;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hBitmap)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    return deleted;
}

BOOL CBitmap::GetSize(SIZE* size) const
{
    BITMAP info;
    if (!m_hBitmap || !::GetObjectA(m_hBitmap, sizeof(info), &info))
        return FALSE;
    size->cx = info.bmWidth;
    size->cy = info.bmHeight;
    return TRUE;
}
