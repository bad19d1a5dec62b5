// The About box: version labels read from the program's own version block, the build stamp,
// the three links, and the credits roll that a release over the icon starts. The links are
// never clicked here.
#include "controls/CAboutDialog.h"

#include "resources/DustoraResource.h"
#include "resources/VersionInfo.h"
#include "support/Pixels.h"
#include "support/RunModal.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

RECT ClientRectOf(CDialog& d, int id)
{
    RECT rect;
    ::GetWindowRect(::GetDlgItem(d, id), &rect);
    d.ScreenToClient(&rect);
    return rect;
}

LPARAM CentreOf(const RECT& rect)
{
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// The rows a full roll scrolls: the credits' height in the dialog's default font, laid out in
// the frame's width, and the frame's height.
int FullRollRows(CDialog& d)
{
    const RECT frame = ClientRectOf(d, IDC_ABOUT_FRAME);
    CString credits;
    credits.LoadString(IDS_CREDITS);
    RECT text = {0, 0, frame.right - frame.left, frame.bottom - frame.top};
    const HDC dc = ::GetDC(d);
    ::DrawTextA(dc, credits, -1, &text, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER);
    ::ReleaseDC(d, dc);
    return (text.bottom - text.top) + (frame.bottom - frame.top);
}

// Runs action from a thread timer once, after delayMs, while the roll's own loop runs.
class DuringTheRoll {
public:
    DuringTheRoll(UINT delayMs, std::function<void()> action) : m_action(std::move(action))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, delayMs, &DuringTheRoll::Fire);
    }
    ~DuringTheRoll()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    DuringTheRoll(const DuringTheRoll&) = delete;
    DuringTheRoll& operator=(const DuringTheRoll&) = delete;

    bool fired = false;

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD)
    {
        if (!s_current || timer != s_current->m_timer || s_current->fired)
            return;
        ::KillTimer(nullptr, timer);
        s_current->fired = true;
        s_current->m_action();
    }

    static DuringTheRoll* s_current;
    std::function<void()> m_action;
    UINT_PTR m_timer = 0;
};

DuringTheRoll* DuringTheRoll::s_current = nullptr;

TEST(AboutDialog, ShowsTheVersionBlockTheBuildStampAndTheLinks)
{
    CAboutDialog dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& about = static_cast<CAboutDialog&>(d);
        EXPECT_FALSE(d.GetStyle() & WS_CAPTION) << "no caption bar";
        if (::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON)) {
            EXPECT_NE(0, d.SendDlgItemMessage(IDC_ABOUT_ICON, STM_GETICON)) << "the program's icon";
        }
        EXPECT_STREQ(DUSTORA_PRODUCT_NAME, d.GetDlgItemText(IDC_ABOUT_NAME));
        EXPECT_STREQ(DUSTORA_FILE_VERSION, d.GetDlgItemText(IDC_ABOUT_VERSION));
        EXPECT_STREQ(DUSTORA_BUILD, d.GetDlgItemText(IDC_ABOUT_BUILD));
        EXPECT_STREQ(HALVEX_COPYRIGHT, d.GetDlgItemText(IDC_ABOUT_COPYRIGHT));
        EXPECT_STREQ(BuildStamp(), d.GetDlgItemText(IDC_ABOUT_BUILD_STAMP));

        EXPECT_STREQ("Dustora Home Page.", about.m_homePage.GetWindowText());
        EXPECT_STREQ(DUSTORA_HOME_PAGE, about.m_homePage.GetURL());
        EXPECT_STREQ("Support E-Mail: " HALVEX_SUPPORT_MAIL, about.m_supportMail.GetWindowText());
        EXPECT_STREQ("mailto:" HALVEX_SUPPORT_MAIL, about.m_supportMail.GetURL());
        EXPECT_STREQ(HALVEX_WEB_ADDRESS, about.m_makerPage.GetWindowText());
        EXPECT_STREQ(HALVEX_WEB_ADDRESS, about.m_makerPage.GetURL());
        EXPECT_STREQ(DUSTORA_HOME_PAGE, about.m_homePage.GetToolTip().GetToolText(&about.m_homePage, kLinkToolId));
        EXPECT_TRUE(about.m_supportMail.GetStyle() & SS_NOTIFY);
        SaveScreenshot(d, "about");
        d.PostMessage(WM_COMMAND, IDOK);
    });
}

TEST(AboutDialog, BuildStampIsTheCompilersDateAndTime)
{
    const std::string stamp = BuildStamp().GetString();
    EXPECT_TRUE(std::regex_match(stamp, std::regex("Built on [A-Z][a-z]{2} [1-9][0-9]? [0-9]{4} at [0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
        << stamp;
}

TEST(AboutDialog, WithoutAVersionBlockTheLabelsKeepTheirTemplateTexts)
{
    const SandboxFolder folder;
    folder.MakeFile("plain.txt", "no version block here");
    CAboutDialog dlg;
    dlg.m_versionSource = folder.Below("plain.txt");
    RunModal(dlg, [](CDialog& d) {
        EXPECT_STREQ("<Name>", d.GetDlgItemText(IDC_ABOUT_NAME));
        EXPECT_STREQ("<Version>", d.GetDlgItemText(IDC_ABOUT_VERSION));
        EXPECT_STREQ("<Build Nr>", d.GetDlgItemText(IDC_ABOUT_BUILD));
        EXPECT_STREQ("", d.GetDlgItemText(IDC_ABOUT_COPYRIGHT));
        EXPECT_STREQ(BuildStamp(), d.GetDlgItemText(IDC_ABOUT_BUILD_STAMP));
        d.PostMessage(WM_COMMAND, IDOK);
    });
}

TEST(AboutDialog, CreditsNameTheProductTheMakerAndHowToReachThem)
{
    CString credits;
    ASSERT_TRUE(credits.LoadString(IDS_CREDITS));
    const std::string text = credits.GetString();
    EXPECT_EQ(0u, text.find("Dustora CREDITS:\n\nDustora 2.0 for Win95/98/NT/2000\n\n"));
    for (const char* part : {HALVEX_WEB_ADDRESS "\n", HALVEX_SUPPORT_MAIL "\n", "555-01", HALVEX_COPYRIGHT})
        EXPECT_NE(std::string::npos, text.find(part)) << part;
}

// A full roll scrolls text height plus frame height rows, at least 25 ms each, red on black;
// a second release over the icon meanwhile starts nothing.
TEST(AboutDialog, ReleaseOverTheIconRollsTheCreditsOnce)
{
    CAboutDialog dlg;
    int expectedRows = 0;
    DWORD took = 0;
    int redPixels = 0;
    int scrollingMeanwhile = -1;
    RunModal(dlg, [&](CDialog& d) {
        auto& about = static_cast<CAboutDialog&>(d);
        d.ShowWindow(SW_SHOW);
        d.UpdateWindow();
        expectedRows = FullRollRows(d);
        const LPARAM icon = CentreOf(ClientRectOf(d, IDC_ABOUT_ICON));
        const DuringTheRoll meanwhile(2000, [&] {
            scrollingMeanwhile = about.m_scrolling;
            LetTheScreenCatchUp();
            RECT frame;
            ::GetWindowRect(::GetDlgItem(d, IDC_ABOUT_FRAME), &frame);
            redPixels = CaptureWindow(d, frame).Count(RGB(255, 0, 0));
            SaveScreenshot(d, "about-credits");
            d.SendMessage(WM_LBUTTONUP, 0, icon);
        });
        const DWORD start = ::GetTickCount();
        d.SendMessage(WM_LBUTTONUP, 0, icon);
        took = ::GetTickCount() - start;
        EXPECT_TRUE(meanwhile.fired);
        d.PostMessage(WM_COMMAND, IDOK);
    }, 60000);
    EXPECT_EQ(1, scrollingMeanwhile);
    EXPECT_GT(redPixels, 50);
    EXPECT_EQ(1, dlg.RollsRun());
    EXPECT_GT(expectedRows, 100);
    EXPECT_EQ(expectedRows, dlg.LastRollRows());
    EXPECT_GE(took, static_cast<DWORD>(expectedRows) * 25 - 50);
    EXPECT_EQ(0, dlg.m_scrolling);
}

TEST(AboutDialog, ReleaseAwayFromTheIconRollsNothing)
{
    CAboutDialog dlg;
    RunModal(dlg, [](CDialog& d) {
        const RECT icon = ClientRectOf(d, IDC_ABOUT_ICON);
        d.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(icon.right + 5, icon.bottom + 5));
        d.PostMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(0, dlg.RollsRun());
}

// Hiding the dialog, or closing it with OK through the roll's own message pump, ends the roll
// at the next row.
TEST(AboutDialog, HidingOrClosingEndsTheRoll)
{
    struct Case { const char* name; void (*end)(CDialog&); INT_PTR result; };
    const Case cases[] = {
        {"hidden", [](CDialog& d) { d.ShowWindow(SW_HIDE); }, IDCANCEL},
        {"OK", [](CDialog& d) { d.PostMessage(WM_COMMAND, IDOK); }, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAboutDialog dlg;
        int fullRows = 0;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            d.ShowWindow(SW_SHOW);
            fullRows = FullRollRows(d);
            const DuringTheRoll meanwhile(500, [&] { c.end(d); });
            d.SendMessage(WM_LBUTTONUP, 0, CentreOf(ClientRectOf(d, IDC_ABOUT_ICON)));
            if (d.IsModalLoopRunning())
                d.PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(c.result, result);
        EXPECT_GT(dlg.LastRollRows(), 5);
        EXPECT_LT(dlg.LastRollRows(), fullRows / 2);
        EXPECT_EQ(0, dlg.m_scrolling);
    }
}

}  // namespace
