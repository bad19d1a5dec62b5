#include "registry/CRegistryViews.h"

namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

}  // namespace

bool CRegistryViews::IsWow64System()
{
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

REGSAM CRegistryViews::WideView(bool wow64System)
{
    return wow64System ? KEY_WOW64_64KEY : 0;
}

void CRegistryViews::AddPlaces(HKEY root, const char* head, const char* tail, bool wow64System, bool wow6432Copy,
                               bool onlyWideReaders, std::vector<RegistryPlace>& places)
{
    const REGSAM view = WideView(wow64System);
    if (!wow64System) {
        places.push_back({root, CString(head) + "\\" + tail, view, PathReaders::kThisKind});
        return;
    }
    places.push_back({root, CString(head) + "\\" + tail, view, onlyWideReaders ? PathReaders::k64Bit : PathReaders::kEither});
    if (wow6432Copy)
        places.push_back({root, CString(head) + "\\Wow6432Node\\" + tail, view, PathReaders::kThisKind});
}
