// CFreeSpaceGains: the free-space snapshot taken before a clean and the gains the report prints.
// Before-values are kept with the letter, volume serial number and size of their drive, so a drive
// that appears or vanishes between snapshot and report is never paired with its neighbour's value,
// nor a removable drive with the value of the medium it held before, even where two media share a
// serial number. A removable drive that cannot be measured holds no medium: it is left out of both,
// without a message. Drives of one volume are counted once, by the first of their letters.
#pragma once

#include "engine/CDriveScan.h"

#include <vector>

class CDiskSpace;

// The drive (and medium) a before-value was measured on; letter 0 ends the list.
struct SnapshotDrive {
    char letter;
    DWORD serial;
    unsigned long long totalBytes;
};

struct DriveGain {
    char letter;
    CString label;
    double before;   // -1.0: failed, or the drive (or its medium) was not measured before the clean
    double after;    // -1.0: failed
    double gain;     // never negative, never NaN
    // The earlier drive of the same volume, whose gain this one repeats; 0 when none. The total
    // counts the volume once, through that drive.
    char sharesDiskWith = '\0';
};

class CFreeSpaceGains {
public:
    // Measures the drives in letter order into freeBefore[0..] and records each one's letter,
    // serial number and size in beforeDrive[0..]; the entry after the last measured drive gets
    // letter 0.
    static void RecordSnapshot(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                               double (&freeBefore)[32], SnapshotDrive (&beforeDrive)[32]);

    // Measures the drives again and pairs each with the before-value of the same letter, serial
    // and size; a drive that differs in any of them gets no before-value and gains nothing.
    static std::vector<DriveGain> Measure(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                                          const double (&freeBefore)[32], const SnapshotDrive (&beforeDrive)[32]);

    // One volume seen through two letters (several letters of one volume, subst drives): the same
    // serial number and size, both known.
    static bool SameVolume(const MeasuredDrive& one, const MeasuredDrive& other);

    // after - before, with a failed side, a loss or NaN counting as 0.0.
    static double GainOf(double before, double after);
    // The gains of the drives that share their volume with no earlier drive.
    static double TotalOf(const std::vector<DriveGain>& gains);
};
