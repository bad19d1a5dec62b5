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
    // stopped). Links (junctions, symbolic links) are neither entered nor reported.
    virtual int ForEachFile(FileVisitor visitor, void* userData);
    virtual int ListFiles(CStringArray& files);                       // empties the list first
    virtual int ForEachFileRecursive(FileVisitor visitor, void* userData);
    virtual int ListFilesRecursive(CStringArray& files);              // appends to the list

    // The levels below the first; each keeps its state on the heap, so depth costs no stack.
    static void CollectFilesRecursive(const char* folder, CStringArray& files);
    // 0 means stop, 1 means go on.
    static int WalkFilesRecursive(const char* folder, FileVisitor visitor, void* userData);

    CString m_SweepPath;
};
