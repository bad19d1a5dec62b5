// CPathGuard: the checks every deleting operation makes before it touches a path: no links
// (junctions, symbolic links, and under Wine the Unix symlinks behind them), no drive or share
// roots, no relative paths.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CPathGuard {
public:
    // TRUE when the entry that a listing of folder returned is a link of any kind, or when that
    // cannot be ruled out; such an entry must be neither entered nor deleted nor removed.
    static BOOL IsLinkEntry(const char* folder, const WIN32_FIND_DATAA& entry);

    // The same, with the folder's final path taken once for a whole listing (FolderFinalPath);
    // an empty folderFinal counts every entry as a link.
    static BOOL IsLinkEntry(const char* folder, const CString& folderFinal, const WIN32_FIND_DATAA& entry);
    // The path the file system really reaches through folder, ending in "\"; empty when it
    // cannot be had or the platform cannot tell.
    static CString FolderFinalPath(const char* folder);

    // The same check for a full path (folder, separator, name); TRUE also when nothing is there.
    static BOOL IsLink(const char* path);

    // TRUE for a path that names a whole drive or share: "C:", "C:\", "C:/", "\", "/",
    // "\\server", "\\server\share", "\\server\share\".
    static BOOL IsRootPath(const char* path);

    // TRUE for "X:\..." or "X:/..." and for UNC paths "\\server\share...".
    static BOOL IsAbsolutePath(const char* path);

    // TRUE when a folder may have its contents deleted: absolute and, once "." and ".." are
    // resolved, not a root.
    static BOOL MayEmptyFolder(const char* folder);
};
