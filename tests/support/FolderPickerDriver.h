// FolderPickerDriver: while it lives, answers the shell's folder picker when this thread shows
// one, from a thread timer that runs inside the picker's own loop. It can select a folder first
// and wait until the picker's tree shows it selected.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class FolderPickerDriver {
public:
    // answer: IDOK or IDCANCEL. select: a folder to select before answering, or nullptr.
    // waitFor: answer once the selected tree item's text contains this (five seconds at most).
    explicit FolderPickerDriver(UINT answer, const char* select = nullptr, const char* waitFor = nullptr);
    ~FolderPickerDriver();
    FolderPickerDriver(const FolderPickerDriver&) = delete;
    FolderPickerDriver& operator=(const FolderPickerDriver&) = delete;

    bool seen = false;
    bool answered = false;
    std::vector<std::string> texts;   // the picker's static texts
    std::string selected;             // the tree item selected when it was answered

    // Whether one of the picker's static texts was exactly text.
    bool ShowedText(const char* text) const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Drive(HWND picker);

    UINT m_answer;
    std::string m_select;
    std::string m_waitFor;
    int m_ticks = 0;
    UINT_PTR m_timer = 0;
    FolderPickerDriver* m_outer;
};
