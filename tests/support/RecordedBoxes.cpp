#include "support/RecordedBoxes.h"

namespace {

RecordedBoxes* g_recorder = nullptr;

}  // namespace

RecordedBoxes::RecordedBoxes(int answer) : answer(answer), m_previousRecorder(g_recorder)
{
    g_recorder = this;
    m_previousFn = SetMessageBoxFn(&RecordedBoxes::Record);
}

RecordedBoxes::~RecordedBoxes()
{
    SetMessageBoxFn(m_previousFn);
    g_recorder = m_previousRecorder;
}

int RecordedBoxes::Record(HWND owner, const char* text, const char* caption, UINT type)
{
    g_recorder->shown.push_back(ShownBox{owner, caption ? caption : "", text ? text : "", type});
    return g_recorder->answer;
}
