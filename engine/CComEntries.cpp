#include "engine/CComEntries.h"

#include "engine/CRegistryCleaner.h"
#include "framework/UniqueHandle.h"

#include <string>

namespace {

const char* const kServerKeys[] = {"InprocServer32", "LocalServer32", "InprocHandler32"};

enum class Server { kNone, kMissing, kPresent };

// A server key without a readable path counts as present: nothing proves it gone.
Server ServerState(HKEY classKey, const char* serverKey, const CProgramProbe& probe)
{
    UniqueKey server;
    const LONG code = ::RegOpenKeyExA(classKey, serverKey, 0, KEY_QUERY_VALUE, server.receive());
    if (code == ERROR_FILE_NOT_FOUND)
        return Server::kNone;
    std::wstring command;
    if (code != ERROR_SUCCESS || !CRegistryCleaner::ReadText(server.get(), nullptr, command))
        return Server::kPresent;
    return probe.IsCommandMissing(command) ? Server::kMissing : Server::kPresent;
}

}  // namespace

std::vector<RegistryPlace> CComEntries::Places(bool wow64System)
{
    std::vector<RegistryPlace> places;
    // Windows versions differ in whether the user's classes are one key for both kinds of
    // programs: its main key counts as read by either.
    CRegistryViews::AddPlaces(HKEY_CURRENT_USER, "Software\\Classes", "CLSID", wow64System, true, false, places);
    CRegistryViews::AddPlaces(HKEY_LOCAL_MACHINE, "Software\\Classes", "CLSID", wow64System, true, true, places);
    return places;
}

bool CComEntries::IsBroken(HKEY classKey, const CString& name, const CProgramProbe& probe)
{
    if (name.GetLength() < 2 || name.GetAt(0) != '{' || name.Last() != '}')
        return false;
    bool namesOne = false;
    for (const char* serverKey : kServerKeys) {
        const Server state = ServerState(classKey, serverKey, probe);
        if (state == Server::kPresent)
            return false;
        namesOne = namesOne || state == Server::kMissing;
    }
    return namesOne;
}

int CComEntries::RemoveBroken(CRegistryBackup& backup)
{
    return CRegistryCleaner::RemoveBroken(Places(CRegistryViews::IsWow64System()), IsBroken, backup);
}
