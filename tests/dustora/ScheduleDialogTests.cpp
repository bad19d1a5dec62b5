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
#include <utility>

namespace {

// One test process at a time uses the Run key; both values are put back as they were found.
class ScheduleDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_READ | KEY_WRITE, m_runKey.receive()));
        for (int i = 0; i < 2; ++i)
            m_saved[i] = ReadRawValue(m_runKey.get(), kNames[i]);
    }
    void TearDown() override
    {
        for (int i = 0; i < 2; ++i) {
            if (m_saved[i].code == ERROR_SUCCESS)
                WriteRawValue(m_runKey.get(), kNames[i], m_saved[i].type, m_saved[i].data);
            else
                ::RegDeleteValueA(m_runKey.get(), kNames[i]);
        }
    }

    std::string RunValue(const char* name) const { return ReadTextValue(m_runKey.get(), name); }
    // text nullptr: removes the value.
    void SetRunValue(const char* name, const char* text) const
    {
        if (text)
            WriteRawValue(m_runKey.get(), name, REG_SZ, std::vector<BYTE>(text, text + strlen(text) + 1));
        else
            ::RegDeleteValueA(m_runKey.get(), name);
    }

    NamedLock m_lock{"DustoraTests.RunKey"};
    UniqueKey m_runKey;

private:
    const char* const kNames[2] = {kLoadValueName, kCleanValueName};
    RawRegistryValue m_saved[2];
};

// The values hold the program's path in quotes and the switch.
TEST_F(ScheduleDialog, OkWritesTheTickedValuesAndRemovesTheOthers)
{
    char path[1024] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string load = std::string("\"") + path + "\" /load", clean = std::string("\"") + path + "\" /clean";
    struct Case { int startup, shutdown, load; bool valuesBefore; std::string loadValue, cleanValue; };
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
        SetRunValue(kLoadValueName, c.valuesBefore ? "old load" : nullptr);
        SetRunValue(kCleanValueName, c.valuesBefore ? "old clean" : nullptr);
        CScheduleDlg dlg;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            const std::pair<int, int> clicks[] = {{c.startup, IDC_CLEAN_AT_STARTUP}, {c.shutdown, IDC_CLEAN_AT_SHUTDOWN}, {c.load, IDC_LOAD_AT_STARTUP}};
            for (const auto& [ticked, box] : clicks)
                if (ticked)
                    d.SendDlgItemMessage(box, BM_CLICK);
            d.SendDlgItemMessage(IDOK, BM_CLICK);
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
// removed is not told, and the dialog waits all the same. The members already hold the new
// choice; the Run key does not.
TEST_F(ScheduleDialog, ARunKeyThatCannotBeOpenedKeepsTheDialogOpen)
{
    SetRunValue(kLoadValueName, "old load");
    for (const int load : {1, 0}) {
        SCOPED_TRACE(load ? "load ticked" : "nothing ticked");
        RecordedBoxes boxes;
        CScheduleDlg dlg;
        dlg.m_loadAtStartup = 1 - load;
        const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
            const RestrictedRegistryKey denied(HKEY_LOCAL_MACHINE, kRunKeyPath, 0);
            d.SendDlgItemMessage(IDC_LOAD_AT_STARTUP, BM_CLICK);
            d.SendDlgItemMessage(IDOK, BM_CLICK);
            EXPECT_TRUE(d.IsModalLoopRunning());
            d.SendDlgItemMessage(IDCANCEL, BM_CLICK);
        });
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(load ? 1u : 0u, boxes.shown.size());
        if (load) {
            EXPECT_EQ("Error: Can't open a Registry Location.\nWindows Registry is corrupted or you don't have write "
                      "permission to registry.", boxes.shown[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.shown[0].type);
        }
        EXPECT_EQ(load, dlg.m_loadAtStartup);
        EXPECT_EQ("old load", RunValue(kLoadValueName));
    }
}

// The boxes show the members; ticking the shutdown box ticks load, unticking it leaves load
// ticked; Cancel changes nothing. Yellow text on the tiles for every control.
TEST_F(ScheduleDialog, TicksShowTheMembersShutdownTicksLoadAndCancelChangesNothing)
{
    const ScopedTile tile(theApp.m_background, ProgramTile());
    RecordedBoxes boxes;
    SetRunValue(kLoadValueName, "untouched");
    CScheduleDlg dlg;
    dlg.m_cleanAtStartup = 1;
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        EXPECT_STREQ("Dustora Schedule...", d.GetWindowText());
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

        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_CLEAN_AT_STARTUP));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(IDC_CLEAN_AT_SHUTDOWN));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));
        d.SendDlgItemMessage(IDC_CLEAN_AT_SHUTDOWN, BM_CLICK);
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));
        d.SendDlgItemMessage(IDC_CLEAN_AT_SHUTDOWN, BM_CLICK);
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_LOAD_AT_STARTUP));
        d.SendDlgItemMessage(IDCANCEL, BM_CLICK);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1, dlg.m_cleanAtStartup);
    EXPECT_EQ(0, dlg.m_cleanAtShutdown);
    EXPECT_EQ(0, dlg.m_loadAtStartup);
    EXPECT_EQ("untouched", RunValue(kLoadValueName));
    EXPECT_EQ("(none)", RunValue(kCleanValueName));
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
