// IsSeparator / IsDotEntry: the two tests every walk of the engine makes on names and entries.
// WithTrailingBackslash: a folder path as the folder settings keep a found folder.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <cstring>

// The file system takes "/" and "\" alike.
inline bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

// "." and "..", compared exactly: a folder named "..." is a folder like any other.
inline bool IsDotEntry(const WIN32_FIND_DATAA& entry)
{
    return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}

// The path ending in one "\"; an empty path stays empty.
inline CString WithTrailingBackslash(CString path)
{
    if (!path.IsEmpty() && path.Last() != '\\')
        path += '\\';
    return path;
}
