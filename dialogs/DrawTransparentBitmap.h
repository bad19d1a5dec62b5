// DrawTransparentBitmap: draws a bitmap with one colour left out, so the target shows through
// wherever the picture has exactly that colour.
#pragma once

#include "framework/CDC.h"

// Top-left corner at (x, y) in the target's logical units. The caller's bitmap is briefly
// changed while it is drawn and put back as it was; it must not be selected into a context.
void DrawTransparentBitmap(CDC* target, HBITMAP bitmap, short x, short y, COLORREF transparent);
