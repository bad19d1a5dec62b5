// The help as users reach it: the Help button of Dustora.exe opens the help viewer on the help
// file beside the program, with its table of contents. (Wine's viewer has no page engine, so
// only its contents and index panes can be looked at here.)
#include "resources/DustoraResource.h"
#include "support/SandboxProcess.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

constexpr DWORD kStartTimeoutMs = 20000;
// The pages the contents list: Getting Started, a page for each window, safety and the licence.
constexpr LRESULT kContentsPages = 10;

struct ClassSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ClassSearch*>(data);
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindDescendant(HWND parent, const char* className)
{
    ClassSearch search{className, nullptr};
    ::EnumChildWindows(parent, &MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The entries of the viewer's contents tree, once it has filled it; 0 when none comes.
LRESULT ContentsEntries(HWND viewer)
{
    LRESULT entries = 0;
    for (int attempt = 0; attempt < 100 && entries < kContentsPages; ++attempt, ::Sleep(50)) {
        if (const HWND contents = FindDescendant(viewer, WC_TREEVIEWA))
            entries = ::SendMessageA(contents, TVM_GETCOUNT, 0, 0);
    }
    return entries;
}

TEST(HelpProcess, TheHelpButtonOpensTheViewerOnTheContents)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(SandboxProcess::ProgramPath("Dustora.chm")));
    SandboxProcess dustora;
    ASSERT_TRUE(dustora.Start("Dustora.exe", "/start"));
    const HWND window = dustora.WaitForWindow("Dustora 2.0", kStartTimeoutMs);
    ASSERT_NE(nullptr, window);

    const HWND button = ::GetDlgItem(window, IDC_HELP_BUTTON);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    const HWND viewer = dustora.WaitForWindow("Dustora Help", kStartTimeoutMs);
    ASSERT_NE(nullptr, viewer) << "no help viewer came up";
    EXPECT_TRUE(::IsWindowVisible(viewer));

    EXPECT_GE(ContentsEntries(viewer), kContentsPages) << "the viewer shows no contents";
}

}  // namespace
