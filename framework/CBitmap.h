// CBitmap: an owned bitmap, deleted with the object. Move-only.
#pragma once

#include "CDC.h"
#include "CObject.h"

#include <windows.h>

class CBitmap : public CObject {
public:
    CBitmap() = default;
    ~CBitmap() override { DeleteObject(); }
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    CBitmap(CBitmap&& other) noexcept : m_hBitmap(other.Detach()) {}
    CBitmap& operator=(CBitmap&& other) noexcept;

    // Loads a bitmap resource of the program by number; a bitmap held before is deleted first.
    BOOL LoadBitmap(UINT id);
    // A bitmap of the format of dc's current one (monochrome for a new memory context).
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL Attach(HBITMAP bitmap);
    HBITMAP Detach();
    BOOL DeleteObject();

    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    operator HBITMAP() const { return m_hBitmap; }  // NOLINT: like MFC
    // Width and height in pixels; FALSE when no bitmap is held.
    BOOL GetSize(SIZE* size) const;

private:
    HBITMAP m_hBitmap = nullptr;
};
