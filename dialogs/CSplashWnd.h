// CSplashWnd: the picture shown while Dustora starts. It closes by itself at the first tick of
// its timer at which the program no longer holds it, or at once on a key or mouse press.
#pragma once

#include "dialogs/CShapedWnd.h"
#include "framework/CBitmap.h"

class CSplashWnd : public CShapedWnd {
public:
    // splashHold: the program's flag, 1 while the splash must stay; read at every tick.
    CSplashWnd(UINT pictureId, UINT intervalMs, const int& splashHold);

    // Shows the splash centred on the screen and starts its timer. From then on the window owns
    // this object, which must have been made with new, and frees it when it closes. FALSE when
    // there is no picture or no window: the object then stays its creator's.
    BOOL Show();

    // Key and mouse presses close the splash and go no further.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR timerId);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    // Frees this object: nothing of it may be used after the call.
    void CloseSplash();

    UINT m_splashPictureId;
    UINT m_intervalMs;
    UINT_PTR m_timerId = 0;
    CBitmap m_picture;
    const int& m_splashHold;
    BOOL m_ownsItself = FALSE;
};
