// CFreeSpaceGains: the free-space snapshot taken before a clean and the gains the report prints.
// Before-values are kept with the letter of their drive, so a drive that appears or vanishes
// between snapshot and report is never paired with its neighbour's value.
#pragma once

#include "engine/CDriveScan.h"

#include <vector>

class CDiskSpace;

struct DriveGain {
    char letter;
    CString label;
    double before;   // -1.0: failed, or the drive was not measured before the clean
    double after;    // -1.0: failed
    double gain;     // never negative, never NaN
};

class CFreeSpaceGains {
public:
    // Measures the drives in letter order into freeBefore[0..] and their letters into drives[0..];
    // the entry after the last measured drive gets letter 0.
    static void RecordSnapshot(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                               double (&freeBefore)[32], char (&beforeDrive)[32]);

    // Measures the drives again and pairs each with the before-value of the same letter.
    static std::vector<DriveGain> Measure(CDiskSpace& space, const std::vector<MeasuredDrive>& drives,
                                          const double (&freeBefore)[32], const char (&beforeDrive)[32]);

    // after - before, with a failed side, a loss or NaN counting as 0.0.
    static double GainOf(double before, double after);
    static double TotalOf(const std::vector<DriveGain>& gains);
};
