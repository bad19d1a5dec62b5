// RecordedBoxes: while it lives, every message box of the program is recorded instead of shown,
// and answered with a chosen button. Restores the previous message-box function on destruction.
#pragma once

#include "framework/MessageBox.h"

#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string caption;
    std::string text;
    UINT type;
};

class RecordedBoxes {
public:
    explicit RecordedBoxes(int answer = IDOK);
    ~RecordedBoxes();
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;

    std::vector<ShownBox> shown;
    int answer;

private:
    static int Record(HWND owner, const char* text, const char* caption, UINT type);

    MessageBoxFn m_previousFn;
    RecordedBoxes* m_previousRecorder;
};
