// IsSeparator / IsDotEntry: the two tests every walk of the engine makes on names and entries.
#pragma once

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
