// Finding the system folders: settings first, then the shell and the system, with a message
// for each folder that cannot be found.
#include "engine/CSystemFolders.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct ShownBox {
    std::string text;
    UINT type;
};

std::vector<ShownBox> g_boxes;
std::vector<int> g_askedCsidls;
std::vector<HWND> g_owners;
int g_tempAsked = 0;
int g_windowsAsked = 0;
bool g_failShell[64] = {};
bool g_failTemp = false;
bool g_failWindows = false;

struct RecordedMessages : UserMessages {
    void Tell(const CString& text, UINT style) override { g_boxes.push_back({text.Str(), style}); }
};

CString FakeShellFolder(HWND owner, int csidl)
{
    g_askedCsidls.push_back(csidl);
    g_owners.push_back(owner);
    if (g_failShell[csidl])
        return CString();
    switch (csidl) {
    case CSIDL_RECENT: return "C:\\WINDOWS\\Recent";
    case CSIDL_COOKIES: return "C:\\WINDOWS\\Cookies";
    case CSIDL_INTERNET_CACHE: return "C:\\WINDOWS\\Temporary Internet Files\\";
    default: return "0xdeadbeef";
    }
}

CString FakeTempFolder()
{
    ++g_tempAsked;
    return g_failTemp ? CString() : CString("C:\\WINDOWS\\TEMP\\");
}

CString FakeWindowsFolder()
{
    ++g_windowsAsked;
    return g_failWindows ? CString() : CString("C:\\WINDOWS");
}

const char kRecentMessage[] = "Error: Cannot detect the Windows Recent Documents Folder.";
const char kCookiesMessage[] = "Error: Cannot detect the Internet Explorer Cookies Folder.";
const char kTempMessage[] = "Error: Cannot detect the Windows Temporary Folder.";
const char kWindowsMessage[] = "Error: Cannot detect the Windows Folder.";
const char kCacheMessage[] = "Error: Cannot detect the Internet Explorer Cache Folder.";

class SystemFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettings("", "", "", "", "0xdeadbeef");
        g_boxes.clear();
        g_askedCsidls.clear();
        g_owners.clear();
        g_tempAsked = g_windowsAsked = 0;
        std::fill(std::begin(g_failShell), std::end(g_failShell), false);
        g_failTemp = g_failWindows = false;
        m_previousLookups = CSystemFolders::SetLookups({FakeShellFolder, FakeTempFolder, FakeWindowsFolder});
    }
    void TearDown() override
    {
        CSystemFolders::SetLookups(m_previousLookups);
    }

    void SetSettings(const char* recent, const char* temp, const char* cache, const char* cookies,
                            const char* netscape)
    {
        m_settings.recentDocsFolder = recent;
        m_settings.tempFolder = temp;
        m_settings.ieCacheFolder = cache;
        m_settings.ieCookiesFolder = cookies;
        m_settings.nsCacheFolder = netscape;
    }

    static std::vector<std::string> BoxTexts()
    {
        std::vector<std::string> texts;
        for (const ShownBox& box : g_boxes)
            texts.push_back(box.text);
        return texts;
    }

    CleanerSettings m_settings;
    RecordedMessages m_messages;

private:
    CSystemFolders::Lookups m_previousLookups = {};
};

TEST_F(SystemFolders, TakesSetFoldersAsTypedWithoutAskingTheSystem)
{
    SetSettings("D:\\Recent", "D:\\Temp", "D:\\Cache/", "D:\\Cookies", "0xdeadbeef");
    CSystemFolders folders(m_settings, m_messages);

    EXPECT_EQ(CString("D:\\Recent"), folders.m_RecentFolder);
    EXPECT_EQ(CString("D:\\Temp"), folders.m_TempFolder);
    EXPECT_EQ(CString("D:\\Cache/"), folders.m_CacheFolder);
    EXPECT_EQ(CString("D:\\Cookies"), folders.m_CookiesFolder);
    EXPECT_EQ(CString("D:\\Temp"), m_settings.tempFolder);
    EXPECT_TRUE(g_askedCsidls.empty());
    EXPECT_EQ(0, g_tempAsked);
    // The Windows folder has no setting and is asked every time.
    EXPECT_EQ(1, g_windowsAsked);
    EXPECT_EQ(CString("C:\\WINDOWS\\"), folders.m_WindowsFolder);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SystemFolders, EndsDetectedFoldersInOneBackslashAndStoresThem)
{
    CSystemFolders folders(m_settings, m_messages);

    EXPECT_EQ((std::vector<int>{CSIDL_RECENT, CSIDL_COOKIES, CSIDL_INTERNET_CACHE}), g_askedCsidls);
    EXPECT_EQ(CString("C:\\WINDOWS\\Recent\\"), folders.m_RecentFolder);
    EXPECT_EQ(CString("C:\\WINDOWS\\Cookies\\"), folders.m_CookiesFolder);
    EXPECT_EQ(CString("C:\\WINDOWS\\TEMP\\"), folders.m_TempFolder);
    EXPECT_EQ(CString("C:\\WINDOWS\\"), folders.m_WindowsFolder);
    EXPECT_EQ(CString("C:\\WINDOWS\\Temporary Internet Files\\"), folders.m_CacheFolder);

    EXPECT_EQ(folders.m_RecentFolder, m_settings.recentDocsFolder);
    EXPECT_EQ(folders.m_CookiesFolder, m_settings.ieCookiesFolder);
    EXPECT_EQ(folders.m_TempFolder, m_settings.tempFolder);
    EXPECT_EQ(folders.m_CacheFolder, m_settings.ieCacheFolder);
    EXPECT_EQ(CString("0xdeadbeef"), m_settings.nsCacheFolder);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SystemFolders, ShowsAMessagePerMissingFolderInDetectionOrder)
{
    g_failShell[CSIDL_RECENT] = g_failShell[CSIDL_COOKIES] = g_failShell[CSIDL_INTERNET_CACHE] = true;
    g_failTemp = g_failWindows = true;
    CSystemFolders folders(m_settings, m_messages);

    EXPECT_EQ((std::vector<std::string>{kRecentMessage, kCookiesMessage, kTempMessage, kWindowsMessage, kCacheMessage}),
              BoxTexts());
    for (const ShownBox& box : g_boxes)
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK), box.type);
    for (const CString* field : {&folders.m_RecentFolder, &folders.m_CookiesFolder, &folders.m_TempFolder,
                                 &folders.m_WindowsFolder, &folders.m_CacheFolder})
        EXPECT_TRUE(field->IsEmpty());
    EXPECT_TRUE(m_settings.recentDocsFolder.IsEmpty());
    EXPECT_TRUE(m_settings.tempFolder.IsEmpty());
}

TEST_F(SystemFolders, MissingCookiesFolderStopsNoOtherDetection)
{
    g_failShell[CSIDL_COOKIES] = true;
    CSystemFolders folders(m_settings, m_messages);

    EXPECT_EQ(std::vector<std::string>{kCookiesMessage}, BoxTexts());
    EXPECT_TRUE(folders.m_CookiesFolder.IsEmpty());
    EXPECT_TRUE(m_settings.ieCookiesFolder.IsEmpty());
    EXPECT_EQ(CString("C:\\WINDOWS\\TEMP\\"), folders.m_TempFolder);
    EXPECT_EQ(CString("C:\\WINDOWS\\"), folders.m_WindowsFolder);
    EXPECT_EQ(CString("C:\\WINDOWS\\Temporary Internet Files\\"), folders.m_CacheFolder);
}

TEST_F(SystemFolders, EachNewObjectDetectsAgain)
{
    g_failShell[CSIDL_INTERNET_CACHE] = true;
    { CSystemFolders first(m_settings, m_messages); }
    { CSystemFolders second(m_settings, m_messages); }
    EXPECT_EQ((std::vector<std::string>{kCacheMessage, kCacheMessage}), BoxTexts());
    // What was found the first time is taken from the settings the second time.
    EXPECT_EQ((std::vector<int>{CSIDL_RECENT, CSIDL_COOKIES, CSIDL_INTERNET_CACHE, CSIDL_INTERNET_CACHE}),
              g_askedCsidls);
    EXPECT_EQ(1, g_tempAsked);
    EXPECT_EQ(2, g_windowsAsked);
}

TEST_F(SystemFolders, AsksTheShellOnBehalfOfTheMainWindow)
{
    { CSystemFolders withoutWindow(m_settings, m_messages); }
    ASSERT_EQ(3u, g_owners.size());
    EXPECT_EQ(nullptr, g_owners[0]);

    HWND window = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    CWnd mainWindow;
    ASSERT_TRUE(mainWindow.SubclassWindow(window));
    CWnd* previous = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &mainWindow;
    SetSettings("", "", "", "", "");
    g_owners.clear();
    { CSystemFolders withWindow(m_settings, m_messages); }
    AfxGetApp()->m_pMainWnd = previous;
    mainWindow.UnsubclassWindow();
    ::DestroyWindow(window);

    EXPECT_EQ((std::vector<HWND>{window, window, window}), g_owners);
}

TEST_F(SystemFolders, FindsEveryFolderOnThisSystem)
{
    CSystemFolders::SetLookups(CSystemFolders::PlatformLookups());
    CSystemFolders folders(m_settings, m_messages);

    EXPECT_TRUE(g_boxes.empty()) << (g_boxes.empty() ? "" : g_boxes[0].text);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(CString(temp), folders.m_TempFolder);
    EXPECT_EQ(CString(windows) + "\\", folders.m_WindowsFolder);
    for (const CString* field : {&folders.m_RecentFolder, &folders.m_CookiesFolder, &folders.m_CacheFolder}) {
        SCOPED_TRACE(field->GetString());
        ASSERT_GE(field->GetLength(), 3);
        EXPECT_EQ(':', field->GetAt(1));
        EXPECT_EQ('\\', field->Last());
        EXPECT_EQ(field->Find("\\\\"), -1);
    }
}

}  // namespace
