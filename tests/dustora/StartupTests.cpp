// Dustora's start-up inside the test program: the main dialog's initialisation and run modes,
// and the message when OLE cannot be initialised.
#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "resources/DustoraResource.h"
#include "support/CountingCleanerDlg.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <ole2.h>

#include <thread>

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCommandLine = theApp.m_lpCmdLine;
        theApp.g_TempExtensions.RemoveAll();
        theApp.m_splashHold = 1;
        theApp.m_programFolder = "sentinel";
    }
    void TearDown() override { theApp.m_lpCmdLine = m_savedCommandLine; }

    CString m_savedCommandLine;
};

TEST_F(Startup, InitialisationSetsTheSharedData)
{
    theApp.m_lpCmdLine = "";
    CCleanerDlg dlg;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) { d.PostMessage(WM_COMMAND, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, result);

    EXPECT_EQ(0, theApp.m_splashHold);
    const char* expected[] = {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"};
    ASSERT_EQ(7, theApp.g_TempExtensions.GetSize());
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(expected[i], theApp.g_TempExtensions[i]) << i;

    char path[1024] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    const CString full(path);
    EXPECT_STREQ(full.Left(full.ReverseFind('\\') + 1), theApp.m_programFolder);
    EXPECT_EQ('\\', theApp.m_programFolder.Last());
}

TEST_F(Startup, TheMainDialogIsAVisibleAppWindowCalledDustora)
{
    theApp.m_lpCmdLine = "/start";
    CCleanerDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        EXPECT_STREQ("Dustora 2.0", d.GetWindowText());
        EXPECT_TRUE(d.IsWindowVisible());
        const DWORD style = d.GetStyle();
        for (DWORD bit : {DWORD(WS_POPUP), DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(WS_MINIMIZEBOX), DWORD(DS_MODALFRAME)})
            EXPECT_EQ(bit, style & bit) << std::hex << bit;
        EXPECT_EQ(DWORD(WS_EX_APPWINDOW), d.GetExStyle() & WS_EX_APPWINDOW);
        EXPECT_EQ(0, static_cast<CCleanerDlg&>(d).m_startInTray);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(Startup, LoadHidesTheDialogAtTheFirstMessage)
{
    for (const char* commandLine : {"/load", "/LOAD"}) {
        SCOPED_TRACE(commandLine);
        theApp.m_lpCmdLine = commandLine;
        CCleanerDlg dlg;
        const INT_PTR result = RunModal(dlg, [](CDialog& d) {
            EXPECT_FALSE(d.IsWindowVisible());
            EXPECT_TRUE(::IsWindow(d.GetSafeHwnd()));
            EXPECT_EQ(0, static_cast<CCleanerDlg&>(d).m_startInTray);
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
    }
}

TEST_F(Startup, CleanClosesTheDialogByItself)
{
    for (const char* commandLine : {"/clean", "/CLEAN"}) {
        SCOPED_TRACE(commandLine);
        theApp.m_lpCmdLine = commandLine;
        CCountingCleanerDlg dlg;
        // Nothing is done from inside: the dialog must end on its own before the time is up.
        EXPECT_EQ(IDCANCEL, RunModal(dlg, [](CDialog&) {}, 5000));
        EXPECT_EQ(1, dlg.m_cleanRuns);
    }
}

TEST_F(Startup, OtherCommandLinesWaitForTheUser)
{
    for (const char* commandLine : {"/clean ", "/start", "/loadx"}) {
        SCOPED_TRACE(commandLine);
        theApp.m_lpCmdLine = commandLine;
        CCleanerDlg dlg;
        const INT_PTR result = RunModal(dlg, [](CDialog& d) {
            EXPECT_TRUE(d.IsWindowVisible());
            DrainMessages();
            EXPECT_TRUE(d.IsModalLoopRunning());
            d.PostMessage(WM_CLOSE);
        });
        EXPECT_EQ(IDCANCEL, result);
    }
}

// OLE refuses a thread that has joined the multithreaded apartment.
TEST(StartupFailure, OleThatCannotStartShowsTheStopMessage)
{
    RecordedBoxes boxes;
    BOOL result = static_cast<BOOL>(0xdeadbeef);
    bool oleRefused = false;
    std::thread thread([&] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        const HRESULT probe = ::OleInitialize(nullptr);
        oleRefused = FAILED(probe);
        if (SUCCEEDED(probe))
            ::OleUninitialize();
        else
            result = theApp.InitInstance();
        ::CoUninitialize();
    });
    thread.join();
    if (!oleRefused)
        GTEST_SKIP() << "OleInitialize accepted a multithreaded apartment here";
    EXPECT_FALSE(result);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.shown[0].type);
    CString expected;
    expected.LoadString(IDS_OLE_INIT_FAILED);
    EXPECT_EQ(expected.Str(), boxes.shown[0].text);
    EXPECT_EQ(theApp.m_pszAppName.Str(), boxes.shown[0].caption);
}

}  // namespace
