#include "dialogs/CFolderSettingsDlg.h"

#include "engine/CFolderBrowser.h"
#include "engine/CPathGuard.h"
#include "engine/CSystemFolders.h"
#include "engine/PathParts.h"
#include "framework/CWinApp.h"
#include "framework/MessageBox.h"
#include "resources/DustoraResource.h"

#include <algorithm>
#include <iterator>

struct CFolderSettingsDlg::FolderRow {
    CString CFolderSettingsDlg::*field;
    int editId;
    int browseId;
    const char* pickerTitle;
    CString CleanerSettings::*setting;
    const char* profileKey;
    const char* name;   // as the user knows the folder
    CPathGuard::FolderPlace place;
};

const CFolderSettingsDlg::FolderRow CFolderSettingsDlg::kRows[] = {
    {&CFolderSettingsDlg::m_recentDocsFolder, IDC_FOLDER_RECENT_DOCS, IDC_BROWSE_RECENT_DOCS,
     "Please select the Windows Recent Documents Folder.", &CleanerSettings::recentDocsFolder, "WinRecentDocs",
     "Windows Recent Documents Folder", CPathGuard::kRecentPlace},
    {&CFolderSettingsDlg::m_tempFolder, IDC_FOLDER_TEMP, IDC_BROWSE_TEMP,
     "Please select the Windows Temporary Folder Location.", &CleanerSettings::tempFolder, "WinTemp",
     "Windows Temporary Folder", CPathGuard::kTempPlace},
    {&CFolderSettingsDlg::m_ieCacheFolder, IDC_FOLDER_IE_CACHE, IDC_BROWSE_IE_CACHE,
     "Please select the Internet Explorer Cache Folder Location.", &CleanerSettings::ieCacheFolder, "MSIECache",
     "MS Internet Explorer Cache Folder", CPathGuard::kInternetCachePlace},
    {&CFolderSettingsDlg::m_ieCookiesFolder, IDC_FOLDER_IE_COOKIES, IDC_BROWSE_IE_COOKIES,
     "Please select the Internet Explorer Cookies Folder Location.", &CleanerSettings::ieCookiesFolder, "MSIECookies",
     "MS Internet Explorer Cookies Folder", CPathGuard::kCookiesPlace},
    {&CFolderSettingsDlg::m_nsCacheFolder, IDC_FOLDER_NS_CACHE, IDC_BROWSE_NS_CACHE,
     "Please select the Netscape Navigator User Profile Folder Location.", &CleanerSettings::nsCacheFolder, "NSCache",
     "Netscape Navigator / Comunicator Cache Folder", CPathGuard::kNoSystemPlace},
};

namespace {

const char kRootFolderRefused[] = "Error: You cannot select the Root Folder !";

// "C:\", "C:", "\\server\share", and whatever resolves to one, such as "C:\WINDOWS\..".
bool NamesARoot(const CString& folder)
{
    if (CPathGuard::IsRootPath(folder))
        return true;
    char full[kFolderTextLimit + 1];
    const DWORD length = ::GetFullPathNameA(folder, sizeof full, full, nullptr);
    return length > 0 && length < sizeof full && CPathGuard::IsRootPath(full);
}

// Why a folder may not be emptied, or empty when it may: a full path below a root, within the
// ANSI limit, where only clutter can be.
CString RefusalOf(const CString& folder, const char* name, CPathGuard::FolderPlace place)
{
    CString message;
    if (NamesARoot(folder)) {
        message = kRootFolderRefused;
    } else if (!CPathGuard::IsAbsolutePath(folder)) {
        message.Format("Error: The %s must be a full path, such as C:\\WINDOWS\\TEMP\\.\n"
                       "Leave it empty to have Dustora detect it.", name);
    } else if (folder.GetLength() >= MAX_PATH) {
        message.Format("Error: The %s must be shorter than %d characters.", name, MAX_PATH);
    } else if (!CPathGuard::MayEmptyFolder(folder, place)) {
        message.Format("Error: The %s cannot be a folder that holds Windows, programs or your files:\n"
                       "Dustora empties it.\nLeave it empty to have Dustora detect it.", name);
    }
    return message;
}

// A folder to empty must pass RefusalOf; an empty one means "detect".
void DDV_FolderToEmpty(CDataExchange* pDX, int id, const CString& folder, const char* name,
                       CPathGuard::FolderPlace place)
{
    const HWND control = pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate || pDX->Failed() || !control || folder.IsEmpty())
        return;
    const CString refusal = RefusalOf(folder, name, place);
    if (!refusal.IsEmpty())
        pDX->Refuse(control, refusal);
}

}  // namespace

CFolderSettingsDlg::CFolderSettingsDlg(CleanerSettings& settings, UserMessages& messages, CWnd* parent)
    : CTiledDialog(IDD_FOLDER_SETTINGS, parent), m_settings(settings), m_messages(messages)
{
}

BEGIN_MESSAGE_MAP(CFolderSettingsDlg, CTiledDialog)
    ON_BN_CLICKED(IDC_BROWSE_RECENT_DOCS, &CFolderSettingsDlg::OnBrowseRecentDocs)
    ON_BN_CLICKED(IDC_BROWSE_TEMP, &CFolderSettingsDlg::OnBrowseTemp)
    ON_BN_CLICKED(IDC_BROWSE_IE_CACHE, &CFolderSettingsDlg::OnBrowseIECache)
    ON_BN_CLICKED(IDC_BROWSE_IE_COOKIES, &CFolderSettingsDlg::OnBrowseIECookies)
    ON_BN_CLICKED(IDC_BROWSE_NS_CACHE, &CFolderSettingsDlg::OnBrowseNSCache)
    ON_BN_CLICKED(IDC_DETECT_FOLDERS, &CFolderSettingsDlg::OnDetectFolders)
END_MESSAGE_MAP()

void CFolderSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    for (const FolderRow& row : kRows) {
        CString& field = this->*row.field;
        DDX_Text(pDX, row.editId, field);
        DDV_MaxChars(pDX, row.editId, field, kFolderTextLimit);
        DDV_FolderToEmpty(pDX, row.editId, field, row.name, row.place);
    }
}

BOOL CFolderSettingsDlg::OnInitDialog()
{
    CTiledDialog::OnInitDialog();
    ShowApplicationSettings();
    return TRUE;
}

// Detection fills the empty settings (all but the Netscape cache) and reports what it misses.
void CFolderSettingsDlg::ShowApplicationSettings()
{
    const CSystemFolders detected(m_settings, m_messages);
    for (const FolderRow& row : kRows)
        this->*row.field = m_settings.*row.setting;
    UpdateData(FALSE);
}

void CFolderSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CWinApp* const app = AfxGetApp();
    for (const FolderRow& row : kRows) {
        if (app)
            app->WriteProfileString("Folders", row.profileKey, this->*row.field);
    }
    for (const FolderRow& row : kRows)
        m_settings.*row.setting = this->*row.field;
    EndDialog(IDOK);
}

void CFolderSettingsDlg::OnDetectFolders()
{
    for (const FolderRow& row : kRows)
        (m_settings.*row.setting).Empty();
    ShowApplicationSettings();
}

// A picked folder gets one trailing backslash, as a detected one has; every edit then shows its
// field again, which drops text typed elsewhere and not yet confirmed.
void CFolderSettingsDlg::BrowseRow(int browseId)
{
    const FolderRow* found = std::find_if(std::begin(kRows), std::end(kRows),
                                          [&](const FolderRow& row) { return row.browseId == browseId; });
    if (found == std::end(kRows))
        return;
    const FolderRow& row = *found;
    CFolderBrowser browser;
    browser.m_Title = row.pickerTitle;
    // A failed browse can leave the display name of the chosen item in m_Path: never a folder.
    if (!browser.Browse() || browser.m_Path.IsEmpty())
        return;
    const CString refusal = RefusalOf(browser.m_Path, row.name, row.place);
    if (!refusal.IsEmpty()) {
        AfxMessageBox(refusal, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    this->*row.field = WithTrailingBackslash(browser.m_Path);
    UpdateData(FALSE);
}

void CFolderSettingsDlg::OnBrowseRecentDocs()
{
    BrowseRow(IDC_BROWSE_RECENT_DOCS);
}

void CFolderSettingsDlg::OnBrowseTemp()
{
    BrowseRow(IDC_BROWSE_TEMP);
}

void CFolderSettingsDlg::OnBrowseIECache()
{
    BrowseRow(IDC_BROWSE_IE_CACHE);
}

void CFolderSettingsDlg::OnBrowseIECookies()
{
    BrowseRow(IDC_BROWSE_IE_COOKIES);
}

void CFolderSettingsDlg::OnBrowseNSCache()
{
    BrowseRow(IDC_BROWSE_NS_CACHE);
}
