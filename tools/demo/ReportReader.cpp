// ReportReader: the demo's hand on the clean report of a running Dustora. Waits for the report
// window, prints its text, total line and registry line, then presses its Close button.
//
//   ReportReader [SECONDS]    waits up to SECONDS (default 60); 1 when no report came
#include "resources/DustoraResource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kReportTitle[] = "Dustora Statistics...";

BOOL CALLBACK MatchReport(HWND window, LPARAM found)
{
    char title[64] = "";
    ::GetWindowTextA(window, title, sizeof(title));
    if (lstrcmpA(title, kReportTitle) != 0 || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND WaitForReport(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND report = nullptr;
        ::EnumWindows(&MatchReport, reinterpret_cast<LPARAM>(&report));
        if (report || ::GetTickCount() - start > timeoutMs)
            return report;
        ::Sleep(100);
    }
}

// A control's text with Linux line ends. Asked by message: GetWindowTextA does not ask a window
// of another process, and an edit control keeps its text to itself.
std::string TextOf(HWND dialog, int control)
{
    const HWND window = ::GetDlgItem(dialog, control);
    std::string text(static_cast<size_t>(::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        ::SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]))));
    std::string lines;
    for (char ch : text) {
        if (ch != '\r')
            lines += ch;
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 60;
    const HWND report = WaitForReport(seconds * 1000);
    if (!report) {
        std::fprintf(stderr, "ReportReader: no \"%s\" window within %lu s\n", kReportTitle, seconds);
        return 1;
    }
    std::printf("%s%s\n%s\n", TextOf(report, IDC_REPORT_TEXT).c_str(), TextOf(report, IDC_REPORT_TOTAL).c_str(),
                TextOf(report, IDC_REPORT_REGISTRY).c_str());
    std::fflush(stdout);
    ::PostMessageA(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(report, IDOK)));
    return 0;
}
