// Dialogs of the framework driven with real messages: data exchange, message maps, the modal
// loop and its owner, reflection to control objects, modeless dialogs.
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/MessageMap.h"
#include "support/DialogTemplate.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

enum : int {
    kFirstBox = 1100, kSecondBox, kThirdBox, kName, kCount, kRadioA, kRadioB, kRadioC, kLabel, kPlainButton, kFailButton
};
constexpr UINT kAskMessage = WM_APP + 7;

DialogTemplate ExchangeTemplate()
{
    DialogTemplate t("Exchange", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 220);
    t.CheckBox(kFirstBox, "First").CheckBox(kSecondBox, "Second").CheckBox(kThirdBox, "Third");
    t.Edit(kName).Edit(kCount);
    t.Radio(kRadioA, "A", WS_GROUP | WS_TABSTOP).Radio(kRadioB, "B").Radio(kRadioC, "C");
    t.Label(kLabel, "Label").Button(kPlainButton, "Plain", WS_GROUP).Button(kFailButton, "Fail");
    t.Button(IDOK, "OK").Button(IDCANCEL, "Cancel");
    return t;
}

class CExchangeDlg : public CDialog {
public:
    explicit CExchangeDlg(CWnd* parent = nullptr) : CDialog(0, parent)
    {
        InitModalIndirect(m_template.Get());
    }

    int m_first = 1;
    int m_second = 0;
    int m_third = 5;   // out of range: shows unticked
    int m_choice = 1;
    CString m_name = "initial";
    int m_count = 17;
    CButton m_firstBox;

    int m_plainClicks = 0;
    WPARAM m_askedWith = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kFirstBox, m_firstBox);
        DDX_Check(pDX, kFirstBox, m_first);
        DDX_Check(pDX, kSecondBox, m_second);
        DDX_Check(pDX, kThirdBox, m_third);
        DDX_Radio(pDX, kRadioA, m_choice);
        DDX_Text(pDX, kName, m_name);
        DDX_Text(pDX, kCount, m_count);
    }

    void OnPlainClicked() { ++m_plainClicks; }
    void OnFailClicked() { throw std::runtime_error("handler failure"); }
    LRESULT OnAsk(WPARAM wParam, LPARAM lParam)
    {
        m_askedWith = wParam;
        return lParam + 1;
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind)
    {
        HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
        if (kind == CTLCOLOR_STATIC && control && control->GetDlgCtrlID() == kLabel)
            return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        return brush;
    }

    DECLARE_MESSAGE_MAP()

private:
    DialogTemplate m_template = ExchangeTemplate();
};

BEGIN_MESSAGE_MAP(CExchangeDlg, CDialog)
    ON_BN_CLICKED(kPlainButton, &CExchangeDlg::OnPlainClicked)
    ON_BN_CLICKED(kFailButton, &CExchangeDlg::OnFailClicked)
    ON_MESSAGE(kAskMessage, &CExchangeDlg::OnAsk)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

TEST(DialogExchange, MembersGoIntoTheControlsAtInitialisation)
{
    CExchangeDlg dlg;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(kFirstBox));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kSecondBox));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kThirdBox));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kRadioA));
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(kRadioB));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kRadioC));
        EXPECT_STREQ("initial", d.GetDlgItemText(kName));
        EXPECT_STREQ("17", d.GetDlgItemText(kCount));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, dlg.m_third);   // taken back into range when shown
}

TEST(DialogExchange, OkTakesTheControlsIntoTheMembers)
{
    CExchangeDlg dlg;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        Click(d, kFirstBox);
        Click(d, kSecondBox);
        Click(d, kRadioC);
        d.SetDlgItemText(kName, "C:\\TEMP\\");
        d.SetDlgItemText(kCount, " -42 ");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, dlg.m_first);
    EXPECT_EQ(1, dlg.m_second);
    EXPECT_EQ(2, dlg.m_choice);
    EXPECT_STREQ("C:\\TEMP\\", dlg.m_name);
    EXPECT_EQ(-42, dlg.m_count);
}

TEST(DialogExchange, RadioGroupWithNoneTickedReadsMinusOne)
{
    CExchangeDlg dlg;
    dlg.m_choice = -1;
    RunModal(dlg, [](CDialog& d) {
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kRadioA));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kRadioB));
        d.PostMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(-1, dlg.m_choice);
}

TEST(DialogExchange, CancelLeavesTheMembersAlone)
{
    struct Case { const char* name; void (*cancel)(CDialog&); };
    const Case cases[] = {
        {"Cancel button", [](CDialog& d) { Click(d, IDCANCEL); }},
        {"WM_CLOSE", [](CDialog& d) { d.PostMessage(WM_CLOSE); }},
        {"Escape", [](CDialog& d) {
             ::SetFocus(d.GetDlgItem(kName)->GetSafeHwnd());
             ::PostMessageA(d.GetDlgItem(kName)->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExchangeDlg dlg;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            Click(d, kFirstBox);
            Click(d, kRadioA);
            d.SetDlgItemText(kName, "changed");
            d.SetDlgItemText(kCount, "99");
            c.cancel(d);
        });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_EQ(1, dlg.m_first);
        EXPECT_EQ(1, dlg.m_choice);
        EXPECT_STREQ("initial", dlg.m_name);
        EXPECT_EQ(17, dlg.m_count);
    }
}

TEST(DialogExchange, TextThatIsNoNumberIsRefusedAndTheDialogStays)
{
    RecordedBoxes boxes;
    CExchangeDlg dlg;
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        for (const char* text : {"12x", "", "99999999999"}) {
            SCOPED_TRACE(text);
            d.SetDlgItemText(kCount, text);
            Click(d, IDOK);
            EXPECT_TRUE(d.IsModalLoopRunning());
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(3u, boxes.shown.size());
    EXPECT_EQ("Please enter an integer.", boxes.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.shown[0].type);
    EXPECT_EQ(17, dlg.m_count);
}

TEST(DialogExchange, ControlBindsItsWrapperUntilTheWindowGoes)
{
    CExchangeDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& dlg = static_cast<CExchangeDlg&>(d);
        ASSERT_NE(nullptr, dlg.m_firstBox.GetSafeHwnd());
        EXPECT_EQ(::GetDlgItem(d.GetSafeHwnd(), kFirstBox), dlg.m_firstBox.GetSafeHwnd());
        EXPECT_EQ(&dlg.m_firstBox, CWnd::FromHandlePermanent(dlg.m_firstBox.GetSafeHwnd()));
        EXPECT_EQ(&dlg.m_firstBox, d.GetDlgItem(kFirstBox));
        dlg.m_firstBox.SetCheck(BST_UNCHECKED);
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(kFirstBox));
        d.CheckDlgButton(kFirstBox, BST_CHECKED);
        EXPECT_EQ(BST_CHECKED, dlg.m_firstBox.GetCheck());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(nullptr, dlg.m_firstBox.GetSafeHwnd());
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

TEST(DialogMessageMap, EntriesReachTheirHandlers)
{
    CExchangeDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& dlg = static_cast<CExchangeDlg&>(d);
        Click(d, kPlainButton);
        Click(d, kPlainButton);
        EXPECT_EQ(2, dlg.m_plainClicks);

        EXPECT_EQ(42, d.SendMessage(kAskMessage, 0x1234, 41));
        EXPECT_EQ(0x1234u, dlg.m_askedWith);

        HWND label = ::GetDlgItem(d.GetSafeHwnd(), kLabel);
        HWND edit = ::GetDlgItem(d.GetSafeHwnd(), kName);
        HDC dc = ::GetDC(label);
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)),
                  d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
        EXPECT_NE(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)),
                  d.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
        ::ReleaseDC(label, dc);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(DialogMessageMap, AnExceptionInAHandlerEndsTheDialogWithAbort)
{
    CExchangeDlg dlg;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) { Click(d, kFailButton); });
    EXPECT_EQ(IDABORT, result);
}

// A label object that answers its parent's colour request itself.
class CYellowLabel : public CStatic {
public:
    int m_requests = 0;

protected:
    HBRUSH CtlColor(CDC* dc, UINT kind)
    {
        ++m_requests;
        dc->SetTextColor(RGB(255, 255, 64));
        return kind == CTLCOLOR_STATIC ? static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)) : nullptr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CYellowLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CLabelDlg : public CDialog {
public:
    CLabelDlg() { InitModalIndirect(m_template.Get()); }
    CYellowLabel m_label;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kLabel, m_label); }

private:
    DialogTemplate m_template = ExchangeTemplate();
};

TEST(DialogMessageMap, ColourRequestsAreReflectedToTheControlObject)
{
    CLabelDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& dlg = static_cast<CLabelDlg&>(d);
        HWND label = dlg.m_label.GetSafeHwnd();
        HDC dc = ::GetDC(label);
        ::SetTextColor(dc, RGB(0, 0, 0));
        const int before = dlg.m_label.m_requests;
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
                  d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
        EXPECT_EQ(RGB(255, 255, 64), ::GetTextColor(dc));
        EXPECT_EQ(before + 1, dlg.m_label.m_requests);
        ::ReleaseDC(label, dc);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(DialogModal, TheOwnerIsDisabledWhileTheDialogRuns)
{
    CExchangeDlg owner;
    ASSERT_TRUE(owner.Create(0, nullptr) || owner.GetSafeHwnd());
    ASSERT_NE(nullptr, owner.GetSafeHwnd());
    ASSERT_TRUE(owner.IsWindowEnabled());

    CExchangeDlg dlg(&owner);
    RunModal(dlg, [&](CDialog& d) {
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(owner.GetSafeHwnd(), ::GetWindow(d.GetSafeHwnd(), GW_OWNER));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(nullptr, owner.GetSafeHwnd());
}

TEST(DialogModal, AMissingTemplateGivesMinusOne)
{
    CExchangeDlg owner;
    ASSERT_TRUE(owner.Create(0, nullptr));
    CDialog dlg(31999, &owner);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

// Counts what the modal loop offers before dispatching.
class CCountingDlg : public CExchangeDlg {
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        ++m_offered;
        if (msg->message == kAskMessage)
            ++m_askOffered;
        return CExchangeDlg::PreTranslateMessage(msg);
    }
    int m_offered = 0;
    int m_askOffered = 0;
    int m_offeredBeforeAction = -1;

protected:
    BOOL OnInitDialog() override
    {
        CExchangeDlg::OnInitDialog();
        PostMessage(kAskMessage, 5, 0);
        return TRUE;
    }
};

TEST(DialogModal, ThePostedMessagesPassThroughPreTranslateMessage)
{
    CCountingDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& dlg = static_cast<CCountingDlg&>(d);
        dlg.m_offeredBeforeAction = dlg.m_offered;
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_GE(dlg.m_offeredBeforeAction, 1);
    EXPECT_EQ(1, dlg.m_askOffered);
    EXPECT_EQ(5u, dlg.m_askedWith);
}

TEST(DialogModeless, EndDialogHidesAndTheDestructorDestroys)
{
    HWND hwnd = nullptr;
    {
        CExchangeDlg dlg;
        ASSERT_TRUE(dlg.Create(0, nullptr));
        hwnd = dlg.GetSafeHwnd();
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_STREQ("initial", dlg.GetDlgItemText(kName));
        Click(dlg, kPlainButton);
        EXPECT_EQ(1, dlg.m_plainClicks);
        dlg.EndDialog(IDCANCEL);
        DrainMessages();
        EXPECT_TRUE(::IsWindow(hwnd));
        EXPECT_FALSE(dlg.IsWindowVisible());
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

}  // namespace
