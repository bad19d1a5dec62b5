// CCountingCleanerDlg: Dustora's main dialog with its clean run (OnOK) replaced by a count, for
// tests of what starts a run; CleanRunTests runs the real one over folders of its own.
#pragma once

#include "app/CCleanerDlg.h"

class CCountingCleanerDlg : public CCleanerDlg {
public:
    int m_cleanRuns = 0;

protected:
    void OnOK() override { ++m_cleanRuns; }
};
