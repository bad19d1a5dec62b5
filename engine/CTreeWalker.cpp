#include "engine/CTreeWalker.h"

#include "engine/PathParts.h"
#include "engine/WalkProgress.h"

#include <memory>
#include <new>
#include <vector>

namespace {

using Levels = std::vector<std::unique_ptr<CTreeWalker::Folder>>;

const DWORD kListAccess = FILE_LIST_DIRECTORY | SYNCHRONIZE;
const DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool IsInside(const Levels& levels, ULONGLONG fileId)
{
    if (fileId == 0)
        return false;
    for (const auto& level : levels) {
        if (level->fileId == fileId)
            return true;
    }
    return false;
}

// A folder opened for deletion that someone holds without sharing deletion (a process's current
// folder) is still emptied, and stays.
CEntryHandle OpenSubFolder(const std::wstring& path, unsigned options)
{
    if (options & CTreeWalker::kForDeletion) {
        CEntryHandle folder = CEntryHandle::Open(path, CEntryHandle::kFolder, kListAccess | DELETE, kFolderShare);
        if (folder.GetState() != CEntryHandle::kNotOpened)
            return folder;
    }
    return CEntryHandle::Open(path, CEntryHandle::kFolder, kListAccess, kFolderShare);
}

void Enter(Levels& levels, const ListedEntry& entry, const CString& ansiName, char separator, unsigned options)
{
    const CTreeWalker::Folder& parent = *levels.back();
    if (levels.size() >= CTreeWalker::kDepthLimit || IsInside(levels, entry.fileId))
        return;
    std::unique_ptr<CTreeWalker::Folder> child(new (std::nothrow) CTreeWalker::Folder);
    if (!child)
        return;
    child->handle = OpenSubFolder(AppendName(parent.handle.Path(), entry.name), options);
    if (!child->handle)
        return;
    child->path = parent.path;
    child->path += ansiName;
    child->path += separator;
    child->fileId = entry.fileId;
    ReportFolderEntered(child->path);
    levels.push_back(std::move(child));
}

}  // namespace

int CTreeWalker::Walk(const CString& root, char separator, unsigned options, Visitor& visitor)
{
    std::unique_ptr<Folder> first(new (std::nothrow) Folder);
    if (!first)
        return -1;
    first->handle = CEntryHandle::OpenFolderFollowing(LiteralPath(root), kListAccess);
    if (!first->handle || !visitor.AcceptsRoot(first->handle.FinalPath()))
        return -1;
    first->path = root;
    ReportFolderEntered(root);

    Levels levels;
    levels.push_back(std::move(first));
    bool rootListed = false;
    ListedEntry entry;
    CString ansiName;
    while (!levels.empty()) {
        Folder& folder = *levels.back();
        const int read = folder.handle.NextEntry(entry);
        if (read <= 0) {
            if (levels.size() == 1 && read < 0 && !rootListed)
                return -1;
            if (levels.size() > 1)
                visitor.OnFolderLeft(folder);
            levels.pop_back();
            continue;
        }
        rootListed = true;
        if (IsDotName(entry.name)) {
            if (entry.name == L"." && folder.fileId == 0)
                folder.fileId = entry.fileId;
            continue;
        }
        if ((entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !AnsiNameOf(entry.name, ansiName))
            continue;
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (options & kRecursive)
                Enter(levels, entry, ansiName, separator, options);
        } else if (!visitor.OnFile(folder, entry.name, ansiName)) {
            return 0;
        }
    }
    return 1;
}
