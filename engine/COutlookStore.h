// COutlookStore: the Outlook Express message store, at the folder its "Store Root" names. Only
// the file of the "Deleted Items" folder is ever deleted, and only when no program holds it
// open; the mail program makes a new, empty one when it next starts. Every other file of the
// store stays.
#pragma once

#include <windows.h>

class COutlookStore {
public:
    static const char kDeletedItemsFile[];

    // Deletes kDeletedItemsFile in storeRoot (environment references expanded) through the one
    // deletion path, which opens it shared with nobody first: a file in use, read-only or a link
    // stays. TRUE when it was deleted.
    static BOOL EmptyDeletedItems(const char* storeRoot);
};
