// CCleanerApp: Dustora's application object, owner of the data its dialogs and cleaners share.
// It hands each part what it needs: the cleaners get the settings and tell their failures
// through it (a message box), the dialogs get the background and the run's figures.
#pragma once

#include "engine/CFreeSpaceGains.h"
#include "engine/CleanerSettings.h"
#include "engine/UserMessages.h"
#include "framework/CBitmap.h"
#include "framework/CStringArray.h"
#include "framework/CWinApp.h"
#include "framework/UniqueHandle.h"

class CCleanerApp : public CWinApp, public UserMessages {
public:
    CCleanerApp();
    ~CCleanerApp() override;

    // Start-up, then the main dialog, run modally; always FALSE, so the program ends with it.
    BOOL InitInstance() override;
    // Reads section "Folders" into the five folder fields; absent values read as empty.
    void LoadFolderSettings();

    // The notification icon's "&Show Options": the main window comes back; the icon stays.
    void OnShowOptions();
    // The notification icon's "E&xit": the main window closes as by its close box, which saves
    // the settings and ends the program.
    void OnAppExit();

    // A message box with the program's name as caption, over the main window.
    void Tell(const CString& text, UINT style) override;

    int m_splashHold = 1;
    CleanerSettings m_settings;
    CStringArray& g_TempExtensions = m_settings.tempExtensions;
    double g_FreeBefore[32] = {};
    // The drive (letter, volume serial number and size) each entry of g_FreeBefore was measured
    // on, so the report pairs by drive and medium.
    SnapshotDrive g_FreeBeforeDrive[32] = {};
    LONG m_registryEntriesRemoved = 0;
    CBitmap m_background;

    // The folder settings by the names the profile's readers know them by.
    CString& m_folderRecentDocs = m_settings.recentDocsFolder;
    CString& m_folderTemp = m_settings.tempFolder;
    CString& m_folderIECache = m_settings.ieCacheFolder;
    CString& m_folderIECookies = m_settings.ieCookiesFolder;
    CString& m_folderNSCache = m_settings.nsCacheFolder;

    CString m_programFolder;

private:
    // TRUE when the splash window is on screen.
    BOOL ShowSplashWindow();

    UniqueHandle m_instanceMutex;
};

extern CCleanerApp theApp;
