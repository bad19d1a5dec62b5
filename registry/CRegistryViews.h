// CRegistryViews: which registry views this system has and how to reach each of them.
// RegistryPlace: a key whose sub-keys a cleaner judges, named as a 64-bit program sees it.
//
// A 32-bit program on 64-bit Windows sees HKLM\Software through a redirected view. Opening keys
// with KEY_WOW64_64KEY and naming the 32-bit view by its "Wow6432Node" path makes every key one
// name that 64-bit regedit, which imports the backup, reaches by the same text. Windows 2000 and
// 32-bit Windows know neither the flag nor the second view: there the access is passed as it is.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <vector>

// Which programs read the paths stored under a place: those of this process's kind, 64-bit
// programs while this process is 32-bit (they see another system folder), or either.
enum class PathReaders { kThisKind, k64Bit, kEither };

struct RegistryPlace {
    HKEY root;
    CString path;
    // KEY_WOW64_64KEY on a 64-bit system, 0 elsewhere; added to every access under the place.
    REGSAM view;
    PathReaders readers;
};

class CRegistryViews {
public:
    // TRUE when this 32-bit process runs on 64-bit Windows. IsWow64Process is looked up at run
    // time: Windows 2000 and the first XP lack it, and they are 32-bit.
    static bool IsWow64System();
    // The access flag that opens the 64-bit view: KEY_WOW64_64KEY on a 64-bit system, else 0.
    static REGSAM WideView(bool wow64System);
    // The places of a key: head\\tail, and on a 64-bit system with wow6432Copy also the 32-bit
    // view's copy head\\Wow6432Node\\tail. On a 64-bit system head\\tail is read by 64-bit
    // programs alone when onlyWideReaders, else by either kind.
    static void AddPlaces(HKEY root, const char* head, const char* tail, bool wow64System, bool wow6432Copy,
                          bool onlyWideReaders, std::vector<RegistryPlace>& places);
};
