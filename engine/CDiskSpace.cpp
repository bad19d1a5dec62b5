#include "engine/CDiskSpace.h"

#include "framework/MessageBox.h"
#include "resources/DustoraResource.h"

double CDiskSpace::BytesToMB(unsigned long long bytes)
{
    const unsigned long long high = bytes >> 32;
    const unsigned long long low = bytes & 0xFFFFFFFFull;
    return (static_cast<double>(high) * 4294967296.0 + static_cast<double>(low)) * 9.5367431640625e-07;
}

BOOL CDiskSpace::QueryFreeMB(const char* root, double& freeMB)
{
    ULARGE_INTEGER availableToCaller{}, total{}, totalFree{};
    if (!::GetDiskFreeSpaceExA(root, &availableToCaller, &total, &totalFree))
        return FALSE;
    freeMB = BytesToMB(totalFree.QuadPart);
    return TRUE;
}

double CDiskSpace::GetFreeMB(const char* root)
{
    double freeMB = kFailed;
    if (!QueryFreeMB(root, freeMB)) {
        AfxMessageBox(IDS_FREE_SPACE_FAILED, MB_ICONSTOP | MB_OK);
        return kFailed;
    }
    return freeMB;
}
