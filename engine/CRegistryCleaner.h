// CRegistryCleaner: removes the sub-keys of registry places that a judge finds broken, each
// only after the run's backup holds it, and reads the values the judges look at.
#pragma once

#include "engine/CProgramProbe.h"
#include "framework/CString.h"
#include "registry/CRegistryBackup.h"
#include "registry/CRegistryViews.h"

#include <windows.h>

#include <string>
#include <vector>

// Whether one sub-key (open for reading, with its name) is broken; the probe looks for files
// as the programs that read the place would.
using EntryJudge = bool (*)(HKEY entry, const CString& name, const CProgramProbe& probe);

class CRegistryCleaner {
public:
    // The names of the sub-keys of the place the judge finds broken, in listing order.
    static std::vector<CString> BrokenEntries(const RegistryPlace& place, EntryJudge judge);
    // Judges each place in turn and removes its broken sub-keys with everything below them,
    // after one commit of the backup holding them all; a place whose commit fails keeps all
    // of them. The number of keys removed.
    static int RemoveBroken(const std::vector<RegistryPlace>& places, EntryJudge judge, CRegistryBackup& backup);

    // A text value (REG_SZ or REG_EXPAND_SZ, as stored: not expanded); false when the value is
    // missing, of another type or empty.
    static bool ReadText(HKEY key, const wchar_t* name, std::wstring& text);
    // Whether the value exists and is anything but a DWORD of 0.
    static bool IsFlagSet(HKEY key, const wchar_t* name);
};
