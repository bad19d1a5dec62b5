#include "engine/CDiskSpace.h"

#include "resources/DustoraResource.h"

namespace {

// The total size and total free bytes of the volume at root.
bool QueryVolumeBytes(const char* root, unsigned long long& totalBytes, unsigned long long& freeBytes)
{
    ULARGE_INTEGER availableToCaller{}, total{}, totalFree{};
    if (!::GetDiskFreeSpaceExA(root, &availableToCaller, &total, &totalFree))
        return false;
    totalBytes = total.QuadPart;
    freeBytes = totalFree.QuadPart;
    return true;
}

}  // namespace

double CDiskSpace::BytesToMB(unsigned long long bytes)
{
    const unsigned long long high = bytes >> 32;
    const unsigned long long low = bytes & 0xFFFFFFFFull;
    return (static_cast<double>(high) * 4294967296.0 + static_cast<double>(low)) * 9.5367431640625e-07;
}

BOOL CDiskSpace::QueryFreeMB(const char* root, double& freeMB)
{
    unsigned long long totalBytes = 0, freeBytes = 0;
    if (!QueryVolumeBytes(root, totalBytes, freeBytes))
        return FALSE;
    freeMB = BytesToMB(freeBytes);
    return TRUE;
}

BOOL CDiskSpace::QueryTotalBytes(const char* root, unsigned long long& totalBytes)
{
    unsigned long long freeBytes = 0;
    return QueryVolumeBytes(root, totalBytes, freeBytes) ? TRUE : FALSE;
}

double CDiskSpace::GetFreeMB(const char* root)
{
    double freeMB = kFailed;
    if (!QueryFreeMB(root, freeMB)) {
        CString message;
        if (m_messages && message.LoadString(IDS_FREE_SPACE_FAILED))
            m_messages->Tell(message, MB_ICONSTOP | MB_OK);
        return kFailed;
    }
    return freeMB;
}
