#include "support/FolderPickerDriver.h"

#include <commctrl.h>
#include <shlobj.h>

namespace {

FolderPickerDriver* g_driver = nullptr;

BOOL CALLBACK FindPicker(HWND window, LPARAM found)
{
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (::IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct PickerContents {
    std::vector<std::string> texts;
    std::string selected;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM contents)
{
    auto& read = *reinterpret_cast<PickerContents*>(contents);
    char className[32] = "";
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char text[256] = "";
        ::GetWindowTextA(child, text, sizeof text);
        read.texts.push_back(text);
    } else if (lstrcmpA(className, WC_TREEVIEWA) == 0) {
        const HTREEITEM item = TreeView_GetSelection(child);
        char text[MAX_PATH] = "";
        TVITEMA data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = MAX_PATH;
        if (item && ::SendMessageA(child, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
            read.selected = text;
    }
    return TRUE;
}

}  // namespace

FolderPickerDriver::FolderPickerDriver(UINT answer, const char* select, const char* waitFor)
    : m_answer(answer), m_select(select ? select : ""), m_waitFor(waitFor ? waitFor : ""), m_outer(g_driver)
{
    g_driver = this;
    m_timer = ::SetTimer(nullptr, 0, 100, &FolderPickerDriver::Tick);
}

FolderPickerDriver::~FolderPickerDriver()
{
    ::KillTimer(nullptr, m_timer);
    g_driver = m_outer;
}

bool FolderPickerDriver::ShowedText(const char* text) const
{
    for (const std::string& each : texts) {
        if (each == text)
            return true;
    }
    return false;
}

void CALLBACK FolderPickerDriver::Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_driver || timer != g_driver->m_timer || g_driver->answered)
        return;
    HWND picker = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPicker, reinterpret_cast<LPARAM>(&picker));
    if (picker)
        g_driver->Drive(picker);
}

// The picker fills its tree and applies its own selection after it shows: a selection of ours
// goes in from the second look on, again every fifth until it shows, and the answer waits for it.
void FolderPickerDriver::Drive(HWND picker)
{
    seen = true;
    PickerContents contents;
    ::EnumChildWindows(picker, ReadChild, reinterpret_cast<LPARAM>(&contents));
    texts = contents.texts;
    selected = contents.selected;
    const bool waiting = !m_waitFor.empty() && selected.find(m_waitFor) == std::string::npos;
    if (waiting && ++m_ticks < 50) {
        if (!m_select.empty() && m_ticks % 5 == 2)
            ::SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_select.c_str()));
        return;
    }
    answered = true;
    ::PostMessageA(picker, WM_COMMAND, m_answer, 0);
}
