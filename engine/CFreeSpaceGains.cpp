#include "engine/CFreeSpaceGains.h"

#include "engine/CDiskSpace.h"

#include <cmath>

void CFreeSpaceGains::RecordSnapshot(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                                     double (&freeBefore)[32], char (&beforeDrive)[32])
{
    int entry = 0;
    for (const MeasuredDrive& drive : drives) {
        if (entry >= 32)
            break;
        freeBefore[entry] = space.GetFreeMB(drive.root);
        beforeDrive[entry] = drive.letter;
        ++entry;
    }
    if (entry < 32)
        beforeDrive[entry] = '\0';
}

namespace {

double BeforeValueOf(char letter, const double (&freeBefore)[32], const char (&beforeDrive)[32])
{
    for (int entry = 0; entry < 32 && beforeDrive[entry]; ++entry) {
        if (beforeDrive[entry] == letter)
            return freeBefore[entry];
    }
    return CDiskSpace::kFailed;
}

}  // namespace

std::vector<DriveGain> CFreeSpaceGains::Measure(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                                                const double (&freeBefore)[32], const char (&beforeDrive)[32])
{
    std::vector<DriveGain> gains;
    for (const MeasuredDrive& drive : drives) {
        const double before = BeforeValueOf(drive.letter, freeBefore, beforeDrive);
        const double after = space.GetFreeMB(drive.root);
        gains.push_back({drive.letter, drive.label, before, after, GainOf(before, after)});
    }
    return gains;
}

double CFreeSpaceGains::GainOf(double before, double after)
{
    if (before == CDiskSpace::kFailed || after == CDiskSpace::kFailed)
        return 0.0;
    const double gain = after - before;
    return std::isnan(gain) || gain < 0.0 ? 0.0 : gain;
}

double CFreeSpaceGains::TotalOf(const std::vector<DriveGain>& gains)
{
    double total = 0.0;
    for (const DriveGain& drive : gains)
        total += drive.gain;
    return total;
}
