// CPathGuard: the judgements made before deleting: which folders a cleaner may empty (never a
// root, a place outside every drive, a system or user folder or one that holds such a folder),
// which paths are plainly absolute and not roots, and whether an entry is a link.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>

class CPathGuard {
public:
    // TRUE when the entry that a listing of folder returned is a link of any kind, or when that
    // cannot be ruled out; such an entry must be neither entered nor deleted nor removed.
    static BOOL IsLinkEntry(const char* folder, const WIN32_FIND_DATAA& entry);

    // The same check for a full path (folder, separator, name); TRUE also when nothing is there,
    // and for an entry with a look-alike beside it ("report" beside "report."). Every name is
    // taken as written ("report." is not "report").
    static BOOL IsLink(const char* path);

    // TRUE for a path that names a whole drive or share: "C:", "C:\", "C:/", "\", "/",
    // "\\server", "\\server\share", "\\server\share\".
    static BOOL IsRootPath(const char* path);

    // TRUE for "X:\..." or "X:/..." and for UNC paths "\\server\share...".
    static BOOL IsAbsolutePath(const char* path);

    // TRUE when a folder may have its contents deleted: absolute and, once "." and ".." are
    // resolved, not a root (MayEmptyFolderAsWritten), and where it exists leading, links
    // followed, to a place MayEmptyFinalPath accepts.
    static BOOL MayEmptyFolder(const char* folder);
    static BOOL MayEmptyFolderAsWritten(const char* folder);

    // TRUE for a final path ("\\?\X:\...") on a drive or share that is not its root and neither
    // is nor holds a folder a cleaner must never empty: the Windows folder, the system folders,
    // the program-files folders, the user's profile folder, Documents and Desktop.
    static BOOL MayEmptyFinalPath(const std::wstring& finalPath);
};
