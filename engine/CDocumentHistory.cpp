#include "engine/CDocumentHistory.h"

#include "engine/CEntryHandle.h"
#include "engine/CHistoryLists.h"
#include "engine/CPathGuard.h"
#include "engine/CTreeWalker.h"
#include "engine/PathParts.h"
#include "engine/RemovalScope.h"

#include <shlobj.h>

namespace {

// The shortcut files of one folder, never below it.
class ShortcutDeleter : public CTreeWalker::Visitor {
public:
    bool AcceptsRoot(const std::wstring& finalPath) override
    {
        return CPathGuard::MayEmptyFinalPath(finalPath, CPathGuard::kRecentPlace);
    }

    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry& entry, const CString& ansiName) override
    {
        if (CDocumentHistory::IsShortcutName(ansiName) &&
            CEntryHandle::DeleteListedFile(folder.handle, entry) == CEntryHandle::kDeleted)
            ++deleted;
        return true;
    }

    int deleted = 0;
};

}  // namespace

int CDocumentHistory::Clear(const char* recentFolder, HKEY root, const char* recentDocsKey)
{
    const int removed = CHistoryLists::ClearRecentDocs(root, recentDocsKey);
    // A null item is the shell's own "clear": it forgets the list it may hold in memory. (Wine
    // clears its list so but leaves the shortcut files.)
    if (!RemovalScope::Previewing())
        ::SHAddToRecentDocs(SHARD_PIDL, nullptr);
    DeleteShortcuts(recentFolder);
    return removed;
}

int CDocumentHistory::DeleteShortcuts(const char* recentFolder)
{
    if (!recentFolder || !*recentFolder || !CPathGuard::MayEmptyFolderAsWritten(recentFolder))
        return 0;
    CString root(recentFolder);
    EnsureTrailingSeparator(root, '\\');
    ShortcutDeleter deleter;
    CTreeWalker::Walk(root, '\\', 0, deleter);
    return deleter.deleted;
}

bool CDocumentHistory::IsShortcutName(const CString& name)
{
    return name.GetLength() >= 4 && name.Right(4).CompareNoCase(".lnk") == 0;
}
