// The flat icon button drawn into a bitmap of the test's own and read back pixel by pixel: where
// the icon and the caption go, the frames of hover and press, the disabled look, the snapshot of
// the parent, and a double click as a second press.
#include "controls/CFlatIconButton.h"
#include "framework/CBitmap.h"
#include "framework/MessageMap.h"
#include "support/Canvas.h"
#include "support/DialogTemplate.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

namespace {

enum : int { kButton = 1200 };
const COLORREF kIconColour = RGB(255, 0, 0);
const COLORREF kTextColour = RGB(0, 255, 0);
const COLORREF kHoverTextColour = RGB(0, 0, 255);
const COLORREF kParentColour = RGB(10, 20, 30);

// A solid red 32 x 32 icon without transparent pixels.
HICON MakeRedIcon()
{
    Canvas colour(32, 32);
    colour.dc.FillSolidRect(RECT{0, 0, 32, 32}, kIconColour);
    CBitmap colourBitmap;
    colourBitmap.Attach(::CreateCompatibleBitmap(colour.dc, 32, 32));
    {
        CDC copy;
        copy.CreateCompatibleDC(nullptr);
        const HGDIOBJ previous = copy.SelectObject(colourBitmap);
        copy.BitBlt(0, 0, 32, 32, &colour.dc, 0, 0, SRCCOPY);
        copy.SelectObject(previous);
    }
    const BYTE maskBits[32 * 4] = {};   // all opaque
    CBitmap mask;
    mask.Attach(::CreateBitmap(32, 32, 1, 1, maskBits));
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = colourBitmap;
    return ::CreateIconIndirect(&info);
}

class CButtonHostDlg : public CDialog {
public:
    explicit CButtonHostDlg(const char* caption = "Go", DWORD style = 0)
        : m_template(Make(caption, style))
    {
        InitModalIndirect(m_template.Get());
    }

    CFlatIconButton m_button;
    int m_clicks = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kButton, m_button); }
    BOOL OnEraseBkgnd(CDC* dc)
    {
        RECT client;
        GetClientRect(&client);
        dc->FillSolidRect(client, kParentColour);
        return TRUE;
    }
    void OnButtonClicked() { ++m_clicks; }
    DECLARE_MESSAGE_MAP()

private:
    static DialogTemplate Make(const char* caption, DWORD style)
    {
        DialogTemplate t("Flat button", WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 80);
        t.Button(kButton, caption, style, 30);
        return t;
    }
    DialogTemplate m_template;
};

BEGIN_MESSAGE_MAP(CButtonHostDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_BN_CLICKED(kButton, &CButtonHostDlg::OnButtonClicked)
END_MESSAGE_MAP()

// Draws the button as its parent's owner-draw request would, into a canvas of size.
void Draw(CFlatIconButton& button, Canvas& canvas, SIZE size, UINT state = 0)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kButton;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button.GetSafeHwnd();
    item.hDC = canvas.dc;
    item.rcItem = RECT{0, 0, size.cx, size.cy};
    button.DrawItem(&item);
}

void Dress(CFlatIconButton& button, int alignment, int offset)
{
    button.SetIcon(MakeRedIcon(), nullptr);
    button.SetAlign(alignment);
    button.SetIconOffset(offset);
    button.SetNormalTextColor(kTextColour, false);
    button.SetHoverTextColor(kHoverTextColour, false);
}

LONG CentreX(const RECT& r) { return (r.left + r.right) / 2; }
LONG CentreY(const RECT& r) { return (r.top + r.bottom) / 2; }

void ExpectRect(const RECT& expected, const RECT& seen)
{
    EXPECT_EQ(expected.left, seen.left);
    EXPECT_EQ(expected.top, seen.top);
    EXPECT_EQ(expected.right, seen.right);
    EXPECT_EQ(expected.bottom, seen.bottom);
}

// Runs action on the host dialog's button once it is on screen.
template <typename Action>
void WithButton(CButtonHostDlg& dlg, Action action)
{
    RunModal(dlg, [&](CDialog& d) {
        action(static_cast<CButtonHostDlg&>(d).m_button);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(FlatIconButton, ItDrawsItselfWhateverKindOfPushButtonItWas)
{
    for (DWORD kind : {DWORD(BS_PUSHBUTTON), DWORD(BS_DEFPUSHBUTTON)}) {
        CButtonHostDlg dlg("Go", kind);
        WithButton(dlg, [](CFlatIconButton& button) {
            EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
            EXPECT_TRUE(button.GetStyle() & WS_TABSTOP);
        });
    }
}

TEST(FlatIconButton, TheIconIsMeasuredFromItsHotSpot)
{
    CButtonHostDlg dlg;
    WithButton(dlg, [](CFlatIconButton& button) {
        button.SetIcon(MakeRedIcon(), nullptr);
        EXPECT_EQ(32, button.GetIconSize().cx);
        EXPECT_EQ(32, button.GetIconSize().cy);
        button.SetIcon(nullptr, nullptr);
        EXPECT_EQ(0, button.GetIconSize().cx);
        button.SetIcon(99999, 0);   // no such resource: no icon, nothing drawn
        EXPECT_EQ(0, button.GetIconSize().cy);
        Canvas canvas(100, 40);
        Draw(button, canvas, SIZE{100, 40});
        EXPECT_EQ(0, canvas.BoundsOf(kIconColour).right);
    });
}

// Where icon and caption go: an icon without caption sits in the middle; left of a caption it
// starts 3 pixels in and the caption is centred in the rest; above a caption it starts at the
// top plus its offset and the caption is centred below it.
TEST(FlatIconButton, TheIconAndTheCaptionShareTheButton)
{
    const struct {
        const char* name;
        const char* caption;
        int alignment;
        int offset;
        SIZE size;
        RECT icon;
        POINT captionCentre;
        RECT captionWithin;
    } cases[] = {
        {"left, no caption", "", CFlatIconButton::kIconLeft, 0, {40, 40}, {4, 4, 36, 36}, {}, {}},
        {"above, no caption", "", CFlatIconButton::kIconAbove, 0, {40, 40}, {4, 4, 36, 36}, {}, {}},
        {"left of the caption", "Go", CFlatIconButton::kIconLeft, 0, {100, 40}, {3, 4, 35, 36}, {67, 20}, {35, 0, 100, 40}},
        {"above the caption", "Go", CFlatIconButton::kIconAbove, 3, {80, 70}, {24, 3, 56, 35}, {40, 51}, {0, 35, 80, 70}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CButtonHostDlg dlg(c.caption);
        WithButton(dlg, [&c](CFlatIconButton& button) {
            Dress(button, c.alignment, c.offset);
            button.SetAlign(7);   // no such alignment: the one set stays
            Canvas canvas(c.size.cx, c.size.cy);
            Draw(button, canvas, c.size);
            ExpectRect(c.icon, canvas.BoundsOf(kIconColour));
            const RECT caption = canvas.BoundsOf(kTextColour);
            if (!*c.caption) {
                EXPECT_EQ(0, caption.right);
                return;
            }
            ASSERT_NE(0, caption.right) << "no caption drawn";
            EXPECT_NEAR(c.captionCentre.x, CentreX(caption), 2);
            EXPECT_NEAR(c.captionCentre.y, CentreY(caption), 2);
            EXPECT_GE(caption.left, c.captionWithin.left);
            EXPECT_GE(caption.top, c.captionWithin.top);
            EXPECT_LE(caption.right, c.captionWithin.right);
            EXPECT_LE(caption.bottom, c.captionWithin.bottom);
        });
    }
}

TEST(FlatIconButton, PressingShiftsTheContentAndSinksTheFrame)
{
    CButtonHostDlg dlg("Go");
    WithButton(dlg, [](CFlatIconButton& button) {
        Dress(button, CFlatIconButton::kIconLeft, 0);
        Canvas up(100, 40);
        Draw(button, up, SIZE{100, 40});
        Canvas down(100, 40);
        Draw(button, down, SIZE{100, 40}, ODS_SELECTED);

        ExpectRect(RECT{4, 5, 36, 37}, down.BoundsOf(kIconColour));
        // Pressed, the caption takes the hover colour, one pixel further right and down.
        const RECT released = up.BoundsOf(kTextColour);
        const RECT pressed = down.BoundsOf(kHoverTextColour);
        ASSERT_NE(0, pressed.right) << "no hover-coloured caption";
        ExpectRect(RECT{released.left + 1, released.top + 1, released.right + 1, released.bottom + 1}, pressed);

        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), down.dc.GetPixel(0, 0));
        EXPECT_EQ(::GetSysColor(COLOR_BTNHILIGHT), down.dc.GetPixel(99, 39));
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), up.dc.GetPixel(0, 0));   // no frame at rest
    });
}

TEST(FlatIconButton, TheMouseOverItRaisesTheFrame)
{
    CButtonHostDlg dlg("Go");
    WithButton(dlg, [](CFlatIconButton& button) {
        Dress(button, CFlatIconButton::kIconLeft, 0);
        ::SetActiveWindow(button.GetParent()->GetSafeHwnd());
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ASSERT_EQ(1, button.IsMouseOver());
        EXPECT_EQ(button.GetSafeHwnd(), ::GetCapture());
        Canvas canvas(100, 40);
        Draw(button, canvas, SIZE{100, 40});
        EXPECT_EQ(::GetSysColor(COLOR_BTNHILIGHT), canvas.dc.GetPixel(0, 0));
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.dc.GetPixel(99, 39));
        EXPECT_NE(0, canvas.BoundsOf(kHoverTextColour).right);

        // Losing the capture ends the hover.
        ::ReleaseCapture();
        EXPECT_EQ(0, button.IsMouseOver());
        Canvas after(100, 40);
        Draw(button, after, SIZE{100, 40});
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), after.dc.GetPixel(0, 0));
    });
}

TEST(FlatIconButton, DisabledDrawsIconAndCaptionEmbossed)
{
    CButtonHostDlg dlg("Go");
    WithButton(dlg, [](CFlatIconButton& button) {
        Dress(button, CFlatIconButton::kIconLeft, 0);
        Canvas canvas(100, 40);
        Draw(button, canvas, SIZE{100, 40}, ODS_DISABLED);
        EXPECT_EQ(0, canvas.BoundsOf(kIconColour).right);
        EXPECT_EQ(0, canvas.BoundsOf(kTextColour).right);
        // Something is drawn where the icon goes.
        EXPECT_NE(::GetSysColor(COLOR_BTNFACE), canvas.dc.GetPixel(3 + 16, 20));
    });
}

TEST(FlatIconButton, TransparentPaintsTheParentBeneathFromOneSnapshot)
{
    CButtonHostDlg dlg("");
    WithButton(dlg, [](CFlatIconButton& button) {
        // As the program's dialogs do: the parent paints its background, then the button.
        button.SetTransparent(false);
        ::RedrawWindow(button.GetParent()->GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ASSERT_TRUE(button.HasSnapshot());
        RECT client;
        button.GetClientRect(&client);
        Canvas canvas(client.right, client.bottom);
        Draw(button, canvas, SIZE{client.right, client.bottom});
        EXPECT_EQ(kParentColour, canvas.dc.GetPixel(1, 1));
        EXPECT_EQ(kParentColour, canvas.dc.GetPixel(client.right - 2, client.bottom - 2));

        button.SetTransparent(false);
        EXPECT_FALSE(button.HasSnapshot());
        button.SendMessage(WM_SYSCOLORCHANGE);
        EXPECT_FALSE(button.HasSnapshot());
    });
}

TEST(FlatIconButton, ADoubleClickIsASecondPress)
{
    CButtonHostDlg dlg("Go");
    RunModal(dlg, [](CDialog& d) {
        auto& host = static_cast<CButtonHostDlg&>(d);
        const LPARAM at = MAKELPARAM(5, 5);
        host.m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        host.m_button.SendMessage(WM_LBUTTONUP, 0, at);
        host.m_button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        host.m_button.SendMessage(WM_LBUTTONUP, 0, at);
        DrainMessages();
        EXPECT_EQ(2, host.m_clicks);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
