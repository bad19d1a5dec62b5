// Invalid desktop shortcuts: shortcuts made by the shell's own IShellLink in a folder of the
// test's own, pointing at files made and removed again on the sandbox drives (D: CD-ROM, E:
// fixed, F: removable; G: is no drive).
#include "engine/CInvalidShortcuts.h"
#include "framework/CComInterface.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace {

class InvalidShortcuts : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
    void TearDown() override { ::OleUninitialize(); }

    // A shortcut at relative whose target is path, or the shell item of csidl when path is null.
    void MakeShortcut(const char* relative, const char* path, int csidl = 0) const
    {
        CComInterface<IShellLinkA> link;
        CComInterface<IPersistFile> file;
        ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                 link.ReceiveVoid())));
        if (path) {
            ASSERT_TRUE(SUCCEEDED(link->SetPath(path))) << path;
        } else {
            ITEMIDLIST* item = nullptr;
            ASSERT_TRUE(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, csidl, &item)));
            EXPECT_TRUE(SUCCEEDED(link->SetIDList(item)));
            ::CoTaskMemFree(item);
        }
        ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())));
        const CString at = m_desktop.Below(relative);
        const std::wstring wide(at.GetString(), at.GetString() + at.GetLength());
        ASSERT_TRUE(SUCCEEDED(file->Save(wide.c_str(), TRUE))) << relative;
    }

    // A shortcut to a file that is there while the shortcut is made, and gone afterwards.
    void MakeShortcutToRemoved(const char* relative, const SandboxFolder& targets, const char* target) const
    {
        targets.MakeFile(target);
        MakeShortcut(relative, targets.Below(target));
        ASSERT_TRUE(::DeleteFileA(targets.Below(target)));
    }

    SandboxFolder m_desktop;
};

TEST_F(InvalidShortcuts, OnlyAShortcutToAMissingFileOnAFixedDriveGoes)
{
    const SandboxFolder onE('E');
    const SandboxFolder onF('F');
    onE.MakeFile("there.txt");
    MakeShortcutToRemoved("gone.lnk", onE, "gone.txt");
    MakeShortcutToRemoved("GONE FOLDER.LNK", onE, "Folder\\inside.txt");
    ASSERT_TRUE(::RemoveDirectoryA(onE.Below("Folder")));
    MakeShortcut("there.lnk", onE.Below("there.txt"));
    MakeShortcut("folder.lnk", onE.Path());
    MakeShortcutToRemoved("removable.lnk", onF, "gone.txt");
    MakeShortcutToRemoved("gone.url", onE, "url.txt");   // a shell link named as an Internet shortcut
    MakeShortcut("controls.lnk", nullptr, CSIDL_CONTROLS);
    MakeShortcut("computer.lnk", nullptr, CSIDL_DRIVES);
    m_desktop.MakeFile("garbage.lnk", "not a shortcut");
    m_desktop.MakeFile("Sub\\inner.lnk");
    MakeShortcutToRemoved("Sub\\inner gone.lnk", onE, "inner.txt");
    // The link is a shortcut to a missing file itself, but deleting it under Wine would delete
    // its target.
    m_desktop.MakeFolder("Kept");
    MakeShortcutToRemoved("Kept\\target.lnk", onE, "linked.txt");
    m_desktop.MakeUnixLink("linked.lnk", "Kept/target.lnk");

    EXPECT_EQ(2, CInvalidShortcuts::DeleteFrom(m_desktop.Path()));
    for (const char* gone : {"gone.lnk", "GONE FOLDER.LNK"})
        EXPECT_FALSE(m_desktop.IsListed(gone)) << gone;
    for (const char* kept : {"there.lnk", "folder.lnk", "removable.lnk", "gone.url", "controls.lnk", "computer.lnk",
                             "garbage.lnk", "Sub\\inner gone.lnk", "linked.lnk", "Kept\\target.lnk"})
        EXPECT_TRUE(m_desktop.IsListed(kept)) << kept;
    EXPECT_TRUE(onE.IsListed("there.txt"));
}

// Targets as a shortcut may store them; only the first is missing on a fixed drive.
TEST_F(InvalidShortcuts, JudgesTheTargetsDriveAndPresence)
{
    const SandboxFolder onE('E');
    onE.MakeFile("there.txt");
    const struct { CString target; bool missing; } cases[] = {
        {onE.Below("missing.txt"), true},
        {onE.Below("there.txt"), false},
        {"E:\\", false},
        {"D:\\missing.txt", false},                    // CD-ROM
        {"F:\\DustoraMissing\\missing.txt", false},    // removable
        {"G:\\missing.txt", false},                    // no such drive
        {"\\\\server\\share\\missing.txt", false},
        {"missing.txt", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.missing, CInvalidShortcuts::IsMissingOnFixedDrive(c.target)) << c.target.GetString();
}

// Wine stores a target given with an environment reference as a path below C:\ ; whatever the
// reference becomes, one the environment cannot fill leaves no path to judge.
TEST_F(InvalidShortcuts, ReadsTheStoredTargetAndNothingFromWhatItCannotRead)
{
    const SandboxFolder onE('E');
    MakeShortcut("plain.lnk", onE.Below("missing.txt"));
    MakeShortcut("unknown.lnk", "%DUSTORA_NO_SUCH_VARIABLE%\\missing.txt");
    m_desktop.MakeFile("garbage.lnk", "not a shortcut");
    EXPECT_STREQ(onE.Below("missing.txt"), CInvalidShortcuts::TargetOf(m_desktop.Below("plain.lnk")));
    for (const char* unread : {"unknown.lnk", "garbage.lnk", "none.lnk"})
        EXPECT_STREQ("", CInvalidShortcuts::TargetOf(m_desktop.Below(unread))) << unread;
    EXPECT_EQ(1, CInvalidShortcuts::DeleteFrom(m_desktop.Path()));
    EXPECT_FALSE(m_desktop.IsListed("plain.lnk"));
    for (const char* unread : {"unknown.lnk", "garbage.lnk"})
        EXPECT_TRUE(m_desktop.IsListed(unread)) << unread;
}

}  // namespace
