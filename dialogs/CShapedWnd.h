// CShapedWnd: a borderless pop-up window whose visible shape is cut from a mask bitmap: black
// mask pixels are outside the window, every other pixel the mask covers is inside. Its picture
// is drawn as the background, and dragging anywhere on it moves the window.
#pragma once

#include "framework/CWnd.h"
#include "framework/MessageMap.h"
#include "framework/UniqueHandle.h"

class CShapedWnd : public CWnd {
public:
    // A top-level WS_POPUP | WS_SYSMENU window shaped by bitmap maskId.
    BOOL Create(const char* title, const RECT& rect, UINT maskId, UINT pictureId);
    // Hands the window the region of bitmap maskId; FALSE, leaving the window's shape alone,
    // when there is no such bitmap.
    BOOL BuildRegion(CDC* dc, UINT maskId);

    // The part of a window of this size that the mask keeps: the pixels of the mask that are
    // not exactly black, cut to the window. Built from runs of pixels, a band of equal rows at
    // a time.
    static UniqueGdiObject<HRGN> RegionFromMask(CDC& dc, HBITMAP mask, SIZE window);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, POINT point);
    DECLARE_MESSAGE_MAP()

    WORD m_pictureId = 0;
};
