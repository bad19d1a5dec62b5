// CFolderSettingsDlg: the five folders the cleaners work on, to be typed, picked in the shell's
// folder picker or detected again. OK saves them in the application's profile and in the
// folder settings the dialog was given.
#pragma once

#include "dialogs/CTiledDialog.h"
#include "engine/CleanerSettings.h"
#include "engine/UserMessages.h"

// The most characters a folder may have.
constexpr int kFolderTextLimit = 1024;

class CFolderSettingsDlg : public CTiledDialog {
public:
    // Shows and changes the folders of settings; messages hears of folders detection misses.
    // Both must outlive the dialog.
    CFolderSettingsDlg(CleanerSettings& settings, UserMessages& messages, CWnd* parent = nullptr);

    CString m_recentDocsFolder;
    CString m_tempFolder;
    CString m_ieCacheFolder;
    CString m_ieCookiesFolder;
    CString m_nsCacheFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Detects the folders whose setting is empty, then shows the settings.
    BOOL OnInitDialog() override;
    // Saves the five folders, unless one is too long, a drive root or not a full path.
    void OnOK() override;

    void OnBrowseRecentDocs();
    void OnBrowseTemp();
    void OnBrowseIECache();
    void OnBrowseIECookies();
    void OnBrowseNSCache();
    // Detects every folder afresh but the Netscape cache, which it empties; the application's
    // settings change at once, even if the dialog is then cancelled.
    void OnDetectFolders();

    DECLARE_MESSAGE_MAP()

private:
    struct FolderRow;
    // The rows in the order of the profile: field, edit, browse button, picker title, setting.
    static const FolderRow kRows[];

    // Picks the folder of the row whose browse button is browseId.
    void BrowseRow(int browseId);
    // Detects what is missing, then shows the application's settings in the edits.
    void ShowApplicationSettings();

    CleanerSettings& m_settings;
    UserMessages& m_messages;
};
