#include "engine/CTreeWalker.h"

#include "engine/PathParts.h"
#include "engine/WalkProgress.h"

#include <memory>
#include <new>
#include <vector>

namespace {

// A folder the walk is in, with its listing and how far the walk has taken it.
struct Level {
    CTreeWalker::Folder folder;
    std::vector<ListedEntry> entries;
    std::vector<bool> lookAlikes;
    size_t next = 0;
};

using Levels = std::vector<std::unique_ptr<Level>>;

const DWORD kListAccess = FILE_LIST_DIRECTORY;
const DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool IsInside(const Levels& levels, const CEntryHandle& folder)
{
    for (const auto& level : levels) {
        const CEntryHandle& outer = level->folder.handle;
        if (outer.FileId() != 0 && outer.FileId() == folder.FileId() && outer.VolumeSerial() == folder.VolumeSerial())
            return true;
    }
    return false;
}

// A folder that someone holds without sharing deletion (a process's current folder) is still
// emptied, and stays.
CEntryHandle OpenSubFolder(const CEntryHandle& parent, const ListedEntry& entry, unsigned options)
{
    if (options & CTreeWalker::kForDeletion) {
        CEntryHandle folder =
            CEntryHandle::OpenListed(parent, entry, CEntryHandle::kFolder, kListAccess | DELETE, kFolderShare);
        if (folder.GetState() != CEntryHandle::kNotOpened)
            return folder;
    }
    return CEntryHandle::OpenListed(parent, entry, CEntryHandle::kFolder, kListAccess, kFolderShare);
}

// A folder that cannot be listed is entered all the same, with nothing in it.
std::unique_ptr<Level> Listed(CEntryHandle handle, const CString& path, bool& listed)
{
    std::unique_ptr<Level> level(new (std::nothrow) Level);
    if (!level)
        return level;
    level->folder.handle = std::move(handle);
    level->folder.path = path;
    listed = level->folder.handle.ReadListing(level->entries);
    level->lookAlikes = CEntryHandle::LookAlikes(level->entries);
    ReportFolderEntered(path);
    return level;
}

void Enter(Levels& levels, const ListedEntry& entry, const CString& ansiName, char separator, unsigned options)
{
    if (levels.size() >= CTreeWalker::kDepthLimit)
        return;
    const CTreeWalker::Folder& parent = levels.back()->folder;
    CEntryHandle handle = OpenSubFolder(parent.handle, entry, options);
    if (!handle || IsInside(levels, handle))
        return;
    CString path = parent.path;
    path += ansiName;
    path += separator;
    bool listed = false;
    std::unique_ptr<Level> child = Listed(std::move(handle), path, listed);
    if (child)
        levels.push_back(std::move(child));
}

}  // namespace

CTreeWalker::End CTreeWalker::Walk(const CString& root, char separator, unsigned options, Visitor& visitor)
{
    CEntryHandle first = CEntryHandle::OpenFolderFollowing(LiteralPath(root), kListAccess);
    if (!first || !visitor.AcceptsRoot(first.FinalPath()))
        return End::kNotWalked;
    bool rootListed = false;
    Levels levels;
    levels.push_back(Listed(std::move(first), root, rootListed));
    if (!levels.back() || !rootListed)
        return End::kNotWalked;

    CString ansiName;
    while (!levels.empty()) {
        Level& level = *levels.back();
        if (level.next >= level.entries.size()) {
            if (levels.size() > 1)
                visitor.OnFolderLeft(level.folder);
            levels.pop_back();
            continue;
        }
        const size_t at = level.next++;
        const ListedEntry& entry = level.entries[at];
        if (IsDotName(entry.name) || level.lookAlikes[at] || (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            !AnsiNameOf(entry.name, ansiName))
            continue;
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (options & kRecursive)
                Enter(levels, entry, ansiName, separator, options);
        } else if (!visitor.OnFile(level.folder, entry, ansiName)) {
            return End::kStopped;
        }
    }
    return End::kWalked;
}
