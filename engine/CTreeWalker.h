// CTreeWalker: the one walk of the engine over a folder tree, and its Visitor. The first folder
// is opened by its path; every folder below it is opened by its one name relative to the handle
// of its parent and checked on that handle to be itself (engine/CEntryHandle.h), so a link to a
// folder is never entered. Each folder is listed whole through its handle, in wide names, before
// its entries are taken in the order the file system gives them. Passed over: an entry whose
// name has no exact ANSI form or holds what no Windows name can, an entry with a reparse point,
// look-alikes (names of one folder differing only in trailing dots and blanks), and a folder on
// another volume than the first: the walk never leaves the file system it started on. Files are
// reported as listed, without an open each: a Unix link to a file, which Wine lists as a plain
// file, reaches the visitor, and the deletion path refuses it. The walk keeps its levels on the
// heap, so depth costs no stack; it never enters a folder it is already inside (by volume and
// file identity) and goes no deeper than kDepthLimit levels.
#pragma once

#include "engine/CEntryHandle.h"
#include "framework/CString.h"

#include <windows.h>

#include <string>

class CTreeWalker {
public:
    // Twice the deepest tree a path of MAX_PATH characters can hold, and beyond any real one.
    static const size_t kDepthLimit = 256;

    // A folder the walk is in: its handle, listed through, entries are opened relative to (and,
    // for an emptying, deleted through), and its path as the visitors see it, ending in a
    // separator.
    struct Folder {
        CEntryHandle handle;
        CString path;
    };

    class Visitor {
    public:
        virtual ~Visitor() = default;
        // Whether the walk may start in the folder the root really leads to (links followed);
        // any folder on a drive by default.
        virtual bool AcceptsRoot(const std::wstring& finalPath) { return true; }
        // A file of folder, as listed and by its name in ANSI; false stops the walk.
        virtual bool OnFile(const Folder& folder, const ListedEntry& entry, const CString& ansiName) = 0;
        // A sub-folder after its last entry, just before the walk leaves it.
        virtual void OnFolderLeft(Folder& folder) {}
    };

    enum Options {
        kRecursive = 0x1,        // enter sub-folders
        kForDeletion = 0x2,      // open sub-folders for deletion too (an emptying)
    };

    // Walks the folder root (an ANSI path ending in a separator, followed if it is a link), in
    // the order the file system lists its entries: a sub-folder is walked completely as soon as
    // its entry comes up. Paths below root are built with separator. Every folder entered is
    // reported to the walk's progress (engine/WalkProgress.h).
    enum class End { kNotWalked, kStopped, kWalked };   // not walked: the root cannot be opened or
                                                         // listed, or is refused
    static End Walk(const CString& root, char separator, unsigned options, Visitor& visitor);
};
