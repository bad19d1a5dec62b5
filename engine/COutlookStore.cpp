#include "engine/COutlookStore.h"

#include "engine/CEntryHandle.h"
#include "engine/PathParts.h"
#include "framework/CString.h"

const char COutlookStore::kDeletedItemsFile[] = "Deleted Items.dbx";

BOOL COutlookStore::EmptyDeletedItems(const char* storeRoot)
{
    if (!storeRoot || !*storeRoot)
        return FALSE;
    char expanded[MAX_PATH] = "";
    const DWORD length = ::ExpandEnvironmentStringsA(storeRoot, expanded, MAX_PATH);
    if (length == 0 || length > MAX_PATH || !IsAbsolutePath(expanded) ||
        CString(expanded).Find('%') >= 0)
        return FALSE;
    CString path(expanded);
    EnsureTrailingSeparator(path, '\\');
    path += kDeletedItemsFile;
    return CEntryHandle::DeleteFileAt(path) == CEntryHandle::kDeleted;
}
