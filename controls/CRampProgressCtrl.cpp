#include "controls/CRampProgressCtrl.h"

#include "controls/COffscreenDC.h"
#include "framework/CPaintDC.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <cstdlib>

namespace {

void FillWithBrush(CDC& dc, const RECT& rect, COLORREF color)
{
    const UniqueGdiObject<HBRUSH> brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush.get());
}

}  // namespace

BEGIN_MESSAGE_MAP(CRampProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CRampProgressCtrl::CRampProgressCtrl() : m_backgroundColor(::GetSysColor(COLOR_BTNFACE))
{
}

void CRampProgressCtrl::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_position = lower;
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void CRampProgressCtrl::SetPos(int position)
{
    m_position = position;
    SendMessage(PBM_SETPOS, static_cast<WPARAM>(position));
}

void CRampProgressCtrl::SetStep(int step)
{
    m_step = step;
    SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step));
}

int CRampProgressCtrl::FilledWidth(int lower, int upper, int position, int width)
{
    if (position <= lower)
        return 0;
    if (position >= upper)
        return width;
    const double filled = static_cast<double>(position) / upper * width;
    return static_cast<int>(std::clamp(filled, 0.0, static_cast<double>(width)));
}

// The whole paint goes to one off-screen bitmap and reaches the screen in one copy; together
// with the erase that does nothing, the bar never flickers however often it moves.
void CRampProgressCtrl::OnPaint()
{
    CPaintDC paint(this);
    RECT client;
    GetClientRect(&client);
    COffscreenDC offscreen(&paint);
    if (m_position <= m_lower)
        FillWithBrush(offscreen, client, ::GetSysColor(COLOR_BTNFACE));
    else
        DrawRamp(offscreen, client, FilledWidth(m_lower, m_upper, m_position, client.right));
}

BOOL CRampProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// One strip per step of the channel that changes most (255 from red to blue); a pixel's colour
// depends on its column alone, never on the position.
void CRampProgressCtrl::DrawRamp(CDC& dc, const RECT& client, int filledWidth) const
{
    const int start[3] = {GetRValue(m_startColor), GetGValue(m_startColor), GetBValue(m_startColor)};
    const int change[3] = {GetRValue(m_endColor) - start[0], GetGValue(m_endColor) - start[1],
                           GetBValue(m_endColor) - start[2]};
    const int strips = std::max({std::abs(change[0]), std::abs(change[1]), std::abs(change[2]), 1});
    const float stripWidth = static_cast<float>(client.right) / static_cast<float>(strips);
    float perStrip[3];
    for (int channel = 0; channel < 3; ++channel)
        perStrip[channel] = static_cast<float>(change[channel]) / static_cast<float>(strips);

    for (int i = 0; i < strips; ++i) {
        RECT strip = {static_cast<int>(static_cast<float>(i) * stripWidth), 0,
                      static_cast<int>(static_cast<float>(i + 1) * stripWidth), client.bottom + 1};
        if (i + 1 == strips)
            strip.right = client.right;   // no column left out by the rounding of the last edge
        const auto channelAt = [&](int channel) {
            return static_cast<BYTE>(static_cast<int>(static_cast<float>(start[channel]) + static_cast<float>(i) * perStrip[channel]));
        };
        FillWithBrush(dc, strip, RGB(channelAt(0), channelAt(1), channelAt(2)));
        if (strip.right > filledWidth) {
            FillWithBrush(dc, RECT{strip.right, 0, client.right, client.bottom}, m_backgroundColor);
            return;
        }
    }
}
