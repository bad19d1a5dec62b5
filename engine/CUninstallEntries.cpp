#include "engine/CUninstallEntries.h"

#include "engine/CRegistryCleaner.h"

#include <string>

namespace {

const char kUninstallTail[] = "Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

std::vector<RegistryPlace> CUninstallEntries::Places(bool wow64System)
{
    std::vector<RegistryPlace> places;
    CRegistryViews::AddPlaces(HKEY_LOCAL_MACHINE, "Software", kUninstallTail, wow64System, true, true, places);
    // The user's list is one key that programs of both kinds write to.
    CRegistryViews::AddPlaces(HKEY_CURRENT_USER, "Software", kUninstallTail, wow64System, false, false, places);
    return places;
}

bool CUninstallEntries::IsBroken(HKEY entry, const CString&, const CProgramProbe& probe)
{
    if (CRegistryCleaner::IsFlagSet(entry, L"SystemComponent") || CRegistryCleaner::IsFlagSet(entry, L"WindowsInstaller"))
        return false;
    std::wstring command;
    return CRegistryCleaner::ReadText(entry, L"UninstallString", command) && probe.IsCommandMissing(command);
}

int CUninstallEntries::RemoveBroken(CRegistryBackup& backup)
{
    return CRegistryCleaner::RemoveBroken(Places(CRegistryViews::IsWow64System()), IsBroken, backup);
}
