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

class CLinksDlg : public CDialog {
public:
    CLinksDlg()
    {
        m_template.At(10, 10, 200, 12).Label(kLeft, "Left link", SS_LEFT);
        m_template.At(10, 26, 200, 12).Label(kRight, "Right link", SS_RIGHT);
        m_template.At(10, 42, 200, 12).Label(kCenter, "Centred link", SS_CENTER);
        m_template.At(10, 58, 200, 30).Label(kMiddle, "Middle link", SS_LEFT | SS_CENTERIMAGE);
        m_template.At(10, 92, 200, 12).Label(kEmpty, "", SS_LEFT);
        m_template.At(180, 106, 50, 14).Button(IDCANCEL, "Cancel");
        InitModalIndirect(m_template.Get());
    }

    CLinkLabel& Label(int id) { return m_labels[id - kLeft]; }
    RECT m_before[kEmpty - kLeft + 1] = {};   // each label's rectangle in the template, before binding

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        for (int id = kLeft; id <= kEmpty; ++id)
            DDX_Control(pDX, id, Label(id));
    }
    BOOL OnInitDialog() override
    {
        for (int id = kLeft; id <= kEmpty; ++id) {
            ::GetWindowRect(::GetDlgItem(m_hWnd, id), &m_before[id - kLeft]);
            ScreenToClient(&m_before[id - kLeft]);
        }
        return CDialog::OnInitDialog();
    }

private:
    DialogTemplate m_template{"Links", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 240, 124};
    CLinkLabel m_labels[kEmpty - kLeft + 1];
};

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

// The point share of the way from low to high: 0 the left or top edge, 0.5 the centre, 1 the other edge.
double Along(LONG low, LONG high, double share) { return low + (high - low) * share; }

// Binding makes a label an underlined clickable link that fits its text, exactly where it keeps
// an edge and within a pixel where it keeps a centre; the target is its tooltip (the text until
// one is set) and what a label without text shows; a hand over it; link, visited and hover
// colours on a see-through background.
TEST(LinkLabel, BindingMakesAnUnderlinedClickableLinkFittedToItsText)
{
    struct Fit { int id; double across; double down; };
    const Fit fits[] = {{kLeft, 0, 0}, {kRight, 1, 0}, {kCenter, 0.5, 0}, {kMiddle, 0, 0.5}};
    CLinksDlg dlg;
    dlg.Label(kEmpty).SetURL("http://www.halvex.example/empty/");
    RunModal(dlg, [&](CDialog& d) {
        for (const Fit& c : fits) {
            SCOPED_TRACE(c.id);
            const RECT before = dlg.m_before[c.id - kLeft];
            RECT after;
            ::GetWindowRect(dlg.Label(c.id), &after);
            dlg.ScreenToClient(&after);
            const SIZE text = TextExtentInOwnFont(dlg.Label(c.id));
            ASSERT_GT(text.cx, 10);
            ASSERT_LT(text.cx, before.right - before.left);
            const double acrossSlack = c.across == 0.5 ? 1 : 0, downSlack = c.down == 0.5 ? 1 : 0;
            EXPECT_NEAR(Along(before.left, before.right, c.across), Along(after.left, after.right, c.across), acrossSlack);
            EXPECT_NEAR(text.cx, after.right - after.left, acrossSlack);
            EXPECT_NEAR(Along(before.top, before.bottom, c.down), Along(after.top, after.bottom, c.down), downSlack);
            EXPECT_NEAR(text.cy, after.bottom - after.top, downSlack);
        }
        CLinkLabel& left = dlg.Label(kLeft);
        EXPECT_TRUE(left.GetStyle() & SS_NOTIFY);
        LOGFONTA font = {};
        ASSERT_TRUE(::GetObjectA(reinterpret_cast<HGDIOBJ>(left.SendMessage(WM_GETFONT)), sizeof font, &font));
        EXPECT_TRUE(font.lfUnderline);
        EXPECT_STREQ("Left link", left.GetToolTip().GetToolText(&left, kLinkToolId));
        left.SetURL("http://www.halvex.example/");
        EXPECT_STREQ("http://www.halvex.example/", left.GetToolTip().GetToolText(&left, kLinkToolId));
        EXPECT_STREQ("Left link", left.GetWindowText());
        EXPECT_STREQ("http://www.halvex.example/empty/", dlg.Label(kEmpty).GetWindowText());

        ASSERT_NE(nullptr, left.GetHandCursor());
        EXPECT_EQ(TRUE, left.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(left.GetSafeHwnd()),
                                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(left.GetHandCursor(), ::GetCursor());

        const auto textColour = [&] {
            const ColourAnswer answer = AskColour(d, left);
            EXPECT_EQ(::GetStockObject(HOLLOW_BRUSH), answer.brush);
            EXPECT_EQ(TRANSPARENT, answer.backgroundMode);
            return answer.text;
        };
        EXPECT_EQ(RGB(0, 0, 238), textColour());
        left.SetVisited(true);
        EXPECT_EQ(RGB(85, 26, 139), textColour());
        left.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(left.GetSafeHwnd(), ::GetCapture());
        EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), textColour());
        left.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));   // still over it
        EXPECT_EQ(left.GetSafeHwnd(), ::GetCapture());
        left.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-5, 3));
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
    const UniqueGdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
}

// The command line holds 520 characters with its zero; a command that would not fit is refused
// and the command is left as it was.
TEST(LinkLabel, FallbackCommandCutsAtThePlaceholderAppendsTheTargetAndMustFit)
{
    const std::string program(500, 'p');
    struct Case { std::string registered; std::string target; std::string command; };   // command "": refused
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
        {program, std::string(18, 't'), program + " " + std::string(18, 't')},
        {program, std::string(19, 't'), ""},
        {program, std::string(300, 't'), ""},
        {program, std::string(16, 't') + " x", ""},   // the quotes count too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registered.substr(0, 60) + " / " + c.target.substr(0, 60));
        CString command = "0xdeadbeef";
        EXPECT_EQ(c.command.empty() ? FALSE : TRUE, CLinkLabel::FallbackCommand(c.registered.c_str(), c.target.c_str(), command));
        EXPECT_EQ(c.command.empty() ? "0xdeadbeef" : c.command, command.GetString());
    }
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

// While it lives, the program registered for ".htm" pages is the test's own; the registration
// found is put back at the end.
class PagesRegisteredHere {
public:
    PagesRegisteredHere() : m_saved(ReadDefault(".htm")) {}
    ~PagesRegisteredHere()
    {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass);
        if (m_saved.empty())
            DeleteRegistryTree(HKEY_CLASSES_ROOT, ".htm");
        else
            ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_saved.c_str(), 0);
    }
    // openCommand empty: the class has no open command. Nothing but the test's own program
    // may ever run from here, so anything else stops the test.
    static void Register(const std::string& openCommand)
    {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass);
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, kPageClass, 0));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, kPageClass, REG_SZ, "Test page", 0));
        const std::string commandKey = std::string(kPageClass) + "\\shell\\open\\command";
        if (!openCommand.empty()) {
            ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), REG_SZ, openCommand.c_str(), 0));
        }
        ASSERT_EQ(kPageClass, ReadDefault(".htm"));
    }

private:
    static std::string ReadDefault(const char* key)
    {
        char text[MAX_PATH] = "";
        LONG size = sizeof text;
        return ::RegQueryValueA(HKEY_CLASSES_ROOT, key, text, &size) == ERROR_SUCCESS ? text : "";
    }

    static constexpr const char* kPageClass = "DustoraTests.Page";
    NamedLock m_lock{"DustoraTests.PageAssociation"};
    std::string m_saved;
};

// The target is a file that does not exist: the shell fails with its code 2, and what follows
// depends on the program registered for pages.
TEST(LinkLabel, ClickOpensWithThePageProgramWhatTheShellCannotElseTheErrorIsTold)
{
    char system[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, sizeof system);
    struct Case { const char* name; std::string command; const char* error; };
    const Case cases[] = {
        {"no page program", "", "The specified file was not found."},   // the shell's code stands
        {"missing page program", "E:\\Nowhere\\viewer.exe \"%1\"", "The specified file was not found."},
        // rundll32 given something that is no library ends at once, without a window.
        {"page program", std::string(system) + "\\rundll32.exe \"%1\"", nullptr},
    };
    const SandboxFolder sandbox;
    sandbox.MakeFolder("Pages");
    const PagesRegisteredHere pages;
    RecordedBoxes boxes;
    CLinksDlg dlg;
    dlg.Label(kLeft).SetURL(sandbox.Below("Pages\\missing.dustoratest"));
    RunModal(dlg, [&](CDialog& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            boxes.shown.clear();
            ASSERT_NO_FATAL_FAILURE(PagesRegisteredHere::Register(c.command));
            d.SendMessage(WM_COMMAND, MAKEWPARAM(kLeft, STN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(d, kLeft)));
            EXPECT_EQ(c.error == nullptr, dlg.Label(kLeft).GetVisited());
            ASSERT_EQ(c.error ? 1u : 0u, boxes.shown.size()) << (boxes.shown.empty() ? "" : boxes.shown[0].text);
            if (c.error) {
                EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + c.error, boxes.shown[0].text);
                EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.shown[0].type);
            }
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
