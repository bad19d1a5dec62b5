#include "engine/CRegistryEraser.h"

#include "engine/RemovalScope.h"
#include "registry/CRegistry.h"

namespace {

CRegistryBackup* g_backup = nullptr;

}  // namespace

CRegistryBackup* CRegistryEraser::SetBackup(CRegistryBackup* backup)
{
    CRegistryBackup* const previous = g_backup;
    g_backup = backup;
    return previous;
}

int CRegistryEraser::RemoveValues(HKEY root, const char* keyPath, const CStringArray& names)
{
    if (names.GetSize() == 0)
        return 0;
    if (RemovalScope::Previewing()) {
        RemovalScope::CountRegistryEntries(static_cast<unsigned long>(names.GetSize()));
        return names.GetSize();
    }
    if (!g_backup)
        return 0;
    CStringArray held;
    for (int i = 0; i < names.GetSize(); ++i) {
        if (g_backup->AddValue(root, keyPath, names[i]))
            held.Add(names[i]);
    }
    if (held.GetSize() == 0 || !g_backup->Commit())
        return 0;
    CRegistry registry;
    if (!registry.Connect(root) || !registry.Open(keyPath, KEY_QUERY_VALUE | KEY_SET_VALUE))
        return 0;
    int removed = 0;
    for (int i = 0; i < held.GetSize(); ++i)
        removed += registry.DeleteValue(held[i]) ? 1 : 0;
    RemovalScope::CountRegistryEntries(static_cast<unsigned long>(removed));
    return removed;
}
