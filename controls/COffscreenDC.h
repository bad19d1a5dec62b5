// COffscreenDC: a memory context that stands in for a target context while a picture is drawn.
// It covers the target's clip box in the target's own coordinates and, when it goes, copies
// everything to the target in a single BitBlt, so the target never shows a half-drawn picture.
#pragma once

#include "framework/CBitmap.h"
#include "framework/CDC.h"

class COffscreenDC : public CDC {
public:
    // The target must outlive this object.
    explicit COffscreenDC(CDC* target);
    ~COffscreenDC() override;

private:
    CDC* m_target;
    RECT m_area = {};
    CBitmap m_bitmap;
    HGDIOBJ m_previousBitmap = nullptr;
};
