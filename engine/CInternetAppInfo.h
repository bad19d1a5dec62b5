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

    // Sweeps each drive root of the list, in list order, deleting through the one deletion path
    // (CTreeWalker, CEntryHandle) every file whose extension is one of theApp.g_TempExtensions;
    // links, read-only files and files in use stay. Always TRUE.
    BOOL DeleteTempFiles(const CStringArray& driveRoots);
    // Everything below the Netscape cache folder setting; the folder stays. FALSE when no
    // folder is set, else TRUE.
    BOOL EmptyNetscapeCache();
    // cookies.txt inside the Netscape cache folder setting. FALSE when no folder is set, else TRUE.
    BOOL DeleteNetscapeCookies();

    // A visitor that deletes the file at path, through the one deletion path, when its extension
    // is a temporary one; the user data is not used. Always 1: a sweep goes on.
    static int DeleteIfTempExtension(void* userData, const CString& path);
    // Walks every file below each root, one root after the other in list order, handing each
    // full path to visitor; links are not entered, and a root that cannot be listed is passed over.
    static void SweepDrives(const CStringArray& driveRoots, FileVisitor visitor, void* userData);

    // The "Store Root" value as stored (environment references stay unexpanded); empty when
    // Outlook Express is not found.
    CString m_StoreRoot;
};
