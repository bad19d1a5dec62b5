// The folder settings dialog: the five folders as detected, typed and picked in Wine's folder
// picker, what OK saves and what it refuses. Runs alone, as the picker tests do.
#include "dialogs/CFolderSettingsDlg.h"
#include "engine/CSystemFolders.h"
#include "framework/UniqueHandle.h"
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
    int edit;
    CString CleanerSettings::*setting;
    const char* found;   // what detection puts there
};

const Row kRows[] = {
    {"WinRecentDocs", IDC_FOLDER_RECENT_DOCS, &CleanerSettings::recentDocsFolder, "E:\\Found\\Recent\\"},
    {"WinTemp", IDC_FOLDER_TEMP, &CleanerSettings::tempFolder, "E:\\Found\\Temp\\"},
    {"MSIECache", IDC_FOLDER_IE_CACHE, &CleanerSettings::ieCacheFolder, "E:\\Found\\Cache\\"},
    {"MSIECookies", IDC_FOLDER_IE_COOKIES, &CleanerSettings::ieCookiesFolder, "E:\\Found\\Cookies\\"},
    {"NSCache", IDC_FOLDER_NS_CACHE, &CleanerSettings::nsCacheFolder, ""},
};

// The settings start empty, so opening the dialog detects them all.
class FolderSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        m_previousLookups = CSystemFolders::SetLookups({FoundShellFolder, FoundTempFolder, FoundWindowsFolder});
    }
    void TearDown() override
    {
        CSystemFolders::SetLookups(m_previousLookups);
        ::OleUninitialize();
    }

    void SetSettings(const std::vector<CString>& folders)
    {
        for (size_t i = 0; i < folders.size(); ++i)
            m_settings.*kRows[i].setting = folders[i];
    }

    // The stored text, or "(none)".
    std::string Stored(const char* key) const
    {
        UniqueKey section;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_profile.SectionPath("Folders"), 0, KEY_READ, section.receive()) != ERROR_SUCCESS)
            return "(none)";
        return ReadTextValue(section.get(), key);
    }

    NamedLock m_profileLock{"DustoraTests.FolderSettingsProfile"};
    ProgramProfileKey m_profile;
    RecordedBoxes m_boxes;
    SandboxFolder m_sandbox;
    CleanerSettings m_settings;
    CBitmap m_background;

private:
    CSystemFolders::Lookups m_previousLookups = {};
};

// Only the empty settings are detected on opening, and written back without being stored; Detect
// Folders replaces them all, and Cancel keeps that. Typing in any edit stops at 1024 characters.
// Yellow labels on the tiles; the edits keep their own colours.
TEST_F(FolderSettingsDialog, OpensWithTheSettingsDetectsTheEmptyOnesAndDetectFoldersAll)
{
    const ScopedTile tile(m_background, ProgramTile());
    SetSettings({"", "D:\\Typed Temp", "", "", "E:\\Netscape"});
    CFolderSettingsDlg dlg(m_settings, m_boxes);
    dlg.SetBackground(m_background);
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        EXPECT_STREQ("Change Default Directories / Folders...", d.GetWindowText());
        EXPECT_STREQ("&Detect Folders", d.GetDlgItemText(IDC_DETECT_FOLDERS));
        EXPECT_EQ(CString("E:\\Found\\Recent\\"), m_settings.recentDocsFolder);
        EXPECT_EQ(CString("D:\\Typed Temp"), m_settings.tempFolder);

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

        const char* shown[] = {"E:\\Found\\Recent\\", "D:\\Typed Temp", "E:\\Found\\Cache\\", "E:\\Found\\Cookies\\", "E:\\Netscape"};
        for (size_t i = 0; i < std::size(kRows); ++i) {
            SCOPED_TRACE(kRows[i].key);
            EXPECT_STREQ(shown[i], d.GetDlgItemText(kRows[i].edit));
            d.SetDlgItemText(kRows[i].edit, "");
            d.SendDlgItemMessage(kRows[i].edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(std::string(1030, 'x').c_str()));
            EXPECT_EQ(1024, d.GetDlgItemText(kRows[i].edit).GetLength());
        }
        d.SendDlgItemMessage(IDC_DETECT_FOLDERS, BM_CLICK);
        for (const Row& row : kRows)
            EXPECT_STREQ(row.found, d.GetDlgItemText(row.edit)) << row.key;
        d.SendDlgItemMessage(IDCANCEL, BM_CLICK);
    });
    EXPECT_EQ(IDCANCEL, result);
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(CString(row.found), m_settings.*row.setting);
        EXPECT_EQ("(none)", Stored(row.key));
    }
    EXPECT_TRUE(m_boxes.shown.empty());
}

// A folder the cleaners would refuse to empty is refused here too (a root, a relative path, one
// beyond the ANSI limit, one among the users' or the system's files): the dialog stays open with
// the edit in focus, and nothing is saved. Then OK saves the typed text exactly.
TEST_F(FolderSettingsDialog, OkRefusesARootARelativePathAndOverlongTextAndSavesTheRest)
{
    const std::string relative =
        "Error: The MS Internet Explorer Cache Folder must be a full path, such as C:\\WINDOWS\\TEMP\\.\n"
        "Leave it empty to have Dustora detect it.";
    const std::string kKeptFilesRefused =
        "Error: The MS Internet Explorer Cache Folder cannot be a folder that holds Windows, programs or your "
        "files:\nDustora empties it.\nLeave it empty to have Dustora detect it.";
    struct Case { std::string typed; std::string message; };
    const Case cases[] = {
        {"C:\\", kRootRefused}, {"E:", kRootRefused}, {"D:/", kRootRefused},
        {"\\\\server\\share\\", kRootRefused}, {"C:\\WINDOWS\\..", kRootRefused},
        {"Temporary Internet Files", relative}, {"\\Cache", relative}, {"E:Cache", relative},
        {"E:\\" + std::string(1022, 'x'), "Please enter no more than 1024 characters."},
        {"E:\\" + std::string(257, 'x'), "Error: The MS Internet Explorer Cache Folder must be shorter than 260 characters."},
        {"C:\\ProgramData", kKeptFilesRefused}, {"C:\\windows\\Fonts\\", kKeptFilesRefused},
        {"C:\\users\\Public\\Documents", kKeptFilesRefused},
    };
    const char* typed[] = {"E:\\Docs\\Recent", "D:\\Temp Files\\", "\\\\server\\share\\Cache", "E:\\Cookies\\..\\Kept", ""};
    CFolderSettingsDlg dlg(m_settings, m_boxes);
    dlg.SetBackground(m_background);
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed);
            m_boxes.shown.clear();
            d.SetDlgItemText(IDC_FOLDER_IE_CACHE, c.typed.c_str());
            d.SendDlgItemMessage(IDOK, BM_CLICK);
            EXPECT_TRUE(d.IsModalLoopRunning());
            EXPECT_EQ(::GetDlgItem(d, IDC_FOLDER_IE_CACHE), ::GetFocus());
            ASSERT_EQ(1u, m_boxes.shown.size());
            EXPECT_EQ(c.message, m_boxes.shown[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), m_boxes.shown[0].type & MB_ICONMASK);
        }
        EXPECT_EQ("(none)", Stored("MSIECache"));
        EXPECT_EQ(CString("E:\\Found\\Cache\\"), m_settings.ieCacheFolder);
        m_boxes.shown.clear();
        for (size_t i = 0; i < std::size(kRows); ++i)
            d.SetDlgItemText(kRows[i].edit, typed[i]);
        d.SendDlgItemMessage(IDOK, BM_CLICK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(m_boxes.shown.empty());
    for (size_t i = 0; i < std::size(kRows); ++i) {
        SCOPED_TRACE(kRows[i].key);
        EXPECT_EQ(typed[i], Stored(kRows[i].key));
        EXPECT_EQ(CString(typed[i]), m_settings.*kRows[i].setting);
    }
}

// A picked folder gets one trailing backslash and every edit is shown again from the settings;
// a picked root is refused and a cancelled picker changes nothing. All in one dialog, as the
// picker is slow to come up.
TEST_F(FolderSettingsDialog, APickedFolderGetsOneTrailingBackslashAndAPickedRootIsRefused)
{
    m_sandbox.MakeFolder("Picked");
    const CString picked = m_sandbox.Below("Picked\\");
    CFolderSettingsDlg dlg(m_settings, m_boxes);
    dlg.SetBackground(m_background);
    RunModal(dlg, [&](CDialog& d) {
        d.SetDlgItemText(IDC_FOLDER_RECENT_DOCS, "typed and not confirmed");
        {
            const FolderPickerDriver driver(IDOK, m_sandbox.Below("Picked"), "Picked");
            d.SendDlgItemMessage(IDC_BROWSE_TEMP, BM_CLICK);
            EXPECT_TRUE(driver.answered);
            EXPECT_TRUE(driver.ShowedText("Please select the Windows Temporary Folder Location."));
        }
        EXPECT_EQ(picked, d.GetDlgItemText(IDC_FOLDER_TEMP));
        EXPECT_STREQ("E:\\Found\\Recent\\", d.GetDlgItemText(IDC_FOLDER_RECENT_DOCS));

        struct Case { const char* name; UINT answer; const char* select; const char* waitFor; size_t messages; };
        for (const Case& c : {Case{"root", IDOK, "E:\\", "E:", 1}, Case{"cancelled", IDCANCEL, nullptr, nullptr, 1}}) {
            SCOPED_TRACE(c.name);
            const FolderPickerDriver driver(c.answer, c.select, c.waitFor);
            d.SendDlgItemMessage(IDC_BROWSE_IE_COOKIES, BM_CLICK);
            EXPECT_TRUE(driver.answered);
            EXPECT_STREQ("E:\\Found\\Cookies\\", d.GetDlgItemText(IDC_FOLDER_IE_COOKIES));
            ASSERT_EQ(c.messages, m_boxes.shown.size());
        }
        EXPECT_EQ(kRootRefused, m_boxes.shown[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK), m_boxes.shown[0].type);
        d.SendDlgItemMessage(IDOK, BM_CLICK);
    });
    EXPECT_EQ(1u, m_boxes.shown.size()) << "OK took the picked folder without a word";
    EXPECT_EQ(picked, m_settings.tempFolder);
    EXPECT_EQ(std::string(picked), Stored("WinTemp"));
    EXPECT_EQ(CString("E:\\Found\\Cookies\\"), m_settings.ieCookiesFolder);
}

}  // namespace
