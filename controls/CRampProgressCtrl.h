// CRampProgressCtrl: a progress bar that paints itself with a colour ramp, red at the left edge
// to blue at the right. The ramp always spans the control's whole width, so a growing bar
// uncovers more of the same ramp. The common control underneath still receives every range,
// step and position; only the values kept here are painted.
#pragma once

#include "framework/CProgressCtrl.h"
#include "framework/MessageMap.h"

class CRampProgressCtrl : public CProgressCtrl {
public:
    CRampProgressCtrl();

    // Also moves the position to lower.
    void SetRange(int lower, int upper);
    void SetPos(int position);
    void SetStep(int step);

    // The filled part of a bar width pixels wide: position / upper of the width (the upper
    // bound alone is the divisor), nothing at or below lower, the whole width at or above upper.
    static int FilledWidth(int lower, int upper, int position, int width);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    // Paints the ramp in strips until the strip that holds filledWidth, then the background.
    void DrawRamp(CDC& dc, const RECT& client, int filledWidth) const;

    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_position = 0;
    COLORREF m_startColor = RGB(255, 0, 0);
    COLORREF m_endColor = RGB(0, 0, 255);
    COLORREF m_backgroundColor;
};
