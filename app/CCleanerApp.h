// CCleanerApp: Dustora's application object and the data its dialogs and cleaners share.
#pragma once

#include "engine/CFreeSpaceGains.h"
#include "framework/CBitmap.h"
#include "framework/CStringArray.h"
#include "framework/CWinApp.h"
#include "framework/UniqueHandle.h"

class CCleanerApp : public CWinApp {
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

    int m_splashHold = 1;
    CStringArray g_TempExtensions;
    double g_FreeBefore[32] = {};
    // The drive (letter, volume serial number and size) each entry of g_FreeBefore was measured
    // on, so the report pairs by drive and medium.
    SnapshotDrive g_FreeBeforeDrive[32] = {};
    LONG m_registryEntriesRemoved = 0;
    CBitmap m_background;

    CString m_folderRecentDocs;
    CString m_folderTemp;
    CString m_folderIECache;
    CString m_folderIECookies;
    CString m_folderNSCache;

    CString m_programFolder;

private:
    // TRUE when the splash window is on screen.
    BOOL ShowSplashWindow();

    UniqueHandle m_instanceMutex;
};

extern CCleanerApp theApp;
