#include "dialogs/DialogLook.h"

void FillControlBackground(CDC& dc, const CWnd& control, COLORREF color)
{
    RECT client = {};
    control.GetClientRect(&client);
    dc.FillSolidRect(client, color);
}

SIZE CenterHorizontally(CWnd& control, int clientWidth, int y)
{
    RECT outer = {};
    control.GetWindowRect(&outer);
    const SIZE size = {outer.right - outer.left, outer.bottom - outer.top};
    control.SetWindowPos(nullptr, clientWidth / 2 - size.cx / 2, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}
