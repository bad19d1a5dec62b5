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

#include <functional>
#include <regex>
#include <string>
#include <utility>

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

// The rows a full roll scrolls: the credits' height laid out in the frame's width, plus the
// frame's height.
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

// Runs action once from a thread timer after delayMs, while the roll's own loop runs.
class DuringTheRoll {
public:
    DuringTheRoll(UINT delayMs, std::function<void()> action) : m_timer(::SetTimer(nullptr, 0, delayMs, &Fire))
    {
        s_action = std::move(action);
    }
    ~DuringTheRoll()
    {
        ::KillTimer(nullptr, m_timer);
        s_action = nullptr;
    }
    bool Fired() const { return !s_action; }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(nullptr, timer);
        if (const std::function<void()> action = std::exchange(s_action, nullptr))
            action();
    }

    static inline std::function<void()> s_action;
    UINT_PTR m_timer;
};

// Without a version block the labels keep their template texts; the build stamp is always there.
TEST(AboutDialog, ShowsTheVersionBlockTheBuildStampAndTheLinks)
{
    const SandboxFolder folder;
    folder.MakeFile("plain.txt", "no version block here");
    struct Case { CString source; const char* name; const char* version; const char* build; const char* copyright; };
    const Case cases[] = {
        {folder.Below("plain.txt"), "<Name>", "<Version>", "<Build Nr>", ""},
        {"", DUSTORA_PRODUCT_NAME, DUSTORA_FILE_VERSION, DUSTORA_BUILD, HALVEX_COPYRIGHT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAboutDialog dlg;
        dlg.m_versionSource = c.source;
        RunModal(dlg, [&](CDialog& d) {
            EXPECT_FALSE(d.GetStyle() & WS_CAPTION) << "no caption bar";
            EXPECT_STREQ(c.name, d.GetDlgItemText(IDC_ABOUT_NAME));
            EXPECT_STREQ(c.version, d.GetDlgItemText(IDC_ABOUT_VERSION));
            EXPECT_STREQ(c.build, d.GetDlgItemText(IDC_ABOUT_BUILD));
            EXPECT_STREQ(c.copyright, d.GetDlgItemText(IDC_ABOUT_COPYRIGHT));
            const std::string stamp = d.GetDlgItemText(IDC_ABOUT_BUILD_STAMP).GetString();
            EXPECT_TRUE(std::regex_match(stamp, std::regex("Built on [A-Z][a-z]{2} [1-9][0-9]? [0-9]{4} at [0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
                << stamp;
            if (c.source.IsEmpty() && ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON)) {
                EXPECT_NE(0, d.SendDlgItemMessage(IDC_ABOUT_ICON, STM_GETICON)) << "the program's icon";
            }

            auto& about = static_cast<CAboutDialog&>(d);
            EXPECT_STREQ("Dustora Home Page.", about.m_homePage.GetWindowText());
            EXPECT_STREQ(DUSTORA_HOME_PAGE, about.m_homePage.GetURL());
            EXPECT_STREQ("Support E-Mail: " HALVEX_SUPPORT_MAIL, about.m_supportMail.GetWindowText());
            EXPECT_STREQ("mailto:" HALVEX_SUPPORT_MAIL, about.m_supportMail.GetURL());
            EXPECT_STREQ(HALVEX_WEB_ADDRESS, about.m_makerPage.GetWindowText());
            EXPECT_STREQ(HALVEX_WEB_ADDRESS, about.m_makerPage.GetURL());
            EXPECT_TRUE(about.m_supportMail.GetStyle() & SS_NOTIFY) << "bound as a link";
            if (c.source.IsEmpty())
                SaveScreenshot(d, "about");
            d.PostMessage(WM_COMMAND, IDOK);
        });
    }
}

// A release away from the icon starts nothing. A full roll scrolls text height plus frame height
// rows, at least 25 ms each, red on black; a second release over the icon meanwhile starts nothing.
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
        const RECT iconRect = ClientRectOf(d, IDC_ABOUT_ICON);
        d.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(iconRect.right + 5, iconRect.bottom + 5));
        EXPECT_EQ(0, about.RollsRun());

        expectedRows = FullRollRows(d);
        const LPARAM icon = CentreOf(iconRect);
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
        EXPECT_TRUE(meanwhile.Fired());
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
