// MainDialogFixture: Dustora's main dialog run inside the test program with an empty profile,
// as a new user starts it: no command line, no Netscape cache folder, the dialog as the
// application's main window. Header only: it needs Dustora's application object.
#pragma once

#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "support/NamedLock.h"
#include "support/ProgramProfileKey.h"

#include <gtest/gtest.h>

class MainDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCommandLine = theApp.m_lpCmdLine;
        m_savedNetscapeCache = theApp.m_folderNSCache;
        m_savedMainWindow = theApp.m_pMainWnd;
        theApp.m_lpCmdLine = "/start";
        theApp.m_folderNSCache.Empty();
        theApp.m_pMainWnd = &dlg;
    }
    void TearDown() override
    {
        theApp.m_lpCmdLine = m_savedCommandLine;
        theApp.m_folderNSCache = m_savedNetscapeCache;
        theApp.m_pMainWnd = m_savedMainWindow;
    }

    NamedLock m_profileLock{"DustoraTests.SettingsProfile"};
    ProgramProfileKey m_profile;
    CCleanerDlg dlg;

private:
    CString m_savedCommandLine;
    CString m_savedNetscapeCache;
    CWnd* m_savedMainWindow = nullptr;
};
