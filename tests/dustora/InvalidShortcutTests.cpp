// Invalid desktop shortcuts: shortcuts made by the shell in a folder of the test's own, to files
// made and removed again on the sandbox drives (E: fixed, F: removable; D: is a CD-ROM, G: no
// drive).
#include "engine/CInvalidShortcuts.h"
#include "support/SandboxFolder.h"
#include "support/ShellShortcut.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

TEST(InvalidShortcuts, OnlyAReadableShortcutToAMissingFileOnAFixedDriveGoes)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    SandboxFolder desktop;
    const SandboxFolder onE('E');
    const SandboxFolder onF('F');
    const struct { const char* shortcut; const SandboxFolder& drive; const char* target; bool removed, goes; } cases[] = {
        {"gone.lnk", onE, "gone.txt", true, true},
        {"GONE FOLDER.LNK", onE, "Folder\\inside.txt", true, true},
        {"there.lnk", onE, "there.txt", false, false},
        {"removable.lnk", onF, "gone.txt", true, false},
        {"gone.url", onE, "url.txt", true, false},   // a shell link named as an Internet shortcut
        {"Sub\\inner.lnk", onE, "inner.txt", true, false},
        {"Kept\\target.lnk", onE, "linked.txt", true, false},
    };
    desktop.MakeFolder("Sub");
    desktop.MakeFolder("Kept");
    onE.MakeFolder("Folder");
    for (const auto& c : cases) {
        c.drive.MakeFile(c.target);
        ASSERT_TRUE(MakeShellShortcut(desktop.Below(c.shortcut), c.drive.Below(c.target))) << c.shortcut;
        if (c.removed) {
            ASSERT_TRUE(::DeleteFileA(c.drive.Below(c.target)));
        }
    }
    ASSERT_TRUE(::RemoveDirectoryA(onE.Below("Folder"))) << "a target whose folder is gone too";
    ASSERT_TRUE(MakeShellShortcut(desktop.Below("controls.lnk"), nullptr, CSIDL_CONTROLS));
    ASSERT_TRUE(MakeShellShortcut(desktop.Below("unknown.lnk"), "%DUSTORA_NO_SUCH_VARIABLE%\\missing.txt"));
    desktop.MakeFile("garbage.lnk", "not a shortcut");
    // A link to a shortcut to a missing file: deleting it under Wine would delete its target.
    desktop.MakeUnixLink("linked.lnk", "Kept/target.lnk");

    EXPECT_EQ(2, CInvalidShortcuts::DeleteFrom(desktop.Path()));
    for (const auto& c : cases)
        EXPECT_EQ(!c.goes, desktop.IsListed(c.shortcut)) << c.shortcut;
    for (const char* kept : {"controls.lnk", "unknown.lnk", "garbage.lnk", "linked.lnk"})
        EXPECT_TRUE(desktop.IsListed(kept)) << kept;
    EXPECT_STREQ(onE.Below("there.txt"), CInvalidShortcuts::TargetOf(desktop.Below("there.lnk")));
    ::OleUninitialize();
}

TEST(InvalidShortcuts, JudgesTheTargetsDriveAndPresence)
{
    const SandboxFolder onE('E');
    onE.MakeFile("there.txt");
    const struct { CString target; bool missing; } cases[] = {
        {onE.Below("missing.txt"), true}, {onE.Below("there.txt"), false}, {"E:\\", false},
        {"D:\\missing.txt", false}, {"F:\\DustoraMissing\\missing.txt", false}, {"G:\\missing.txt", false},
        {"\\\\server\\share\\missing.txt", false}, {"missing.txt", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.missing, CInvalidShortcuts::IsMissingOnFixedDrive(c.target)) << c.target.GetString();
}

}  // namespace
