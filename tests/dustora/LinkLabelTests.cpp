// The link label: what binding it to a label does (style, font, size, cursor, tooltip), its
// colours, the fallback command for the program registered for web pages, and what a click does
// when the shell cannot open the target. No test opens a real web or mail address.
#include "controls/CLinkLabel.h"

#include "support/DialogTemplate.h"
#include "support/NamedLock.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"
#include "support/SandboxFolder.h"
#include "support/ScratchRegistryKey.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum : int { kLeft = 1200, kRight, kCenter, kMiddle, kEmpty };
const int kLabels[] = {kLeft, kRight, kCenter, kMiddle, kEmpty};

DialogTemplate LinksTemplate()
{
    DialogTemplate t("Links", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 240, 124);
    t.At(10, 10, 200, 12).Label(kLeft, "Left link", SS_LEFT);
    t.At(10, 26, 200, 12).Label(kRight, "Right link", SS_RIGHT);
    t.At(10, 42, 200, 12).Label(kCenter, "Centred link", SS_CENTER);
    t.At(10, 58, 200, 30).Label(kMiddle, "Middle link", SS_LEFT | SS_CENTERIMAGE);
    t.At(10, 92, 200, 12).Label(kEmpty, "", SS_LEFT);
    t.At(180, 106, 50, 14).Button(IDCANCEL, "Cancel");
    return t;
}

class CLinksDlg : public CDialog {
public:
    CLinksDlg() { InitModalIndirect(m_template.Get()); }

    CLinkLabel m_left, m_right, m_center, m_middle, m_empty;
    RECT m_before[5] = {};   // each label's rectangle in the template, before binding

    CLinkLabel& Label(int id)
    {
        CLinkLabel* labels[] = {&m_left, &m_right, &m_center, &m_middle, &m_empty};
        return *labels[id - kLeft];
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        for (const int id : kLabels)
            DDX_Control(pDX, id, Label(id));
    }
    BOOL OnInitDialog() override
    {
        for (const int id : kLabels) {
            ::GetWindowRect(::GetDlgItem(m_hWnd, id), &m_before[id - kLeft]);
            ScreenToClient(&m_before[id - kLeft]);
        }
        return CDialog::OnInitDialog();
    }

private:
    DialogTemplate m_template = LinksTemplate();
};

RECT RectInParent(HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE TextExtentInOwnFont(HWND control)
{
    char text[256] = "";
    const int length = ::GetWindowTextA(control, text, sizeof text);
    const HDC dc = ::GetDC(control);
    const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text, length, &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(control, dc);
    return extent;
}

TEST(LinkLabel, FitsItsWindowToItsTextKeepingTheEdgeItsAlignmentNames)
{
    CLinksDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& links = static_cast<CLinksDlg&>(d);
        for (const int id : {kLeft, kRight, kCenter, kMiddle}) {
            SCOPED_TRACE(id);
            const RECT before = links.m_before[id - kLeft];
            const RECT after = RectInParent(links.Label(id));
            const SIZE text = TextExtentInOwnFont(links.Label(id));
            ASSERT_GT(text.cx, 10);
            ASSERT_LT(text.cx, before.right - before.left);
            const int width = after.right - after.left;
            const int height = after.bottom - after.top;
            if (id == kRight) {
                EXPECT_EQ(before.right, after.right);
                EXPECT_EQ(text.cx, width);
            } else if (id == kCenter) {
                EXPECT_NEAR((before.left + before.right) / 2.0, (after.left + after.right) / 2.0, 1.0);
                EXPECT_NEAR(text.cx, width, 1);
            } else {
                EXPECT_EQ(before.left, after.left);
                EXPECT_EQ(text.cx, width);
            }
            if (id == kMiddle) {
                EXPECT_NEAR((before.top + before.bottom) / 2.0, (after.top + after.bottom) / 2.0, 1.0);
                EXPECT_NEAR(text.cy, height, 1);
            } else {
                EXPECT_EQ(before.top, after.top);
                EXPECT_EQ(text.cy, height);
            }
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(LinkLabel, BindingMakesAnUnderlinedClickableLinkWithItsTargetAsTooltip)
{
    CLinksDlg dlg;
    dlg.m_empty.SetURL("http://www.halvex.example/empty/");
    RunModal(dlg, [](CDialog& d) {
        auto& links = static_cast<CLinksDlg&>(d);
        CLinkLabel& left = links.m_left;
        EXPECT_TRUE(left.GetStyle() & SS_NOTIFY);
        LOGFONTA font = {};
        ASSERT_TRUE(::GetObjectA(reinterpret_cast<HGDIOBJ>(left.SendMessage(WM_GETFONT)), sizeof font, &font));
        EXPECT_TRUE(font.lfUnderline);

        EXPECT_STREQ("Left link", left.GetURL());
        EXPECT_EQ(1, left.GetToolTip().GetToolCount());
        EXPECT_STREQ("Left link", left.GetToolTip().GetToolText(&left, kLinkToolId));
        left.SetURL("http://www.halvex.example/");
        EXPECT_STREQ("http://www.halvex.example/", left.GetToolTip().GetToolText(&left, kLinkToolId));
        EXPECT_STREQ("Left link", left.GetWindowText());

        // A label without text shows its target.
        EXPECT_STREQ("http://www.halvex.example/empty/", links.m_empty.GetWindowText());

        ASSERT_NE(nullptr, left.GetHandCursor());
        EXPECT_EQ(TRUE, left.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(left.GetSafeHwnd()),
                                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(left.GetHandCursor(), ::GetCursor());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(LinkLabel, ColoursForLinkVisitedAndHover)
{
    CLinksDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        CLinkLabel& label = static_cast<CLinksDlg&>(d).m_left;
        const auto textColour = [&] {
            const ColourAnswer answer = AskColour(d, label);
            EXPECT_EQ(::GetStockObject(HOLLOW_BRUSH), answer.brush);
            EXPECT_EQ(TRANSPARENT, answer.backgroundMode);
            return answer.text;
        };
        EXPECT_EQ(RGB(0, 0, 238), textColour());
        label.SetVisited(true);
        EXPECT_EQ(RGB(85, 26, 139), textColour());

        label.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(label.GetSafeHwnd(), ::GetCapture());
        EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), textColour());
        label.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));   // still over it
        EXPECT_EQ(label.GetSafeHwnd(), ::GetCapture());
        label.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-5, 3));
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_EQ(RGB(85, 26, 139), textColour());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST(LinkLabel, HandCursorFallsBackToTheSystemHandWithoutWindowsHelp)
{
    const SandboxFolder noWindows;
    const UniqueIcon cursor(CLinkLabel::LoadHandCursor(noWindows.Path()));
    ASSERT_TRUE(cursor);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(cursor.get(), &info));
    EXPECT_FALSE(info.fIcon);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
}

TEST(LinkLabel, FallbackCommandCutsAtThePlaceholderAndAppendsTheTarget)
{
    struct Case { const char* registered; const char* target; const char* command; };
    const Case cases[] = {
        // Cut at the opening quote: the blank before it stays, one more comes with the target.
        {"\"C:\\Program Files\\Browser\\browse.exe\" \"%1\"", "http://www.halvex.example/",
         "\"C:\\Program Files\\Browser\\browse.exe\"  http://www.halvex.example/"},
        {"\"C:\\Browser\\browse.exe\" -url \"%1\" -new \"%1\"", "page.htm", "\"C:\\Browser\\browse.exe\" -url  page.htm"},
        {"C:\\Browser\\browse.exe %1", "page.htm", "C:\\Browser\\browse.exe  page.htm"},
        {"browse.exe %1 \"%1\"", "page.htm", "browse.exe %1  page.htm"},
        {"C:\\Browser\\browse.exe -nohome", "mailto:support@halvex.example",
         "C:\\Browser\\browse.exe -nohome mailto:support@halvex.example"},
        {"browse.exe %1", "E:\\My Pages\\index.htm", "browse.exe  \"E:\\My Pages\\index.htm\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registered);
        CString command = "0xdeadbeef";
        EXPECT_TRUE(CLinkLabel::FallbackCommand(c.registered, c.target, command));
        EXPECT_STREQ(c.command, command);
    }
}

// The program and the target must fit the 520 characters of the command line with its zero.
TEST(LinkLabel, FallbackCommandThatWouldNotFitIsRefused)
{
    const CString program(std::string(500, 'p').c_str());
    for (const int targetLength : {18, 19, 300}) {
        SCOPED_TRACE(targetLength);
        CString command = "0xdeadbeef";
        const CString target(std::string(static_cast<size_t>(targetLength), 't').c_str());
        const bool fits = 500 + 1 + targetLength <= 519;
        EXPECT_EQ(fits ? TRUE : FALSE, CLinkLabel::FallbackCommand(program, target, command));
        EXPECT_EQ(fits ? 519 : 10, command.GetLength());
    }
    CString command = "0xdeadbeef";
    EXPECT_FALSE(CLinkLabel::FallbackCommand(program, std::string(16, 't') + " x", command)) << "quotes count too";
    EXPECT_STREQ("0xdeadbeef", command);
}

TEST(LinkLabel, ErrorTextsByCode)
{
    struct Case { INT_PTR code; const char* text; };
    const Case cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {4, "Unknown Error (4) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + c.text, CLinkLabel::ErrorText(c.code).GetString()) << c.code;
}

// The program registered for ".htm" pages is the test's own while the test runs.
class LinkLabelClick : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedPageClass = ReadDefault(".htm");
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass);
        m_sandbox.MakeFolder("Pages");
        m_target = m_sandbox.Below("Pages\\missing.dustoratest");
    }
    void TearDown() override
    {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass);
        if (m_savedPageClass.empty())
            DeleteRegistryTree(HKEY_CLASSES_ROOT, ".htm");
        else
            ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_savedPageClass.c_str(), 0);
    }

    static std::string ReadDefault(const char* key)
    {
        char text[MAX_PATH] = "";
        LONG size = sizeof text;
        return ::RegQueryValueA(HKEY_CLASSES_ROOT, key, text, &size) == ERROR_SUCCESS ? text : "";
    }
    // command nullptr: the class has no open command.
    void RegisterPageProgram(const char* command)
    {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass);
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, kPageClass, 0));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, kPageClass, REG_SZ, "Test page", 0));
        if (command) {
            const std::string commandKey = std::string(kPageClass) + "\\shell\\open\\command";
            ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), REG_SZ, command, 0));
        }
        // Nothing but the test's own program may ever run from here.
        ASSERT_EQ(kPageClass, ReadDefault(".htm"));
    }

    static constexpr const char* kPageClass = "DustoraTests.Page";
    NamedLock m_lock{"DustoraTests.PageAssociation"};
    SandboxFolder m_sandbox;
    CString m_target;

private:
    std::string m_savedPageClass;
};

// The target is a file that does not exist: the shell fails with its code 2, and what follows
// depends on the program registered for pages.
TEST_F(LinkLabelClick, ThePageProgramOpensWhatTheShellCannotElseTheErrorIsTold)
{
    char system[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, sizeof system);
    struct Case { const char* name; std::string command; const char* error; };
    const Case cases[] = {
        // Without an open command for pages the shell's code stands.
        {"no page program", "", "The specified file was not found."},
        // A missing program: the code of starting it.
        {"missing page program", "E:\\Nowhere\\viewer.exe \"%1\"", "The specified file was not found."},
        // rundll32 given something that is no library ends at once, without a window.
        {"page program", std::string(system) + "\\rundll32.exe \"%1\"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegisterPageProgram(c.command.empty() ? nullptr : c.command.c_str());
        RecordedBoxes boxes;
        CLinksDlg dlg;
        dlg.m_left.SetURL(m_target);
        RunModal(dlg, [](CDialog& d) {
            d.SendMessage(WM_COMMAND, MAKEWPARAM(kLeft, STN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(d, kLeft)));
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(c.error == nullptr, dlg.m_left.GetVisited());
        if (!c.error) {
            EXPECT_TRUE(boxes.shown.empty()) << (boxes.shown.empty() ? "" : boxes.shown[0].text);
            continue;
        }
        ASSERT_EQ(1u, boxes.shown.size());
        EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + c.error, boxes.shown[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.shown[0].type);
    }
}

}  // namespace
