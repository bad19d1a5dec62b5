// CHistoryLists: the lists of what the user lately typed or opened that the shell, Internet
// Explorer and Office keep in the registry, and their clearing. Only a list's own entries go,
// each through CRegistryEraser: the key stays, and so does every value whose name or type is not
// that of an entry of the list (a setting kept beside it, an entry of an unexpected type).
#pragma once

#include "framework/CString.h"
#include "framework/CStringArray.h"

#include <windows.h>

class CHistoryLists {
public:
    static const char kRunHistoryKey[];
    static const char kTypedUrlsKey[];
    static const char kRecentDocsKey[];

    // Whether a value of a list's key, by its name and type, is an entry of the list.
    using EntryTest = bool (*)(const CString& name, DWORD type);

    // The Run dialog's list: the texts "a" to "z" and their order "MRUList".
    static int ClearRunHistory(HKEY root, const char* key = kRunHistoryKey);
    // The addresses typed into Internet Explorer: the texts "url1", "url2", ...
    static int ClearTypedUrls(HKEY root, const char* key = kTypedUrlsKey);
    // The shell's recent documents: the lettered or numbered binary entries with their order
    // ("MRUList" text or "MRUListEx" binary), in the key and in each key directly below it (one
    // list per file type). The keys stay.
    static int ClearRecentDocs(HKEY root, const char* key = kRecentDocsKey);

    // Removes the entries of the list in root\key; the number removed.
    static int ClearList(HKEY root, const char* key, EntryTest isEntry);
    // The names of the values of root\key that are entries; none when the key does not open.
    static CStringArray ListEntries(HKEY root, const char* key, EntryTest isEntry);
    // The names of the keys directly below root\key.
    static CStringArray SubkeyNames(HKEY root, const char* key);
};
