// Picking a folder in the shell's folder picker, driven from a thread timer while it runs.
#include "engine/CFolderBrowser.h"

#include "support/FolderPickerDriver.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <ole2.h>

namespace {

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
    FolderPickerDriver driver(IDCANCEL);
    EXPECT_EQ(0, m_browser.Browse());
    EXPECT_TRUE(driver.seen);
    EXPECT_EQ(CString("0xdeadbeef"), m_browser.m_Path);
    EXPECT_EQ(static_cast<int>(0xdeadbeef), m_browser.m_Image);
    // No title given: the picker says "Open".
    EXPECT_TRUE(driver.ShowedText("Open"));
}

TEST_F(FolderBrowser, OpensOnTheInitialFolderBelowTheRootAndReturnsItsPath)
{
    m_browser.m_Title = "Pick the cache folder";
    m_browser.m_Root = m_sandbox.Path();
    m_browser.m_InitialFolder = m_sandbox.Below("Chosen");
    FolderPickerDriver driver(IDOK, nullptr, "Chosen");
    EXPECT_EQ(1, m_browser.Browse());
    EXPECT_EQ("Chosen", driver.selected);
    EXPECT_TRUE(driver.ShowedText("Pick the cache folder"));
    EXPECT_EQ(m_sandbox.Below("Chosen"), m_browser.m_Path);
    EXPECT_NE(static_cast<int>(0xdeadbeef), m_browser.m_Image);
}

TEST_F(FolderBrowser, RootThatCannotBeParsedShowsNothing)
{
    m_browser.m_Root = m_sandbox.Below("Missing\\Nowhere");
    FolderPickerDriver driver(IDCANCEL);
    EXPECT_EQ(0, m_browser.Browse());
    EXPECT_FALSE(driver.seen);
    EXPECT_EQ(CString("0xdeadbeef"), m_browser.m_Path);
}

}  // namespace
