// The folder settings dialog: the five folders as detected, typed and picked in Wine's folder
// picker, what OK saves and what it refuses. Runs alone, as the picker tests do.
#include "app/CCleanerApp.h"
#include "dialogs/CFolderSettingsDlg.h"
#include "engine/CSystemFolders.h"
#include "resources/DustoraResource.h"
#include "support/FolderPickerDriver.h"
#include "support/NamedLock.h"
#include "support/Pixels.h"
#include "support/ProgramProfileKey.h"
#include "support/RecordedBoxes.h"
#include "support/RunModal.h"
#include "support/SandboxFolder.h"
#include "support/ScratchRegistryKey.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>

namespace {

const char kRootRefused[] = "Error: You cannot select the Root Folder !";

// Detection finds these; the Windows folder has no setting.
CString FoundShellFolder(HWND, int csidl)
{
    switch (csidl) {
    case CSIDL_RECENT: return "E:\\Found\\Recent";
    case CSIDL_COOKIES: return "E:\\Found\\Cookies\\";
    case CSIDL_INTERNET_CACHE: return "E:\\Found\\Cache";
    default: return CString();
    }
}
CString FoundTempFolder() { return "E:\\Found\\Temp\\"; }
CString FoundWindowsFolder() { return "C:\\windows"; }

struct Row {
    const char* key;
    CString CFolderSettingsDlg::*field;
    int edit;
    int browse;
    CString CCleanerApp::*setting;
    const char* found;   // what detection puts there
};

const Row kRows[] = {
    {"WinRecentDocs", &CFolderSettingsDlg::m_recentDocsFolder, IDC_FOLDER_RECENT_DOCS, IDC_BROWSE_RECENT_DOCS, &CCleanerApp::m_folderRecentDocs, "E:\\Found\\Recent\\"},
    {"WinTemp", &CFolderSettingsDlg::m_tempFolder, IDC_FOLDER_TEMP, IDC_BROWSE_TEMP, &CCleanerApp::m_folderTemp, "E:\\Found\\Temp\\"},
    {"MSIECache", &CFolderSettingsDlg::m_ieCacheFolder, IDC_FOLDER_IE_CACHE, IDC_BROWSE_IE_CACHE, &CCleanerApp::m_folderIECache, "E:\\Found\\Cache\\"},
    {"MSIECookies", &CFolderSettingsDlg::m_ieCookiesFolder, IDC_FOLDER_IE_COOKIES, IDC_BROWSE_IE_COOKIES, &CCleanerApp::m_folderIECookies, "E:\\Found\\Cookies\\"},
    {"NSCache", &CFolderSettingsDlg::m_nsCacheFolder, IDC_FOLDER_NS_CACHE, IDC_BROWSE_NS_CACHE, &CCleanerApp::m_folderNSCache, ""},
};

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

class FolderSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        for (const Row& row : kRows)
            m_saved.push_back(theApp.*row.setting);
        m_previousLookups = CSystemFolders::SetLookups({FoundShellFolder, FoundTempFolder, FoundWindowsFolder});
        SetSettings({"", "", "", "", ""});
    }
    void TearDown() override
    {
        CSystemFolders::SetLookups(m_previousLookups);
        for (size_t i = 0; i < m_saved.size(); ++i)
            theApp.*kRows[i].setting = m_saved[i];
        ::OleUninitialize();
    }

    static void SetSettings(const std::vector<const char*>& folders)
    {
        for (size_t i = 0; i < folders.size(); ++i)
            theApp.*kRows[i].setting = folders[i];
    }

    // The stored text, or "(none)".
    std::string Stored(const char* key) const
    {
        HKEY section = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_profile.SectionPath("Folders"), 0, KEY_READ, &section) != ERROR_SUCCESS)
            return "(none)";
        const RawRegistryValue raw = ReadRawValue(section, key);
        ::RegCloseKey(section);
        return raw.code == ERROR_SUCCESS ? std::string(raw.data.begin(), raw.data.end()).c_str() : "(none)";
    }

    NamedLock m_profileLock{"DustoraTests.FolderSettingsProfile"};
    ProgramProfileKey m_profile;
    RecordedBoxes m_boxes;
    SandboxFolder m_sandbox;

private:
    std::vector<CString> m_saved;
    CSystemFolders::Lookups m_previousLookups = {};
};

TEST_F(FolderSettingsDialog, OpensWithTheSettingsAndDetectsTheEmptyOnes)
{
    SetSettings({"", "D:\\Typed Temp", "", "", "E:\\Netscape"});
    CFolderSettingsDlg dlg;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        EXPECT_STREQ("Change Default Directories / Folders...", d.GetWindowText());
        EXPECT_STREQ("O&K / Close", d.GetDlgItemText(IDOK));
        EXPECT_STREQ("&Detect Folders", d.GetDlgItemText(IDC_DETECT_FOLDERS));
        EXPECT_STREQ("E:\\Found\\Recent\\", d.GetDlgItemText(IDC_FOLDER_RECENT_DOCS));
        EXPECT_STREQ("D:\\Typed Temp", d.GetDlgItemText(IDC_FOLDER_TEMP));
        EXPECT_STREQ("E:\\Found\\Cache\\", d.GetDlgItemText(IDC_FOLDER_IE_CACHE));
        EXPECT_STREQ("E:\\Found\\Cookies\\", d.GetDlgItemText(IDC_FOLDER_IE_COOKIES));
        EXPECT_STREQ("E:\\Netscape", d.GetDlgItemText(IDC_FOLDER_NS_CACHE));
        for (const Row& row : kRows) {
            EXPECT_STREQ("...", d.GetDlgItemText(row.browse));
            EXPECT_EQ(1024, d.SendDlgItemMessage(row.edit, EM_GETLIMITTEXT));
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(CString("E:\\Found\\Recent\\"), theApp.m_folderRecentDocs);   // detection writes back
    for (const Row& row : kRows)
        EXPECT_EQ("(none)", Stored(row.key)) << row.key;
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(FolderSettingsDialog, OkSavesTheTypedTextExactlyInTheSettingsAndTheProfile)
{
    const char* typed[] = {"E:\\Docs\\Recent", "D:\\Temp Files\\", "\\\\server\\share\\Cache", "E:\\Cookies\\..\\Kept", ""};
    CFolderSettingsDlg dlg;
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        for (size_t i = 0; i < std::size(kRows); ++i)
            d.SetDlgItemText(kRows[i].edit, typed[i]);
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(m_boxes.shown.empty());
    for (size_t i = 0; i < std::size(kRows); ++i) {
        SCOPED_TRACE(kRows[i].key);
        EXPECT_EQ(typed[i], Stored(kRows[i].key));
        EXPECT_EQ(CString(typed[i]), theApp.*kRows[i].setting);
        EXPECT_EQ(CString(typed[i]), dlg.*kRows[i].field);
    }
}

// A folder the cleaners would refuse to empty is refused here too, and nothing is saved.
TEST_F(FolderSettingsDialog, OkRefusesARootARelativePathAndOverlongText)
{
    const std::string tooLong = "E:\\" + std::string(1022, 'x');
    const std::string relativeMessage =
        "Error: The MS Internet Explorer Cache Folder must be a full path, such as C:\\WINDOWS\\TEMP\\.\n"
        "Leave it empty to have Dustora detect it.";
    struct Case { std::string typed; std::string message; };
    const Case cases[] = {
        {"C:\\", kRootRefused},
        {"E:", kRootRefused},
        {"D:/", kRootRefused},
        {"\\\\server\\share\\", kRootRefused},
        {"C:\\WINDOWS\\..", kRootRefused},
        {"Temporary Internet Files", relativeMessage},
        {"\\Cache", relativeMessage},
        {"E:Cache", relativeMessage},
        {tooLong, "Please enter no more than 1024 characters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_boxes.shown.clear();
        CFolderSettingsDlg dlg;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            d.SetDlgItemText(IDC_FOLDER_IE_CACHE, c.typed.c_str());
            Click(d, IDOK);
            EXPECT_TRUE(d.IsModalLoopRunning());
            EXPECT_EQ(::GetDlgItem(d, IDC_FOLDER_IE_CACHE), ::GetFocus());
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, m_boxes.shown.size());
        EXPECT_EQ(c.message, m_boxes.shown[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), m_boxes.shown[0].type & MB_ICONMASK);
        EXPECT_EQ("(none)", Stored("MSIECache"));
        EXPECT_EQ(CString("E:\\Found\\Cache\\"), theApp.m_folderIECache);
    }
}

TEST_F(FolderSettingsDialog, TypingStopsAtTheLimit)
{
    CFolderSettingsDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        d.SetDlgItemText(IDC_FOLDER_TEMP, "");
        const std::string text(1030, 'x');
        d.SendDlgItemMessage(IDC_FOLDER_TEMP, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        EXPECT_EQ(1024, d.GetDlgItemText(IDC_FOLDER_TEMP).GetLength());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(FolderSettingsDialog, DetectFoldersChangesTheSettingsEvenWhenCancelled)
{
    SetSettings({"E:\\Old\\Recent\\", "E:\\Old\\Temp\\", "E:\\Old\\Cache\\", "E:\\Old\\Cookies\\", "E:\\Old\\Netscape\\"});
    CFolderSettingsDlg dlg;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        EXPECT_STREQ("E:\\Old\\Netscape\\", d.GetDlgItemText(IDC_FOLDER_NS_CACHE));
        Click(d, IDC_DETECT_FOLDERS);
        for (const Row& row : kRows)
            EXPECT_STREQ(row.found, d.GetDlgItemText(row.edit)) << row.key;
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(CString(row.found), theApp.*row.setting);
        EXPECT_EQ("(none)", Stored(row.key));
    }
}

TEST_F(FolderSettingsDialog, APickedFolderGetsOneTrailingBackslashAndEveryEditIsShownAgain)
{
    m_sandbox.MakeFolder("Picked");
    CFolderSettingsDlg dlg;
    bool pickerTitled = false;
    RunModal(dlg, [&](CDialog& d) {
        d.SetDlgItemText(IDC_FOLDER_RECENT_DOCS, "typed and not confirmed");
        const FolderPickerDriver driver(IDOK, m_sandbox.Below("Picked"), "Picked");
        Click(d, IDC_BROWSE_TEMP);
        EXPECT_TRUE(driver.answered);
        pickerTitled = driver.ShowedText("Please select the Windows Temporary Folder Location.");
        EXPECT_EQ(m_sandbox.Below("Picked\\"), d.GetDlgItemText(IDC_FOLDER_TEMP));
        EXPECT_STREQ("E:\\Found\\Recent\\", d.GetDlgItemText(IDC_FOLDER_RECENT_DOCS));
        Click(d, IDOK);
    });
    EXPECT_TRUE(pickerTitled);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(m_sandbox.Below("Picked\\"), theApp.m_folderTemp);
    EXPECT_EQ(std::string(m_sandbox.Below("Picked\\")), Stored("WinTemp"));
}

TEST_F(FolderSettingsDialog, APickedRootIsRefusedAndACancelledPickerChangesNothing)
{
    struct Case { const char* name; UINT answer; const char* select; const char* waitFor; size_t messages; };
    const Case cases[] = {
        {"root", IDOK, "E:\\", "E:", 1},
        {"cancelled", IDCANCEL, nullptr, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.shown.clear();
        CFolderSettingsDlg dlg;
        RunModal(dlg, [&](CDialog& d) {
            const FolderPickerDriver driver(c.answer, c.select, c.waitFor);
            Click(d, IDC_BROWSE_IE_COOKIES);
            EXPECT_TRUE(driver.answered);
            EXPECT_STREQ("E:\\Found\\Cookies\\", d.GetDlgItemText(IDC_FOLDER_IE_COOKIES));
            d.PostMessage(WM_COMMAND, IDCANCEL);
        });
        ASSERT_EQ(c.messages, m_boxes.shown.size());
        if (c.messages) {
            EXPECT_EQ(kRootRefused, m_boxes.shown[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK), m_boxes.shown[0].type);
        }
        EXPECT_EQ(CString("E:\\Found\\Cookies\\"), dlg.m_ieCookiesFolder);
    }
}

TEST_F(FolderSettingsDialog, YellowLabelsOnTheTilesAndEditsKeepTheirColours)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());
    CFolderSettingsDlg dlg;
    RunModal(dlg, [&](CDialog& d) {
        ExpectTiledBackground(d, tile.Tile());
        const HWND label = ::GetWindow(::GetDlgItem(d, IDC_FOLDER_TEMP), GW_HWNDPREV);
        ASSERT_STREQ("Windows Temporary Folder:", CWnd::FromHandle(label)->GetWindowText());
        const ColourAnswer labelColour = AskColour(d, label);
        EXPECT_EQ(::GetStockObject(NULL_BRUSH), labelColour.brush);
        EXPECT_EQ(TRANSPARENT, labelColour.backgroundMode);
        EXPECT_EQ(RGB(255, 255, 64), labelColour.text);
        const ColourAnswer edit = AskColour(d, ::GetDlgItem(d, IDC_FOLDER_TEMP), WM_CTLCOLOREDIT);
        EXPECT_NE(::GetStockObject(NULL_BRUSH), edit.brush);
        EXPECT_EQ(RGB(0, 0, 0), edit.text);
        SaveScreenshot(d, "folders");
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
