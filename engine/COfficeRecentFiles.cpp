#include "engine/COfficeRecentFiles.h"

#include "engine/CHistoryLists.h"
#include "framework/CString.h"

const char COfficeRecentFiles::kOfficeKey[] = "Software\\Microsoft\\Office";

namespace {

struct DocumentedList {
    COfficeRecentFiles::Application application;
    const char* key;   // below the Office key
};

// The lists whose place the application's documentation gives as a key of their own.
const DocumentedList kDocumentedLists[] = {
    {COfficeRecentFiles::kExcel, "8.0\\Excel\\Recent File List"},
};

bool IsFileEntry(const CString&, DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

}  // namespace

int COfficeRecentFiles::Clear(unsigned applications, HKEY root, const char* officeKey)
{
    int removed = 0;
    for (const DocumentedList& list : kDocumentedLists) {
        if (applications & list.application)
            removed += CHistoryLists::ClearList(root, CString(officeKey) + "\\" + list.key, IsFileEntry);
    }
    return removed;
}
