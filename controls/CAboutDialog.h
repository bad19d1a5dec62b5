// CAboutDialog: Dustora's About box: product name, version and build read from the program's
// own version block, the maker's rights notice, the build stamp and three links. Releasing the
// mouse over the program's icon rolls the credits through the version frame, red on black.
#pragma once

#include "controls/CLinkLabel.h"
#include "framework/CDialog.h"
#include "framework/MessageMap.h"

class CAboutDialog : public CDialog {
public:
    explicit CAboutDialog(CWnd* parent = nullptr);

    CLinkLabel m_homePage;
    CLinkLabel m_supportMail;
    CLinkLabel m_makerPage;
    int m_scrolling = 0;
    // The file whose version block fills the labels; the running program when empty.
    CString m_versionSource;

    // The rows the last credits roll scrolled, and how many rolls have run.
    int LastRollRows() const { return m_lastRollRows; }
    int RollsRun() const { return m_rollsRun; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnLButtonUp(UINT flags, POINT point);

    DECLARE_MESSAGE_MAP()

private:
    void ShowVersion();
    void RollCredits();
    // Takes every waiting message until rowStart + the row period; FALSE once the roll must end
    // (the dialog hidden or destroyed, or its modal loop ended).
    BOOL WaitForNextRow(DWORD rowStart, BOOL modal);

    int m_lastRollRows = 0;
    int m_rollsRun = 0;
};

// "Built on <month> <day> <year> at <hh:mm:ss>", the compiler's date and time of this build.
CString BuildStamp();
