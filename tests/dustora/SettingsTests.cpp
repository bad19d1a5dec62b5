// The options of the registry profile (HKCU\Software\Halvex\<program>\<section>): read into and
// written from the members of the main dialog and of the five dialogs it owns, and exchanged
// with the main dialog's tick boxes while it runs.
#include "app/CCleanerApp.h"
#include "app/CCleanerDlg.h"
#include "resources/DustoraResource.h"
#include "support/CountingCleanerDlg.h"
#include "support/DialogTemplate.h"
#include "support/NamedLock.h"
#include "support/ProgramProfileKey.h"
#include "support/RunModal.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using MemberOf = int& (*)(CCleanerDlg&);

struct Option {
    const char* section;
    const char* key;
    int defaultValue;
    MemberOf member;
    int tickBox;   // 0: no tick box on the main dialog
};

#define MEMBER(path) [](CCleanerDlg& d) -> int& { return d.path; }

// Every integer option, in the order of the profile's sections.
const Option kOptions[] = {
    {"Items", "DelWindowsDocHistory", 1, MEMBER(m_delWindowsDocHistory), 1000},
    {"Items", "EmptyRecycleBin", 1, MEMBER(m_emptyRecycleBin), 1002},
    {"Items", "DelWinTemp", 1, MEMBER(m_delWinTemp), 1004},
    {"Items", "DelInvalidShortcuts", 0, MEMBER(m_delInvalidShortcuts), 1001},
    {"Items", "DelAppLog", 1, MEMBER(m_delAppLog), 1029},
    {"Items", "CleanRegUninstall", 0, MEMBER(m_cleanRegUninstall), 1007},
    {"Items", "DelWinRunHistory", 0, MEMBER(m_delWinRunHistory), 1006},
    {"Items", "DelRegBackup", 0, MEMBER(m_delRegBackup), 1030},
    {"Items", "DelRegInvalidOLE", 0, MEMBER(m_delRegInvalidOLE), 1067},
    {"Items", "DelCHKFiles", 0, MEMBER(m_delCHKFiles), 1008},
    {"Items", "MSIE", 1, MEMBER(m_msie), 1017},
    {"Items", "Outlook", 1, MEMBER(m_outlook), 1018},
    {"Items", "Netscape", 1, MEMBER(m_netscape), 1019},
    {"Items", "Office", 0, MEMBER(m_office), 1051},
    {"OutLook Items", "DelRecycleBin", 0, MEMBER(m_outlookItemsDlg.m_emptyDeletedItems), 0},
    {"MSIE Items", "DelCacheFolder", 1, MEMBER(m_ieItemsDlg.m_cleanCache), 0},
    {"MSIE Items", "DelTypedURL", 0, MEMBER(m_ieItemsDlg.m_deleteTypedUrls), 0},
    {"MSIE Items", "EmtpyCookies", 0, MEMBER(m_ieItemsDlg.m_emptyCookies), 0},
    {"Netscape Items", "DelCacheFolder", 1, MEMBER(m_netscapeItemsDlg.m_cleanCache), 0},
    {"Netscape Items", "DelCookiesFolder", 0, MEMBER(m_netscapeItemsDlg.m_deleteCookies), 0},
    {"Office Items", "DelAccessMRU", 0, MEMBER(m_officeItemsDlg.m_deleteAccessMru), 0},
    {"Office Items", "DelExcelMRU", 0, MEMBER(m_officeItemsDlg.m_deleteExcelMru), 0},
    {"Office Items", "DelWordMRU", 0, MEMBER(m_officeItemsDlg.m_deleteWordMru), 0},
    {"Office Items", "DelPowerPointMRU", 0, MEMBER(m_officeItemsDlg.m_deletePowerPointMru), 0},
    {"Schedule", "CleanAtStartup", 0, MEMBER(m_scheduleDlg.m_cleanAtStartup), 0},
    {"Schedule", "CleanAtShutdown", 0, MEMBER(m_scheduleDlg.m_cleanAtShutdown), 0},
    {"Schedule", "LoadAtStartup", 0, MEMBER(m_scheduleDlg.m_loadAtStartup), 0},
};
constexpr int kOptionCount = sizeof(kOptions) / sizeof(kOptions[0]);
static_assert(kOptionCount == 27);

std::string NameOf(const Option& option) { return std::string(option.section) + "/" + option.key; }

// One test process at a time uses the program's profile key, however ctest spreads the tests.
class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCommandLine = theApp.m_lpCmdLine;
        m_savedNetscapeCache = theApp.m_folderNSCache;
        theApp.m_lpCmdLine = "/start";
        theApp.m_folderNSCache = "E:\\Netscape\\Cache\\";
    }
    void TearDown() override
    {
        theApp.m_lpCmdLine = m_savedCommandLine;
        theApp.m_folderNSCache = m_savedNetscapeCache;
    }

    RawRegistryValue ReadRaw(const char* section, const char* key) const
    {
        HKEY handle = nullptr;
        RawRegistryValue value;
        value.code = ::RegOpenKeyExA(HKEY_CURRENT_USER, m_profile.SectionPath(section), 0, KEY_READ, &handle);
        if (value.code != ERROR_SUCCESS)
            return value;
        value = ReadRawValue(handle, key);
        ::RegCloseKey(handle);
        return value;
    }

    // The stored number, or 0xdeadbeef when there is no four-byte value.
    DWORD Stored(const Option& option) const
    {
        const RawRegistryValue raw = ReadRaw(option.section, option.key);
        DWORD value = 0xdeadbeef;
        if (raw.code == ERROR_SUCCESS && raw.data.size() == sizeof(value))
            memcpy(&value, raw.data.data(), sizeof(value));
        return value;
    }

    void Store(const Option& option, DWORD value) const
    {
        ASSERT_TRUE(theApp.WriteProfileInt(option.section, option.key, static_cast<int>(value))) << NameOf(option);
    }

    NamedLock m_profileLock{"DustoraTests.SettingsProfile"};
    ProgramProfileKey m_profile;
    CString m_savedCommandLine;
    CString m_savedNetscapeCache;
};

void FillMembers(CCleanerDlg& dlg, int value)
{
    for (const Option& option : kOptions)
        option.member(dlg) = value;
}

}  // namespace

TEST_F(Settings, AFreshProfileReadsEveryDefault)
{
    CCleanerDlg dlg;
    FillMembers(dlg, static_cast<int>(0xdeadbeef));
    dlg.LoadSettings();

    int ticked = 0;
    for (const Option& option : kOptions) {
        SCOPED_TRACE(NameOf(option));
        EXPECT_EQ(option.defaultValue, option.member(dlg));
        ticked += IsOptionOn(option.member(dlg)) ? 1 : 0;
    }
    EXPECT_EQ(9, ticked);
}

TEST_F(Settings, ReadingLeavesTheProfileWithoutValues)
{
    CCleanerDlg dlg;
    dlg.LoadSettings();
    for (const Option& option : kOptions) {
        SCOPED_TRACE(NameOf(option));
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw(option.section, option.key).code);
    }
}

// Each option reads its own value, so no two members share a key by mistake (the two
// "DelCacheFolder" keys included).
TEST_F(Settings, EveryOptionReadsItsOwnKey)
{
    for (int i = 0; i < kOptionCount; ++i)
        Store(kOptions[i], 100 + i);
    CCleanerDlg dlg;
    dlg.LoadSettings();
    for (int i = 0; i < kOptionCount; ++i)
        EXPECT_EQ(100 + i, kOptions[i].member(dlg)) << NameOf(kOptions[i]);
}

// Only exactly 1 switches an option on; other numbers load as they are, and are not 1.
TEST_F(Settings, OnlyAStoredOneIsOn)
{
    struct Case { DWORD stored; bool on; };
    const Case cases[] = {{0, false}, {1, true}, {2, false}, {0xffffffff, false}, {0x101, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        for (const Option& option : kOptions)
            Store(option, c.stored);
        CCleanerDlg dlg;
        dlg.LoadSettings();
        for (const Option& option : kOptions) {
            SCOPED_TRACE(NameOf(option));
            EXPECT_EQ(static_cast<int>(c.stored), option.member(dlg));
            EXPECT_EQ(c.on, IsOptionOn(option.member(dlg)));
        }
    }
}

// The key is spelt "Emtpy" in every existing profile; the correct spelling is never used.
TEST_F(Settings, EmtpyCookiesKeepsItsSpelling)
{
    CCleanerDlg writer;
    writer.LoadSettings();
    writer.m_ieItemsDlg.m_emptyCookies = 1;
    writer.SaveSettings();

    EXPECT_EQ(1u, Stored({"MSIE Items", "EmtpyCookies", 0, nullptr, 0}));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw("MSIE Items", "EmptyCookies").code);

    CCleanerDlg reader;
    reader.LoadSettings();
    EXPECT_EQ(1, reader.m_ieItemsDlg.m_emptyCookies);
}

TEST_F(Settings, SaveWritesAll27AsDwords)
{
    CCleanerDlg dlg;
    for (int i = 0; i < kOptionCount; ++i)
        kOptions[i].member(dlg) = 200 + i;
    dlg.SaveSettings();   // no window: nothing to take from tick boxes

    std::map<std::string, DWORD> valuesPerSection;
    for (int i = 0; i < kOptionCount; ++i) {
        const Option& option = kOptions[i];
        SCOPED_TRACE(NameOf(option));
        const RawRegistryValue raw = ReadRaw(option.section, option.key);
        ASSERT_EQ(ERROR_SUCCESS, raw.code);
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), raw.type);
        EXPECT_EQ(sizeof(DWORD), raw.data.size());
        EXPECT_EQ(static_cast<DWORD>(200 + i), Stored(option));
        ++valuesPerSection[option.section];
    }
    // Nothing beyond the 27 is written.
    for (const auto& [section, expected] : valuesPerSection) {
        SCOPED_TRACE(section);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_profile.SectionPath(section.c_str()), 0, KEY_READ, &key));
        DWORD count = 0xdeadbeef;
        EXPECT_EQ(ERROR_SUCCESS, ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                                    nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(expected, count);
        ::RegCloseKey(key);
    }
}

// The main dialog's initialisation shows the profile in its tick boxes.
TEST_F(Settings, TheTickBoxesShowTheLoadedOptions)
{
    for (int i = 0; i < kOptionCount; ++i)
        Store(kOptions[i], i % 2);
    CCleanerDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& main = static_cast<CCleanerDlg&>(d);
        for (int i = 0; i < kOptionCount; ++i) {
            const Option& option = kOptions[i];
            SCOPED_TRACE(NameOf(option));
            EXPECT_EQ(i % 2, option.member(main));
            if (option.tickBox) {
                ASSERT_NE(nullptr, ::GetDlgItem(d.GetSafeHwnd(), option.tickBox));
                EXPECT_EQ(static_cast<UINT>(i % 2), d.IsDlgButtonChecked(option.tickBox));
            }
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}

// A tick box has two states: a stored 2 shows ticked, and is saved as 1 once the dialog has
// shown it. Options without a tick box on the main dialog keep their 2 and stay off.
// A tick box cannot show a 2: it shows no tick, so the next save stores 0 and no cleaner runs.
TEST_F(Settings, AStoredTwoNeverSwitchesAnOptionOn)
{
    for (const Option& option : kOptions)
        Store(option, 2);
    CCleanerDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& main = static_cast<CCleanerDlg&>(d);
        for (const Option& option : kOptions) {
            SCOPED_TRACE(NameOf(option));
            EXPECT_EQ(2, option.member(main));
            EXPECT_FALSE(IsOptionOn(option.member(main)));
            if (option.tickBox) {
                EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(option.tickBox));
            }
        }
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    for (const Option& option : kOptions) {
        SCOPED_TRACE(NameOf(option));
        EXPECT_EQ(option.tickBox ? 0u : 2u, Stored(option));
    }
}

// Exit, Escape, the close box and WM_CLOSE all save what the tick boxes show.
TEST_F(Settings, LeavingTheDialogSavesTheTickBoxes)
{
    struct Way { const char* name; UINT msg; WPARAM wParam; };
    const Way ways[] = {
        {"Exit", WM_COMMAND, IDCANCEL},
        {"Escape", WM_KEYDOWN, VK_ESCAPE},
        {"WM_CLOSE", WM_CLOSE, 0},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        m_profile.Remove();
        CCleanerDlg dlg;
        const INT_PTR result = RunModal(dlg, [&way](CDialog& d) {
            // Every tick box flips away from its default (set, not clicked: some clicks open dialogs).
            for (const Option& option : kOptions)
                if (option.tickBox)
                    d.CheckDlgButton(option.tickBox, d.IsDlgButtonChecked(option.tickBox) ? BST_UNCHECKED : BST_CHECKED);
            if (way.msg == WM_KEYDOWN)
                ::PostMessageA(::GetDlgItem(d.GetSafeHwnd(), 1000), way.msg, way.wParam, 0);
            else
                d.PostMessage(way.msg, way.wParam);
        });
        EXPECT_EQ(IDCANCEL, result);
        for (const Option& option : kOptions) {
            SCOPED_TRACE(NameOf(option));
            const DWORD expected = option.tickBox ? 1 - option.defaultValue : option.defaultValue;
            EXPECT_EQ(expected, Stored(option));
            EXPECT_EQ(static_cast<int>(expected), option.member(dlg));
        }
    }
}

// The flags of the item and Schedule dialogs are written as the dialogs left them.
TEST_F(Settings, SubDialogFlagsAreSavedAsTheyStand)
{
    CCleanerDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        auto& main = static_cast<CCleanerDlg&>(d);
        for (const Option& option : kOptions)
            if (!option.tickBox)
                option.member(main) = 1 - option.defaultValue;
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    for (const Option& option : kOptions) {
        if (!option.tickBox) {
            EXPECT_EQ(static_cast<DWORD>(1 - option.defaultValue), Stored(option)) << NameOf(option);
        }
    }
}

// Without a Netscape cache folder the Netscape option is cleared at start and saved as 0.
TEST_F(Settings, NoNetscapeCacheFolderClearsNetscape)
{
    theApp.m_folderNSCache.Empty();
    const Option& netscape = kOptions[12];
    ASSERT_STREQ("Netscape", netscape.key);
    Store(netscape, 1);

    CCleanerDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        EXPECT_EQ(0, static_cast<CCleanerDlg&>(d).m_netscape);
        EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(0u, Stored(netscape));
}

TEST_F(Settings, WithACacheFolderNetscapeStaysAsStored)
{
    const Option& netscape = kOptions[12];
    CCleanerDlg dlg;
    RunModal(dlg, [](CDialog& d) {
        EXPECT_EQ(1, static_cast<CCleanerDlg&>(d).m_netscape);
        EXPECT_EQ(static_cast<UINT>(BST_CHECKED), d.IsDlgButtonChecked(IDC_NETSCAPE));
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(1u, Stored(netscape));
}

// A "/clean" start closes itself and, like every close, saves the options it loaded.
TEST_F(Settings, TheCleanRunModeSavesTheLoadedOptions)
{
    theApp.m_lpCmdLine = "/clean";
    CCountingCleanerDlg dlg;   // the run itself saves them too
    const INT_PTR result = dlg.DoModal();   // the run mode closes the dialog by itself
    EXPECT_EQ(IDCANCEL, result);
    for (const Option& option : kOptions)
        EXPECT_EQ(static_cast<DWORD>(option.defaultValue), Stored(option)) << NameOf(option);
}

namespace {

// A sub-dialog's flag and the tick box it is exchanged with.
struct Flag {
    int id;
    int* member;
};

struct SubDialogCase {
    const char* name;
    CDialog* dlg;
    UINT templateId;
    std::vector<Flag> flags;
};

}  // namespace

// Each item dialog exchanges its flags with the tick boxes of its own template; the windows
// come from a template in memory holding tick boxes with those numbers. (The Schedule dialog's
// OK also writes the Run key: ScheduleDialogTests has it.)
TEST(OptionDialogs, FlagsAreExchangedWithTheirTickBoxes)
{
    CCleanerDlg main;
    const SubDialogCase cases[] = {
        {"Internet Explorer", &main.m_ieItemsDlg, 145,
         {{1028, &main.m_ieItemsDlg.m_emptyCookies}, {1019, &main.m_ieItemsDlg.m_deleteTypedUrls},
          {1009, &main.m_ieItemsDlg.m_cleanCache}}},
        {"Netscape", &main.m_netscapeItemsDlg, 147,
         {{1013, &main.m_netscapeItemsDlg.m_cleanCache}, {1017, &main.m_netscapeItemsDlg.m_deleteCookies}}},
        {"Outlook", &main.m_outlookItemsDlg, 162, {{1054, &main.m_outlookItemsDlg.m_emptyDeletedItems}}},
        {"Office", &main.m_officeItemsDlg, 165,
         {{1019, &main.m_officeItemsDlg.m_deleteAccessMru}, {1018, &main.m_officeItemsDlg.m_deleteExcelMru},
          {1017, &main.m_officeItemsDlg.m_deleteWordMru}, {1020, &main.m_officeItemsDlg.m_deletePowerPointMru}}},
    };
    for (const SubDialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.templateId, c.dlg->m_nIDTemplate);
        EXPECT_EQ(nullptr, c.dlg->m_pParentWnd);
        for (const Flag& flag : c.flags)
            EXPECT_EQ(0, *flag.member) << flag.id;

        DialogTemplate layout(c.name, WS_POPUP | WS_CAPTION | WS_VISIBLE, 180, 120);
        for (const Flag& flag : c.flags)
            layout.CheckBox(flag.id, "flag");
        layout.Button(IDOK, "OK").Button(IDCANCEL, "Cancel");
        c.dlg->InitModalIndirect(layout.Get());
        for (size_t i = 0; i < c.flags.size(); ++i)
            *c.flags[i].member = static_cast<int>(i % 2);

        const INT_PTR result = RunModal(*c.dlg, [&c](CDialog& d) {
            for (size_t i = 0; i < c.flags.size(); ++i) {
                EXPECT_EQ(static_cast<UINT>(i % 2), d.IsDlgButtonChecked(c.flags[i].id)) << c.flags[i].id;
                d.SendDlgItemMessage(c.flags[i].id, BM_CLICK);
            }
            d.PostMessage(WM_COMMAND, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        for (size_t i = 0; i < c.flags.size(); ++i)
            EXPECT_EQ(static_cast<int>(1 - i % 2), *c.flags[i].member) << c.flags[i].id;
    }
}

TEST(OptionDialogs, ScheduleBindsItsTwoButtons)
{
    CCleanerDlg main;
    EXPECT_EQ(154u, main.m_scheduleDlg.m_nIDTemplate);
    EXPECT_EQ(nullptr, main.m_scheduleDlg.m_pParentWnd);
    for (const int flag : {main.m_scheduleDlg.m_cleanAtShutdown, main.m_scheduleDlg.m_cleanAtStartup,
                           main.m_scheduleDlg.m_loadAtStartup})
        EXPECT_EQ(0, flag);
    CScheduleDlg dlg;
    DialogTemplate layout("Schedule", WS_POPUP | WS_CAPTION | WS_VISIBLE, 180, 120);
    layout.CheckBox(IDC_CLEAN_AT_STARTUP, "startup").CheckBox(IDC_CLEAN_AT_SHUTDOWN, "shutdown");
    layout.CheckBox(IDC_LOAD_AT_STARTUP, "load").Button(IDCANCEL, "Cancel");
    dlg.InitModalIndirect(layout.Get());
    RunModal(dlg, [](CDialog& d) {
        auto& schedule = static_cast<CScheduleDlg&>(d);
        EXPECT_EQ(IDC_LOAD_AT_STARTUP, schedule.m_loadAtStartupBox.GetDlgCtrlID());
        EXPECT_EQ(IDC_CLEAN_AT_SHUTDOWN, schedule.m_cleanAtShutdownBox.GetDlgCtrlID());
        d.PostMessage(WM_COMMAND, IDCANCEL);
    });
}
