// RecycleBin: the sandbox's Recycle Bin as the tests fill and read it. Tests that use the bin take
// turns through the named lock kRecycleBinLock.
#pragma once

#include "framework/CString.h"

#include <windows.h>

constexpr char kRecycleBinLock[] = "DustoraTests.RecycleBin";

// How many items the bins of all drives hold.
LONGLONG ItemsInBin();
// Empties the bins of all drives, without asking.
void EmptyBin();
// Moves a file into the bin, as Explorer's Delete does.
BOOL PutInBin(const CString& path);
