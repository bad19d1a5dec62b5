#include "engine/CFileSweeper.h"

#include "engine/PathParts.h"
#include "framework/UniqueHandle.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// The state of one level of a walk below the first.
struct WalkLevel {
    UniqueFind search;
    WIN32_FIND_DATAA entry;
    CString filePath;
    CString pattern;
    CString subFolder;
    CString folder;
};

bool EndsInSeparator(const CString& path)
{
    return IsSeparator(path.Last());
}

bool IsFolder(const WIN32_FIND_DATAA& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A junction or symbolic link leads somewhere else: a sweep neither enters nor reports it.
bool IsLinkOrDot(const WIN32_FIND_DATAA& entry)
{
    return IsDotEntry(entry) || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Reuses the buffer of path: a sweep builds one path for every file of a drive.
void JoinPath(const CString& folder, const char* name, CString& path)
{
    path = folder;
    path += name;
}

UniqueFind StartListing(const CString& folder, WIN32_FIND_DATAA& entry)
{
    return UniqueFind(::FindFirstFileA(folder + "*.*", &entry));
}

// Lists folder (ending in a separator); onFile gets each file's full path and onFolder each
// sub-folder's, both returning false to stop. -1: the folder could not be listed; 0: stopped; 1: done.
template <typename OnFile, typename OnFolder>
int ListOneLevel(const CString& folder, OnFile onFile, OnFolder onFolder)
{
    WIN32_FIND_DATAA entry;
    UniqueFind search = StartListing(folder, entry);
    if (!search)
        return -1;
    CString path;
    do {
        if (IsLinkOrDot(entry))
            continue;
        JoinPath(folder, entry.cFileName, path);
        const bool goOn = IsFolder(entry) ? onFolder(path) : onFile(path);
        if (!goOn)
            return 0;
    } while (::FindNextFileA(search.get(), &entry));
    return 1;
}

std::unique_ptr<WalkLevel> NewLevel(const char* folder)
{
    std::unique_ptr<WalkLevel> level(new (std::nothrow) WalkLevel);
    if (!level)
        return level;
    level->folder = folder;
    if (!EndsInSeparator(level->folder))
        level->folder += '/';
    level->pattern = level->folder + "*.*";
    level->search.reset(::FindFirstFileA(level->pattern, &level->entry));
    return level;
}

}  // namespace

// Called by name: a destructor reaches no override.
CFileSweeper::~CFileSweeper()
{
    CFileSweeper::ClearPath();
}

void CFileSweeper::ClearPath()
{
    m_SweepPath.Empty();
}

int CFileSweeper::SetPath(const char* folder)
{
    m_SweepPath = folder;
    if (m_SweepPath.IsEmpty())
        return 0;
    if (!EndsInSeparator(m_SweepPath))
        m_SweepPath += '/';
    return 1;
}

int CFileSweeper::ForEachFile(FileVisitor visitor, void* userData)
{
    const int result = ListOneLevel(
        m_SweepPath, [&](const CString& path) { return visitor(userData, path) != 0; },
        [](const CString&) { return true; });
    return result < 0 ? 0 : 1;
}

int CFileSweeper::ListFiles(CStringArray& files)
{
    files.RemoveAll();
    const int result = ListOneLevel(
        m_SweepPath, [&](const CString& path) { files.Add(path); return true; },
        [](const CString&) { return true; });
    return result < 0 ? 0 : 1;
}

int CFileSweeper::ForEachFileRecursive(FileVisitor visitor, void* userData)
{
    const int result = ListOneLevel(
        m_SweepPath, [&](const CString& path) { return visitor(userData, path) != 0; },
        [&](const CString& path) { return WalkFilesRecursive(path, visitor, userData) != 0; });
    return result < 0 ? 0 : 1;
}

int CFileSweeper::ListFilesRecursive(CStringArray& files)
{
    const int result = ListOneLevel(
        m_SweepPath, [&](const CString& path) { files.Add(path); return true; },
        [&](const CString& path) { CollectFilesRecursive(path, files); return true; });
    return result < 0 ? 0 : 1;
}

void CFileSweeper::CollectFilesRecursive(const char* folder, CStringArray& files)
{
    if (!folder || !*folder)
        return;
    std::unique_ptr<WalkLevel> level = NewLevel(folder);
    if (!level || !level->search)
        return;
    do {
        if (IsLinkOrDot(level->entry))
            continue;
        if (IsFolder(level->entry)) {
            JoinPath(level->folder, level->entry.cFileName, level->subFolder);
            CollectFilesRecursive(level->subFolder, files);
        } else {
            JoinPath(level->folder, level->entry.cFileName, level->filePath);
            files.Add(level->filePath);
        }
    } while (::FindNextFileA(level->search.get(), &level->entry));
}

int CFileSweeper::WalkFilesRecursive(const char* folder, FileVisitor visitor, void* userData)
{
    if (!folder || !*folder)
        return 0;
    std::unique_ptr<WalkLevel> level = NewLevel(folder);
    if (!level)
        return 0;
    // A sub-folder that cannot be listed does not stop the walk.
    if (!level->search)
        return 1;
    do {
        if (IsLinkOrDot(level->entry))
            continue;
        if (IsFolder(level->entry)) {
            JoinPath(level->folder, level->entry.cFileName, level->subFolder);
            if (!WalkFilesRecursive(level->subFolder, visitor, userData))
                return 0;
        } else {
            JoinPath(level->folder, level->entry.cFileName, level->filePath);
            if (!visitor(userData, level->filePath))
                return 0;
        }
    } while (::FindNextFileA(level->search.get(), &level->entry));
    return 1;
}
