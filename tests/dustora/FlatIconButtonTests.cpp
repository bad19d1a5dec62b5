// The flat icon button drawn into a bitmap of the test's own and read back pixel by pixel: where
// the icon and the caption go, the frames of hover and press, the disabled look, the snapshot of
// the parent, and a double click as a second press.
#include "controls/CFlatIconButton.h"
#include "framework/MessageMap.h"
#include "support/Canvas.h"
#include "support/DialogTemplate.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

enum : int { kButton = 1200 };
const COLORREF kIconColour = RGB(255, 0, 0);
const COLORREF kTextColour = RGB(0, 255, 0);
const COLORREF kHoverTextColour = RGB(0, 0, 255);
const COLORREF kParentColour = RGB(10, 20, 30);

// A solid red 32 x 32 icon without transparent pixels.
HICON MakeRedIcon()
{
    const std::vector<DWORD> red(32 * 32, 0x00FF0000);
    const BYTE opaque[32 * 4] = {};
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = ::CreateBitmap(32, 32, 1, 1, opaque);
    info.hbmColor = ::CreateBitmap(32, 32, 1, 32, red.data());
    const HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return icon;
}

class CButtonHostDlg : public CDialog {
public:
    explicit CButtonHostDlg(const char* caption = "Go", DWORD style = 0) : m_template(Make(caption, style))
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

// The button drawn as its parent's owner-draw request would, into a canvas of its own.
struct Drawn : Canvas {
    explicit Drawn(CFlatIconButton& button, UINT state = 0, SIZE size = {100, 40}) : Canvas(size.cx, size.cy)
    {
        DRAWITEMSTRUCT item = {ODT_BUTTON, kButton, 0, ODA_DRAWENTIRE, state, button.GetSafeHwnd(), dc,
                               RECT{0, 0, size.cx, size.cy}, 0};
        button.DrawItem(&item);
    }
};

void Dress(CFlatIconButton& button, int alignment = CFlatIconButton::kIconLeft, int offset = 0)
{
    button.SetIcon(MakeRedIcon(), nullptr);
    button.SetAlign(alignment);
    button.SetIconOffset(offset);
    button.SetNormalTextColor(kTextColour, false);
    button.SetHoverTextColor(kHoverTextColour, false);
}

auto Tie(const RECT& r)
{
    return std::make_tuple(r.left, r.top, r.right, r.bottom);
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

// Whatever kind of push button the template made, the button draws itself and keeps its tab stop.
// Its icon is measured from the icon itself; an icon resource that is not there draws nothing.
TEST(FlatIconButton, ItDrawsItselfAndMeasuresItsIcon)
{
    for (DWORD kind : {DWORD(BS_PUSHBUTTON), DWORD(BS_DEFPUSHBUTTON)}) {
        CButtonHostDlg dlg("Go", kind);
        WithButton(dlg, [](CFlatIconButton& button) {
            EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
            EXPECT_TRUE(button.GetStyle() & WS_TABSTOP);
            button.SetIcon(MakeRedIcon(), nullptr);
            EXPECT_EQ(32, button.GetIconSize().cx);
            EXPECT_EQ(32, button.GetIconSize().cy);
            button.SetIcon(99999, 0);
            EXPECT_EQ(0, button.GetIconSize().cy);
            const Drawn canvas(button);
            EXPECT_EQ(0, canvas.BoundsOf(kIconColour).right);
        });
    }
}

// An icon without caption sits in the middle; left of a caption it starts 3 pixels in and the
// caption is centred in the rest; above a caption it starts at the top plus its offset and the
// caption is centred below it.
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
            const Drawn canvas(button, 0, c.size);
            EXPECT_EQ(Tie(c.icon), Tie(canvas.BoundsOf(kIconColour)));
            const RECT caption = canvas.BoundsOf(kTextColour);
            if (!*c.caption) {
                EXPECT_EQ(0, caption.right);
                return;
            }
            ASSERT_NE(0, caption.right) << "no caption drawn";
            EXPECT_NEAR(c.captionCentre.x, (caption.left + caption.right) / 2, 2);
            EXPECT_NEAR(c.captionCentre.y, (caption.top + caption.bottom) / 2, 2);
            RECT within;
            EXPECT_TRUE(::UnionRect(&within, &c.captionWithin, &caption) && ::EqualRect(&within, &c.captionWithin));
        });
    }
}

// No frame at rest; pressed, a sunken frame, the content one pixel right and down and the caption
// in the hover colour; under the mouse (which it captures) a raised frame until the capture goes;
// disabled, icon and caption embossed.
TEST(FlatIconButton, FramesAndColoursFollowTheStateAndADoubleClickIsASecondPress)
{
    CButtonHostDlg dlg("Go");
    WithButton(dlg, [&dlg](CFlatIconButton& button) {
        Dress(button);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        const COLORREF light = ::GetSysColor(COLOR_BTNHILIGHT);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        const Drawn rest(button);
        EXPECT_EQ(face, rest.dc.GetPixel(0, 0));

        const Drawn down(button, ODS_SELECTED);
        EXPECT_EQ(shadow, down.dc.GetPixel(0, 0));
        EXPECT_EQ(light, down.dc.GetPixel(99, 39));
        EXPECT_EQ(Tie(RECT{4, 5, 36, 37}), Tie(down.BoundsOf(kIconColour)));
        RECT shifted = rest.BoundsOf(kTextColour);
        ::OffsetRect(&shifted, 1, 1);
        EXPECT_EQ(Tie(shifted), Tie(down.BoundsOf(kHoverTextColour)));

        ::SetActiveWindow(button.GetParent()->GetSafeHwnd());
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ASSERT_EQ(1, button.IsMouseOver());
        EXPECT_EQ(button.GetSafeHwnd(), ::GetCapture());
        const Drawn hover(button);
        EXPECT_EQ(light, hover.dc.GetPixel(0, 0));
        EXPECT_EQ(shadow, hover.dc.GetPixel(99, 39));
        EXPECT_NE(0, hover.BoundsOf(kHoverTextColour).right);
        ::ReleaseCapture();
        const Drawn after(button);
        EXPECT_EQ(face, after.dc.GetPixel(0, 0));

        const Drawn disabled(button, ODS_DISABLED);
        EXPECT_EQ(0, disabled.BoundsOf(kIconColour).right);
        EXPECT_EQ(0, disabled.BoundsOf(kTextColour).right);
        EXPECT_NE(face, disabled.dc.GetPixel(3 + 16, 20)) << "nothing where the icon goes";

        for (UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {   // a double click is a second press
            button.SendMessage(down, MK_LBUTTON, MAKELPARAM(5, 5));
            button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        }
        DrainMessages();
        EXPECT_EQ(2, dlg.m_clicks);
    });
}

// As the program's dialogs do: the parent paints its background, then the button, which keeps
// one snapshot of it until SetTransparent or new system colours drop it.
TEST(FlatIconButton, TransparentPaintsTheParentBeneathFromOneSnapshot)
{
    CButtonHostDlg dlg("");
    WithButton(dlg, [](CFlatIconButton& button) {
        const auto repaintParent = [&button] {
            button.SetTransparent(false);
            ::RedrawWindow(button.GetParent()->GetSafeHwnd(), nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        };
        repaintParent();
        ASSERT_TRUE(button.HasSnapshot());
        RECT client;
        button.GetClientRect(&client);
        const Drawn canvas(button, 0, SIZE{client.right, client.bottom});
        EXPECT_EQ(kParentColour, canvas.dc.GetPixel(1, 1));
        EXPECT_EQ(kParentColour, canvas.dc.GetPixel(client.right - 2, client.bottom - 2));

        button.SetTransparent(false);
        EXPECT_FALSE(button.HasSnapshot());
        repaintParent();
        ASSERT_TRUE(button.HasSnapshot());
        button.SendMessage(WM_SYSCOLORCHANGE);
        EXPECT_FALSE(button.HasSnapshot());
    });
}

}  // namespace
