// CSystemFolders: the per-user system folders the cleaners work on, taken from the folder
// settings handed down or detected, and the emptying of a folder tree.
#pragma once

#include "engine/CPathGuard.h"
#include "engine/CleanerSettings.h"
#include "engine/UserMessages.h"
#include "framework/CObject.h"
#include "framework/CString.h"

#include <windows.h>

class CSystemFolders : public CObject {
public:
    // Where detection asks the system; each gives the path, or an empty string when it fails.
    struct Lookups {
        CString (*shellFolder)(HWND owner, int csidl);
        CString (*tempFolder)();
        CString (*windowsFolder)();
    };

    // Detects each folder whose setting is empty and writes the detected path back into
    // settings; messages hears of each folder that cannot be detected. Both must outlive the object.
    CSystemFolders(CleanerSettings& settings, UserMessages& messages);
    ~CSystemFolders() override = default;

    void Detect();

    // The cleaners of the folders found here; each deletes nothing when its folder is empty,
    // keeps the folder itself and always returns TRUE.
    BOOL EmptyTempFolder();
    // The bins of all drives, without asking.
    BOOL EmptyRecycleBin();
    // <Windows folder>\APPLOG\ (the application log folder of Windows 98).
    BOOL EmptyAppLogFolder();
    BOOL EmptyCacheFolder();
    // Internet Explorer's cookies, emptied as the cache is; the cookies in use stay.
    BOOL EmptyCookiesFolder();

    // Deletes everything below folder and keeps folder itself, through the one deletion path
    // (CTreeWalker, CEntryHandle). Passes over silently what it cannot delete, read-only files and
    // every link; refuses a relative path and a folder that really leads (links followed) where
    // no clutter of place can be (CPathGuard::MayEmptyFinalPath). Always 0.
    static int EmptyFolderTree(const char* folder);
    static int EmptyFolderTree(const char* folder, CPathGuard::FolderPlace place);

    // Installs other lookups (for tests); returns the ones in force before.
    static Lookups SetLookups(const Lookups& lookups);
    static Lookups PlatformLookups();
    // A shell folder (CSIDL number) through the lookups in force, with a trailing "\"; empty
    // when there is none.
    static CString ShellFolderPath(int csidl);

    CString m_RecentFolder;
    CString m_TempFolder;
    CString m_CookiesFolder;
    CString m_WindowsFolder;
    CString m_CacheFolder;

private:
    CleanerSettings& m_settings;
    UserMessages& m_messages;
};
