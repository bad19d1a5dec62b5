// The Schedule dialog: its tick boxes, and the Run-key values under HKEY_LOCAL_MACHINE that its
// OK writes and removes (the sandbox prefix's own registry, put back as it was after each test).
#include "app/CCleanerApp.h"
#include "app/CScheduleDlg.h"
#include "resources/DustoraResource.h"
#include "support/NamedLock.h"
#include "support/Pixels.h"
#include "support/RecordedBoxes.h"
#include "support/RestrictedRegistryKey.h"
#include "support/RunModal.h"
#include "support/ScratchRegistryKey.h"
#include "support/TiledLook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRunKeyFailure[] =
    "Error: Can't open a Registry Location.\nWindows Registry is corrupted or you don't have write permission to registry.";

CString OwnPath()
{
    char path[1024] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return CString(path);
}

void Click(CDialog& d, int id)
{
    d.SendDlgItemMessage(id, BM_CLICK);
}

TEST(RunKeyCommand, QuotesThePathAndAddsTheSwitch)
{
    struct Case { const char* program; const char* commandSwitch; const char* command; };
    const Case cases[] = {
        {"C:\\Program Files\\Dustora\\Dustora.exe", "/load", "\"C:\\Program Files\\Dustora\\Dustora.exe\" /load"},
        {"C:\\Program Files\\Dustora\\Dustora.exe", "/clean", "\"C:\\Program Files\\Dustora\\Dustora.exe\" /clean"},
        {"C:\\DUSTORA\\DUSTORA.EXE", "/load", "\"C:\\DUSTORA\\DUSTORA.EXE\" /load"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.command, RunKeyCommand(c.program, c.commandSwitch)) << c.program;
}

// One test process at a time uses the Run key; both values are put back as they were found.
class ScheduleDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_READ | KEY_WRITE, &m_runKey));
        m_savedLoad = ReadRawValue(m_runKey, kLoadValueName);
        m_savedClean = ReadRawValue(m_runKey, kCleanValueName);
    }
    void TearDown() override
    {
        Restore(kLoadValueName, m_savedLoad);
        Restore(kCleanValueName, m_savedClean);
        ::RegCloseKey(m_runKey);
    }

    // The value's text, or "(none)".
    std::string RunValue(const char* name) const
    {
        const RawRegistryValue raw = ReadRawValue(m_runKey, name);
        if (raw.code != ERROR_SUCCESS)
            return "(none)";
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.type) << name;
        return std::string(raw.data.begin(), raw.data.end()).c_str();
    }
    void SetRunValue(const char* name, const char* text) const
    {
        WriteRawValue(m_runKey, name, REG_SZ, std::vector<BYTE>(text, text + strlen(text) + 1));
    }
    void RemoveRunValue(const char* name) const { ::RegDeleteValueA(m_runKey, name); }

    NamedLock m_lock{"DustoraTests.RunKey"};
    HKEY m_runKey = nullptr;

private:
    void Restore(const char* name, const RawRegistryValue& saved) const
    {
        if (saved.code == ERROR_SUCCESS)
            WriteRawValue(m_runKey, name, saved.type, saved.data);
        else
            ::RegDeleteValueA(m_runKey, name);
    }

    RawRegistryValue m_savedLoad;
    RawRegistryValue m_savedClean;
};

TEST_F(ScheduleDialog, TicksShowTheMembersAndShutdownTicksLoad)
{
    RecordedBoxes boxes;
    SetRunValue(kLoadValueName, "untouched");
    CScheduleDlg dlg;
    dlg.m_cleanAtStartup = 1;
    const INT_PTR result = RunModal(dlg, [](CDialog& d) {
        EXPECT_STREQ("Dustora Schedule...", d.GetWindowText());
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_CLEAN_AT_STARTUP));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(IDC_CLEAN_AT_SHUTDOWN));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));

        Click(d, IDC_CLEAN_AT_SHUTDOWN);
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));
        Click(d, IDC_CLEAN_AT_SHUTDOWN);   // unticking leaves load ticked
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));
        Click(d, IDC_LOAD_AT_STARTUP);
        Click(d, IDC_CLEAN_AT_SHUTDOWN);
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1, dlg.m_cleanAtStartup);
    EXPECT_EQ(0, dlg.m_cleanAtShutdown);
    EXPECT_EQ(0, dlg.m_loadAtStartup);
    EXPECT_EQ("untouched", RunValue(kLoadValueName));
    EXPECT_EQ("(none)", RunValue(kCleanValueName));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ScheduleDialog, OkWritesTheTickedValuesAndRemovesTheOthers)
{
    const std::string load = RunKeyCommand(OwnPath(), "/load").GetString();
    const std::string clean = RunKeyCommand(OwnPath(), "/clean").GetString();
    ASSERT_EQ('"', load[0]);
    struct Case { int startup; int shutdown; int load; bool valuesBefore; std::string loadValue; std::string cleanValue; };
    const Case cases[] = {
        {0, 0, 1, false, load, "(none)"},
        {1, 0, 0, false, "(none)", clean},
        {1, 0, 1, true, load, clean},
        {0, 1, 0, false, load, "(none)"},   // the shutdown box ticks load
        {0, 0, 0, true, "(none)", "(none)"},
        {0, 0, 0, false, "(none)", "(none)"},   // nothing to remove is no failure
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "startup " << c.startup << ", shutdown " << c.shutdown << ", load " << c.load
                                        << (c.valuesBefore ? ", values there before" : ""));
        RecordedBoxes boxes;
        if (c.valuesBefore) {
            SetRunValue(kLoadValueName, "old load");
            SetRunValue(kCleanValueName, "old clean");
        } else {
            RemoveRunValue(kLoadValueName);
            RemoveRunValue(kCleanValueName);
        }
        CScheduleDlg dlg;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            if (c.startup)
                Click(d, IDC_CLEAN_AT_STARTUP);
            if (c.shutdown)
                Click(d, IDC_CLEAN_AT_SHUTDOWN);
            if (c.load)
                Click(d, IDC_LOAD_AT_STARTUP);
            Click(d, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(c.loadValue, RunValue(kLoadValueName));
        EXPECT_EQ(c.cleanValue, RunValue(kCleanValueName));
        EXPECT_EQ(c.startup, dlg.m_cleanAtStartup);
        EXPECT_EQ(c.shutdown, dlg.m_cleanAtShutdown);
        EXPECT_EQ(c.load || c.shutdown ? 1 : 0, dlg.m_loadAtStartup);
    }
}

// A start-up value that cannot be written is told, and the dialog waits; one that cannot be
// removed is not told, and the dialog waits all the same.
TEST_F(ScheduleDialog, ARunKeyThatCannotBeOpenedKeepsTheDialogOpen)
{
    SetRunValue(kLoadValueName, "old load");
    struct Case { int load; size_t messages; };
    for (const Case& c : {Case{1, 1}, Case{0, 0}}) {
        SCOPED_TRACE(c.load ? "load ticked" : "nothing ticked");
        RecordedBoxes boxes;
        CScheduleDlg dlg;
        dlg.m_loadAtStartup = 1 - c.load;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            const RestrictedRegistryKey denied(HKEY_LOCAL_MACHINE, kRunKeyPath, 0);
            Click(d, IDC_LOAD_AT_STARTUP);
            Click(d, IDOK);
            EXPECT_TRUE(d.IsModalLoopRunning());
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(c.messages, boxes.shown.size());
        if (c.messages) {
            EXPECT_EQ(kRunKeyFailure, boxes.shown[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.shown[0].type);
        }
        // The members already hold the new choice; the Run key does not.
        EXPECT_EQ(c.load, dlg.m_loadAtStartup);
        EXPECT_EQ("old load", RunValue(kLoadValueName));
    }
}

TEST_F(ScheduleDialog, YellowTextOnTheTilesForEveryControl)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());
    CScheduleDlg dlg;
    RunModal(dlg, [&](CDialog& d) {
        ExpectTiledBackground(d, tile.Tile());
        for (const int id : {IDC_CLEAN_AT_STARTUP, IDC_LOAD_AT_STARTUP, IDOK, IDCANCEL}) {
            SCOPED_TRACE(id);
            const UINT kind = id == IDOK || id == IDCANCEL ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
            const ColourAnswer answer = AskColour(d, ::GetDlgItem(d, id), kind);
            EXPECT_EQ(::GetStockObject(HOLLOW_BRUSH), answer.brush);
            EXPECT_EQ(TRANSPARENT, answer.backgroundMode);
            EXPECT_EQ(RGB(255, 255, 64), answer.text);
        }
        SaveScreenshot(d, "schedule");
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

}  // namespace
