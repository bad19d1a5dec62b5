// CInternetAppInfo: where Outlook Express keeps its message store, as seen when the object is
// made; also the owner of the cleaners of temporary files and of Netscape's cache and cookies.
#pragma once

#include "engine/CFileSweeper.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

class CInternetAppInfo {
public:
    CInternetAppInfo();
    virtual ~CInternetAppInfo() = default;

    // Sweeps each drive root of the list, in list order, deleting every plain file whose
    // extension is one of theApp.g_TempExtensions; links are left alone. Always TRUE.
    BOOL DeleteTempFiles(const CStringArray& driveRoots);
    // Everything below the Netscape cache folder setting; the folder stays. FALSE when no
    // folder is set, else TRUE.
    BOOL EmptyNetscapeCache();
    // cookies.txt inside the Netscape cache folder setting. FALSE when no folder is set, else TRUE.
    BOOL DeleteNetscapeCookies();

    // The visitor of DeleteTempFiles; the user data is not used. Always 1: the sweep goes on.
    static int DeleteIfTempExtension(void* userData, const CString& path);
    // Walks every file below each root, one root after the other in list order, handing each
    // full path to visitor; links are not entered, and a root that cannot be listed is passed over.
    static void SweepDrives(const CStringArray& driveRoots, FileVisitor visitor, void* userData);

    // The "Store Root" value as stored (environment references stay unexpanded); empty when
    // Outlook Express is not found.
    CString m_StoreRoot;
};
