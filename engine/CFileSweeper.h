// CFileSweeper: walks the files of one folder, alone or with all its sub-folders, handing each
// full path to a visitor or collecting the paths in a list. It deletes nothing itself.
// Also holds FileVisitor, the type of the visitor.
#pragma once

#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

#include <windows.h>

// Called with the walk's user data and a file's full path; non-zero goes on, 0 stops the walk.
using FileVisitor = int (*)(void* userData, const CString& path);

class CFileSweeper : public CObject {
public:
    CFileSweeper() = default;
    ~CFileSweeper() override;

    virtual void ClearPath();
    // Empty: 0 and an empty path. Otherwise 1, with "/" added unless the text ends in "/" or "\".
    virtual int SetPath(const char* folder);

    // Each returns 0 when the folder cannot be listed at all, 1 otherwise (also when a visitor
    // stopped). The walk is CTreeWalker's: links to folders are never entered, a name with no
    // exact ANSI form is passed over, and a Unix link to a file may be reported, which the
    // deletion path refuses. Below the first level paths are joined with "/".
    virtual int ForEachFile(FileVisitor visitor, void* userData);
    virtual int ListFiles(CStringArray& files);                       // empties the list first
    virtual int ForEachFileRecursive(FileVisitor visitor, void* userData);
    virtual int ListFilesRecursive(CStringArray& files);              // appends to the list

    // The same walks from a folder below the first level ("/" is added to it); like every walk
    // of CTreeWalker they keep their levels on the heap, so depth costs no stack.
    static void CollectFilesRecursive(const char* folder, CStringArray& files);
    // 0 means stop (or an empty folder), 1 means go on; a folder that cannot be listed goes on.
    static int WalkFilesRecursive(const char* folder, FileVisitor visitor, void* userData);

    CString m_SweepPath;
};
