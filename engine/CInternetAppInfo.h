// CInternetAppInfo: where Outlook Express keeps its message store, as seen when the object is
// made; also the owner of the cleaners of temporary files and of Netscape's cache and cookies.
#pragma once

#include "engine/CleanerSettings.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

class CInternetAppInfo {
public:
    // The cleaners work with a copy of settings: its temporary extensions and Netscape cache folder.
    explicit CInternetAppInfo(const CleanerSettings& settings = CleanerSettings());
    virtual ~CInternetAppInfo() = default;

    // Sweeps each drive root of the list, in list order, deleting through the one deletion path
    // (CTreeWalker, CEntryHandle) every file whose extension is one of the settings' temporary extensions;
    // links, read-only files and files in use stay. Always TRUE.
    BOOL DeleteTempFiles(const CStringArray& driveRoots);
    // Everything below the Netscape cache folder setting; the folder stays. FALSE when no
    // folder is set, else TRUE.
    BOOL EmptyNetscapeCache();
    // cookies.txt inside the Netscape cache folder setting. FALSE when no folder is set, else TRUE.
    BOOL DeleteNetscapeCookies();

    // The "Store Root" value as stored (environment references stay unexpanded); empty when
    // Outlook Express is not found.
    CString m_StoreRoot;

private:
    CleanerSettings m_settings;
};
