// MainDialogFixture: Dustora's main dialog in the test program as a new user starts it: an empty
// profile, no Netscape cache folder, the dialog as the main window. Needs Dustora's application.
#pragma once

#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "support/NamedLock.h"
#include "support/ProgramProfileKey.h"

#include <gtest/gtest.h>

#include <utility>

class MainDialogFixture : public ::testing::Test {
protected:
    void SetUp() override { SwapWithTheApplication(); }
    void TearDown() override { SwapWithTheApplication(); }

    NamedLock m_profileLock{"DustoraTests.SettingsProfile"};
    ProgramProfileKey m_profile;
    CCleanerDlg dlg;

private:
    // Gives the application the test's start, and after the test takes back what it had.
    void SwapWithTheApplication()
    {
        std::swap(theApp.m_lpCmdLine, m_commandLine);
        std::swap(theApp.m_folderNSCache, m_netscapeCache);
        std::swap(theApp.m_pMainWnd, m_mainWindow);
    }

    CString m_commandLine = "/start";
    CString m_netscapeCache;
    CWnd* m_mainWindow = &dlg;
};
