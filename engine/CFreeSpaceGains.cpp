#include "engine/CFreeSpaceGains.h"

#include "engine/CDiskSpace.h"

#include <cmath>

namespace {

constexpr int kEntries = 32;

// The free megabytes of a drive; false for a removable drive that cannot be measured, which holds
// no medium (a card reader, an empty floppy drive) and is passed over without a word. Any other
// drive that cannot be measured shows the failure message and counts as failed.
bool MeasureFree(CDiskSpace& space, const MeasuredDrive& drive, double& freeMB)
{
    if (drive.removable)
        return space.QueryFreeMB(drive.root, freeMB);
    freeMB = space.GetFreeMB(drive.root);
    return true;
}

// The same medium: a serial number alone does not tell media apart under Wine, a medium of
// another size is another medium everywhere.
bool HoldsSnapshotMedium(const SnapshotDrive& snapshot, const MeasuredDrive& drive)
{
    return snapshot.serial == drive.serial && snapshot.totalBytes == drive.totalBytes;
}

double BeforeValueOf(const MeasuredDrive& drive, const double (&freeBefore)[kEntries],
                     const SnapshotDrive (&beforeDrive)[kEntries])
{
    for (int entry = 0; entry < kEntries && beforeDrive[entry].letter; ++entry) {
        if (beforeDrive[entry].letter == drive.letter)
            return HoldsSnapshotMedium(beforeDrive[entry], drive) ? freeBefore[entry] : CDiskSpace::kFailed;
    }
    return CDiskSpace::kFailed;
}

// The first listed drive of the same volume, which carries its gain; 0 when none.
char FirstDriveOfVolume(const MeasuredDrive& drive, const std::vector<MeasuredDrive>& listed)
{
    for (const MeasuredDrive& earlier : listed) {
        if (CFreeSpaceGains::SameVolume(earlier, drive))
            return earlier.letter;
    }
    return '\0';
}

}  // namespace

void CFreeSpaceGains::RecordSnapshot(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                                     double (&freeBefore)[kEntries], SnapshotDrive (&beforeDrive)[kEntries])
{
    int entry = 0;
    for (const MeasuredDrive& drive : drives) {
        if (entry >= kEntries)
            break;
        double freeMB = CDiskSpace::kFailed;
        if (!MeasureFree(space, drive, freeMB))
            continue;
        freeBefore[entry] = freeMB;
        beforeDrive[entry] = {drive.letter, drive.serial, drive.totalBytes};
        ++entry;
    }
    if (entry < kEntries)
        beforeDrive[entry] = {'\0', 0, 0};
}

std::vector<DriveGain> CFreeSpaceGains::Measure(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                                                const double (&freeBefore)[kEntries],
                                                const SnapshotDrive (&beforeDrive)[kEntries])
{
    std::vector<DriveGain> gains;
    std::vector<MeasuredDrive> listed;
    for (const MeasuredDrive& drive : drives) {
        double after = CDiskSpace::kFailed;
        if (!MeasureFree(space, drive, after))
            continue;
        const double before = BeforeValueOf(drive, freeBefore, beforeDrive);
        gains.push_back({drive.letter, drive.label, before, after, GainOf(before, after),
                         FirstDriveOfVolume(drive, listed)});
        listed.push_back(drive);
    }
    return gains;
}

bool CFreeSpaceGains::SameVolume(const MeasuredDrive& one, const MeasuredDrive& other)
{
    return one.serial != 0 && one.totalBytes != 0 && one.serial == other.serial &&
           one.totalBytes == other.totalBytes;
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
    for (const DriveGain& drive : gains) {
        if (!drive.sharesDiskWith)
            total += drive.gain;
    }
    return total;
}
