// RecordedBoxes: while it lives, every message box of the program is recorded instead of shown,
// and answered with a chosen button. Restores the previous message-box function on destruction.
// Handed to an engine object as its UserMessages, it shows what the object tells as the
// application would: in a message box, which it records.
#pragma once

#include "engine/UserMessages.h"
#include "framework/MessageBox.h"

#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string caption;
    std::string text;
    UINT type;
};

class RecordedBoxes : public UserMessages {
public:
    explicit RecordedBoxes(int answer = IDOK);
    ~RecordedBoxes();
    void Tell(const CString& text, UINT style) override { AfxMessageBox(text, style); }
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;

    std::vector<ShownBox> shown;
    int answer;

private:
    static int Record(HWND owner, const char* text, const char* caption, UINT type);

    MessageBoxFn m_previousFn;
    RecordedBoxes* m_previousRecorder;
};
