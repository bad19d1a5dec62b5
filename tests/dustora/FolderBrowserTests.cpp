// Picking a folder in the shell's folder picker, driven from a thread timer while it runs.
#include "engine/CFolderBrowser.h"

#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace {

struct PickerDriver {
    UINT answer = IDCANCEL;
    bool seen = false;
    bool answered = false;
    std::vector<std::string> texts;   // the picker's static texts
    std::string selected;             // the tree item selected when it was answered
    std::string waitFor;              // if set, answer once this item is selected (five seconds at most)
    int ticks = 0;
};

PickerDriver* g_driver = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (::IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM)
{
    char className[32] = "";
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char text[256] = "";
        ::GetWindowTextA(child, text, sizeof text);
        g_driver->texts.push_back(text);
    } else if (lstrcmpA(className, WC_TREEVIEWA) == 0) {
        const HTREEITEM item = TreeView_GetSelection(child);
        char text[MAX_PATH] = "";
        TVITEMA data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = MAX_PATH;
        if (item && ::SendMessageA(child, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
            g_driver->selected = text;
    }
    return TRUE;
}

void CALLBACK DrivePicker(HWND, UINT, UINT_PTR, DWORD)
{
    HWND picker = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&picker));
    if (!picker || g_driver->answered)
        return;
    g_driver->seen = true;
    g_driver->texts.clear();
    ::EnumChildWindows(picker, ReadChild, 0);
    // The picker fills its tree and applies the initial selection after it shows.
    if (!g_driver->waitFor.empty() && g_driver->selected != g_driver->waitFor && ++g_driver->ticks < 50)
        return;
    g_driver->answered = true;
    ::PostMessageA(picker, WM_COMMAND, g_driver->answer, 0);
}

int BrowseAnswering(CFolderBrowser& browser, PickerDriver& driver)
{
    g_driver = &driver;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, DrivePicker);
    const int result = browser.Browse();
    ::KillTimer(nullptr, timer);
    g_driver = nullptr;
    return result;
}

bool Contains(const std::vector<std::string>& texts, const char* text)
{
    for (const std::string& each : texts) {
        if (each == text)
            return true;
    }
    return false;
}

class FolderBrowser : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        m_sandbox.MakeFolder("Chosen");
        m_browser.m_Path = "0xdeadbeef";
        m_browser.m_Image = static_cast<int>(0xdeadbeef);
    }
    void TearDown() override { ::OleUninitialize(); }

    SandboxFolder m_sandbox;
    CFolderBrowser m_browser;
};

TEST_F(FolderBrowser, CancelReturnsZeroAndKeepsThePath)
{
    PickerDriver driver;
    driver.answer = IDCANCEL;
    EXPECT_EQ(0, BrowseAnswering(m_browser, driver));
    EXPECT_TRUE(driver.seen);
    EXPECT_EQ(CString("0xdeadbeef"), m_browser.m_Path);
    EXPECT_EQ(static_cast<int>(0xdeadbeef), m_browser.m_Image);
    // No title given: the picker says "Open".
    EXPECT_TRUE(Contains(driver.texts, "Open"));
}

TEST_F(FolderBrowser, OpensOnTheInitialFolderBelowTheRootAndReturnsItsPath)
{
    m_browser.m_Title = "Pick the cache folder";
    m_browser.m_Root = m_sandbox.Path();
    m_browser.m_InitialFolder = m_sandbox.Below("Chosen");
    PickerDriver driver;
    driver.answer = IDOK;
    driver.waitFor = "Chosen";
    EXPECT_EQ(1, BrowseAnswering(m_browser, driver));
    EXPECT_EQ("Chosen", driver.selected);
    EXPECT_TRUE(Contains(driver.texts, "Pick the cache folder"));
    EXPECT_EQ(m_sandbox.Below("Chosen"), m_browser.m_Path);
    EXPECT_NE(static_cast<int>(0xdeadbeef), m_browser.m_Image);
}

TEST_F(FolderBrowser, RootThatCannotBeParsedShowsNothing)
{
    m_browser.m_Root = m_sandbox.Below("Missing\\Nowhere");
    PickerDriver driver;
    EXPECT_EQ(0, BrowseAnswering(m_browser, driver));
    EXPECT_FALSE(driver.seen);
    EXPECT_EQ(CString("0xdeadbeef"), m_browser.m_Path);
}

}  // namespace
