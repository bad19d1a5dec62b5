// The engine's path rules, each written once:
//   IsSeparator, IsDotEntry, IsDotName   "/" and "\"; the entries "." and ".."
//   EnsureTrailingSeparator              "C:\Temp" -> "C:\Temp\" (or "/"); an empty path stays empty
//   WithTrailingBackslash                the same as a copy, with "\"
//   IsAbsolutePath, IsRootPath           plain ANSI paths: "X:\..." or "\\server\share..."; a whole
//                                        drive or share
//   LiteralPath                          an absolute ANSI path as "\\?\X:\..." or "\\?\UNC\server\share\...",
//                                        every name taken as it stands
//   ParentAndName, AppendName            splitting and joining literal paths
//   IsOnADrive, IsDriveOrShareRoot       judging a final path ("\\?\X:\..." or "\\?\UNC\...")
//   IsSameOrAncestor                     a folder that is another or holds it, ignoring case
//   SplitFinalPath                       "\\?\X:\dir" -> "\\?\X:" and "\dir"
//   ShownAsLastName, ShownInsideAPath    names as Wine renders them in the paths it reports
//   AnsiNameOf                           a listed name in the ANSI code page, only when exact and valid
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <cstring>
#include <string>

// The file system takes "/" and "\" alike.
inline bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

inline bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// "." and "..", compared exactly: a folder named "..." is a folder like any other.
inline bool IsDotEntry(const WIN32_FIND_DATAA& entry)
{
    return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}

inline bool IsDotName(const std::wstring& name)
{
    return name == L"." || name == L"..";
}

// Appends separator unless path is empty or already ends in "/" or "\".
void EnsureTrailingSeparator(CString& path, char separator);

// The path ending in a separator, "\" where one is added; an empty path stays empty.
CString WithTrailingBackslash(CString path);

// "X:\..." or "X:/..." and UNC paths "\\server\share..."; never "\\?\" or "\\.\" device paths.
bool IsAbsolutePath(const char* path);

// A path that names a whole drive or share: "C:", "C:\", "C:/", "\", "/", "\\server",
// "\\server\share", "\\server\share\".
bool IsRootPath(const char* path);

// "X:\dir\..." or "\\server\share\..." as "\\?\X:\dir\..." or "\\?\UNC\server\share\...": "/" and
// "\" separate, doubled separators and "." go, ".." takes back the name before it (never the
// drive or share), and every other name stays exactly as written, trailing dots and blanks
// included. A path already in the "\\?\X:\" or "\\?\UNC\" form is taken as it is. The result
// ends in "\" only for a drive root. Empty for relative and drive-relative paths, device paths
// and text with no exact wide form.
std::wstring LiteralPath(const char* path);
std::wstring LiteralPath(const std::wstring& path);

// "\\?\E:\dir\name" -> "\\?\E:\dir" and "name"; "\\?\E:\name" -> "\\?\E:\" and "name". False for
// a path without a name to split off (a root).
bool ParentAndName(const std::wstring& path, std::wstring& parent, std::wstring& name);

// The literal path of name inside folder.
std::wstring AppendName(const std::wstring& folder, const std::wstring& name);

// "\\?\X:\..." or "\\?\UNC\server\share...": a place on a drive or a share. Wine names what lies
// outside every drive "\\?\unix\...".
bool IsOnADrive(const std::wstring& finalPath);

// "\\?\X:\" (or "\\?\X:") and "\\?\UNC\server\share" (with or without a separator after it).
bool IsDriveOrShareRoot(const std::wstring& finalPath);

// True when folder is path itself or one of the folders that hold it; case is ignored.
bool IsSameOrAncestor(const std::wstring& folder, const std::wstring& path);

// A final path on a drive or share split into its volume ("\\?\X:" or "\\?\UNC\server\share")
// and its names below it ("\dir\name", empty for the root); false for any other form.
bool SplitFinalPath(const std::wstring& finalPath, std::wstring& volume, std::wstring& names);

// Wine names where an entry really is without the trailing dots and blanks of the path's last
// name ("report. " reads "report") and without one trailing dot of each name inside the path
// ("a..\x" reads "a.\x"); Windows keeps every name as it is.
std::wstring ShownAsLastName(const std::wstring& name);
std::wstring ShownInsideAPath(const std::wstring& name);

// A listed name in the ANSI code page, when it has an exact form there and holds nothing a
// Windows name cannot: no separator, no ":*?"<>|", no control character. The ANSI listing
// best-fits what the code page lacks ("．．＼x" becomes "..\x"); such names are refused here.
bool AnsiNameOf(const std::wstring& name, CString& ansi);
