#include "engine/CFileSweeper.h"

#include "engine/CTreeWalker.h"
#include "engine/PathParts.h"

namespace {

const char kSweepSeparator = '/';

// Hands the full path of each file to a FileVisitor, building it in one reused buffer.
class PathVisitor : public CTreeWalker::Visitor {
public:
    PathVisitor(FileVisitor visitor, void* userData) : m_visitor(visitor), m_userData(userData) {}

    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry&, const CString& ansiName) override
    {
        m_path = folder.path;
        m_path += ansiName;
        return m_visitor(m_userData, m_path) != 0;
    }

private:
    FileVisitor m_visitor;
    void* m_userData;
    CString m_path;
};

class PathCollector : public CTreeWalker::Visitor {
public:
    explicit PathCollector(CStringArray& files) : m_files(files) {}

    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry&, const CString& ansiName) override
    {
        m_files.Add(folder.path + ansiName);
        return true;
    }

private:
    CStringArray& m_files;
};

CTreeWalker::End WalkFrom(const CString& folder, unsigned options, CTreeWalker::Visitor& visitor)
{
    return CTreeWalker::Walk(folder, kSweepSeparator, options, visitor);
}

CString BelowTheFirstLevel(const char* folder)
{
    CString path(folder);
    EnsureTrailingSeparator(path, kSweepSeparator);
    return path;
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
    EnsureTrailingSeparator(m_SweepPath, kSweepSeparator);
    return m_SweepPath.IsEmpty() ? 0 : 1;
}

int CFileSweeper::ForEachFile(FileVisitor visitor, void* userData)
{
    PathVisitor paths(visitor, userData);
    return WalkFrom(m_SweepPath, 0, paths) == CTreeWalker::End::kNotWalked ? 0 : 1;
}

int CFileSweeper::ListFiles(CStringArray& files)
{
    files.RemoveAll();
    PathCollector collector(files);
    return WalkFrom(m_SweepPath, 0, collector) == CTreeWalker::End::kNotWalked ? 0 : 1;
}

int CFileSweeper::ForEachFileRecursive(FileVisitor visitor, void* userData)
{
    PathVisitor paths(visitor, userData);
    return WalkFrom(m_SweepPath, CTreeWalker::kRecursive, paths) == CTreeWalker::End::kNotWalked ? 0 : 1;
}

int CFileSweeper::ListFilesRecursive(CStringArray& files)
{
    PathCollector collector(files);
    return WalkFrom(m_SweepPath, CTreeWalker::kRecursive, collector) == CTreeWalker::End::kNotWalked ? 0 : 1;
}

void CFileSweeper::CollectFilesRecursive(const char* folder, CStringArray& files)
{
    if (!folder || !*folder)
        return;
    PathCollector collector(files);
    WalkFrom(BelowTheFirstLevel(folder), CTreeWalker::kRecursive, collector);
}

int CFileSweeper::WalkFilesRecursive(const char* folder, FileVisitor visitor, void* userData)
{
    if (!folder || !*folder)
        return 0;
    PathVisitor paths(visitor, userData);
    return WalkFrom(BelowTheFirstLevel(folder), CTreeWalker::kRecursive, paths) == CTreeWalker::End::kStopped ? 0 : 1;
}
