#include "engine/RemovalScope.h"

namespace {

RemovalTally* g_tally = nullptr;
bool g_preview = false;

}  // namespace

RemovalTally& RemovalTally::operator+=(const RemovalTally& other)
{
    files += other.files;
    bytes += other.bytes;
    registryEntries += other.registryEntries;
    binCounted = binCounted || other.binCounted;
    binItems += other.binItems;
    binBytes += other.binBytes;
    return *this;
}

RemovalScope::RemovalScope(RemovalTally& tally, bool preview) : m_previousTally(g_tally), m_previousPreview(g_preview)
{
    g_tally = &tally;
    // A preview inside a preview stays one: an inner scope never turns removal back on.
    g_preview = preview || g_preview;
}

RemovalScope::~RemovalScope()
{
    g_tally = m_previousTally;
    g_preview = m_previousPreview;
}

bool RemovalScope::Previewing()
{
    return g_preview;
}

void RemovalScope::CountFile(ULONGLONG bytes)
{
    if (!g_tally)
        return;
    ++g_tally->files;
    g_tally->bytes += bytes;
}

void RemovalScope::CountRegistryEntries(unsigned long entries)
{
    if (g_tally)
        g_tally->registryEntries += entries;
}

void RemovalScope::CountBin(ULONGLONG items, ULONGLONG bytes)
{
    if (!g_tally)
        return;
    g_tally->binCounted = true;
    g_tally->binItems += items;
    g_tally->binBytes += bytes;
}
