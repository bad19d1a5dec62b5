// RemovalScope: what the cleaners remove, counted where it goes, and the preview that removes
// nothing. While a scope lives, the one deletion path (CEntryHandle), the registry eraser and the
// Recycle Bin's cleaner add what they remove to its tally: files with their sizes as listed
// before the delete (a file that stays is not counted; folders never are), registry entries, and
// the Recycle Bin's items and bytes. A previewing scope lets nothing be removed at all, and
// counts what a clean would try to remove instead. Without a scope nothing is counted.
// Also holds RemovalTally, the figures.
#pragma once

#include <windows.h>

struct RemovalTally {
    unsigned long files = 0;
    ULONGLONG bytes = 0;   // of the files
    unsigned long registryEntries = 0;
    bool binCounted = false;   // the Recycle Bin was emptied (or looked at, in a preview)
    ULONGLONG binItems = 0;
    ULONGLONG binBytes = 0;

    RemovalTally& operator+=(const RemovalTally& other);
};

class RemovalScope {
public:
    // Counts into tally until the scope ends; scopes nest, and the one before comes back.
    RemovalScope(RemovalTally& tally, bool preview);
    ~RemovalScope();
    RemovalScope(const RemovalScope&) = delete;
    RemovalScope& operator=(const RemovalScope&) = delete;

    // True inside a previewing scope: nothing may be removed.
    static bool Previewing();

    static void CountFile(ULONGLONG bytes);
    static void CountRegistryEntries(unsigned long entries);
    static void CountBin(ULONGLONG items, ULONGLONG bytes);

private:
    RemovalTally* m_previousTally;
    bool m_previousPreview;
};
