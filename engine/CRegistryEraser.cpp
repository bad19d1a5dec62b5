#include "engine/CRegistryEraser.h"

#include "engine/RemovalScope.h"
#include "registry/CRegistry.h"

int CRegistryEraser::RemoveValues(HKEY root, const char* keyPath, const CStringArray& names)
{
    if (names.GetSize() == 0)
        return 0;
    if (RemovalScope::Previewing()) {
        RemovalScope::CountRegistryEntries(static_cast<unsigned long>(names.GetSize()));
        return names.GetSize();
    }
    CRegistry registry;
    if (!registry.Connect(root) || !registry.Open(keyPath, KEY_QUERY_VALUE | KEY_SET_VALUE))
        return 0;
    int removed = 0;
    for (int i = 0; i < names.GetSize(); ++i)
        removed += registry.DeleteValue(names[i]) ? 1 : 0;
    RemovalScope::CountRegistryEntries(static_cast<unsigned long>(removed));
    return removed;
}
