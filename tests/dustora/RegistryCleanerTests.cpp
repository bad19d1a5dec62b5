// The invalid uninstall entries and COM classes: which seeded entries are judged broken and
// which stay, the Wine prefix's own registrations untouched, and the backup that undoes a clean,
// imported again with Wine's regedit.
#include "engine/CComEntries.h"
#include "engine/CRegistryCleaner.h"
#include "engine/CUninstallEntries.h"
#include "framework/UniqueHandle.h"
#include "registry/CRegistryBackup.h"
#include "registry/CRegistryViews.h"

#include "support/NamedLock.h"
#include "support/SandboxFolder.h"
#include "support/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Tests that seed the real uninstall and class lists take turns with the one that judges them.
const char kRealPlacesLock[] = "DustoraTests.RealRegistryPlaces";
const char kSandboxVariable[] = "DUSTORA_CLEANER_TEST";

struct Value {
    const char* name;
    DWORD type;
    std::string data;   // "$" stands for the test's folder on the fixed drive E:
};

struct Seeded {
    const char* key;   // below the place; "\\" makes a key below it
    std::vector<Value> values;
};

CString Filled(const std::string& text, const CString& folder)
{
    CString filled(text);
    filled.Replace("$", folder);
    return filled;
}

void Seed(HKEY root, const CString& path, const std::vector<Seeded>& entries, const CString& folder, REGSAM view = 0)
{
    for (const Seeded& entry : entries) {
        UniqueKey key;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root, path + "\\" + entry.key, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                                   nullptr, key.receive(), nullptr)) << entry.key;
        for (const Value& value : entry.values) {
            const CString text = Filled(value.data, folder);
            const bool isText = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
            const DWORD size = isText ? static_cast<DWORD>(text.GetLength() + 1) : static_cast<DWORD>(value.data.size());
            const BYTE* bytes = reinterpret_cast<const BYTE*>(isText ? text.GetString() : value.data.data());
            ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.get(), value.name, 0, value.type, bytes, size)) << entry.key;
        }
    }
}

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

std::set<std::string> BrokenNames(const RegistryPlace& place, EntryJudge judge)
{
    std::set<std::string> names;
    for (const CString& name : CRegistryCleaner::BrokenEntries(place, judge))
        names.insert(name.Str());
    return names;
}

std::vector<std::string> SubkeyNames(HKEY root, const CString& path, REGSAM view)
{
    std::vector<std::string> names;
    UniqueKey key;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ | view, key.receive()) != ERROR_SUCCESS)
        return names;
    char name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.push_back(name);
    }
}

// Every key of a tree by its path below the top, with each value's name, type and bytes.
using Snapshot = std::map<std::string, std::map<std::string, std::pair<DWORD, std::vector<BYTE>>>>;

void TakeSnapshot(HKEY root, const CString& path, const std::string& below, Snapshot& out, REGSAM view = 0)
{
    UniqueKey key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(root, path, 0, KEY_READ | view, key.receive())) << path.GetString();
    auto& values = out[below];
    for (DWORD index = 0;; ++index) {
        char name[1024];
        std::vector<BYTE> data(4096);
        DWORD nameSize = sizeof name;
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (::RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        data.resize(size);
        values[name] = {type, data};
    }
    for (const std::string& name : SubkeyNames(root, path, view))
        TakeSnapshot(root, path + "\\" + name.c_str(), below + "\\" + name, out, view);
}

// Starts a program of the prefix and waits for it; its exit code.
DWORD RunProgram(CString command)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, command.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ::GetLastError();
    const UniqueHandle thread(process.hThread);
    const UniqueHandle running(process.hProcess);
    DWORD code = WAIT_TIMEOUT;
    if (::WaitForSingleObject(running.get(), 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(running.get(), &code);
    return code;
}

DWORD ImportWithRegedit(const CString& file)
{
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    return RunProgram(CString("\"") + windows + "\\regedit.exe\" /s \"" + file + "\"");
}

std::string FileText(const CString& path)
{
    UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
}

class RegistryCleaner : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sandbox.MakeFile("Some App\\uninst.exe");
        m_sandbox.MakeFile("uninst.exe");
        m_sandbox.MakeFile("server.dll");
        ::SetEnvironmentVariableA(kSandboxVariable, m_sandbox.Path());
    }
    void TearDown() override { ::SetEnvironmentVariableA(kSandboxVariable, nullptr); }

    RegistryPlace ScratchPlace() const
    {
        return {HKEY_CURRENT_USER, m_scratch.Path(), 0, PathReaders::kThisKind};
    }

    // A drive letter with nothing behind it.
    static char AbsentDrive()
    {
        for (char letter = 'Y'; letter > 'K'; --letter) {
            const char root[] = {letter, ':', '\\', 0};
            if (::GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR)
                return letter;
        }
        ADD_FAILURE() << "every drive letter is in use";
        return 'Z';
    }

    SandboxFolder m_sandbox;
    ScratchRegistryKey m_scratch;
};

TEST_F(RegistryCleaner, AnUninstallEntryIsBrokenOnlyWhenItsProgramIsProvablyGone)
{
    const std::string absent = std::string(1, AbsentDrive()) + ":\\gone.exe";
    const struct {
        const char* entry;
        DWORD type;
        const char* command;
        const char* flag;   // a DWORD value of the entry, set to flagValue
        DWORD flagValue;
        bool broken;
    } cases[] = {
        {"quoted, missing", REG_SZ, "\"$\\gone\\uninst.exe\" /S", nullptr, 0, true},
        {"unquoted with blanks, missing", REG_SZ, "$\\Some App\\gone.exe /S", nullptr, 0, true},
        {"environment reference, missing", REG_EXPAND_SZ, "\"%DUSTORA_CLEANER_TEST%\\gone.exe\"", nullptr, 0, true},
        {"rundll32, DLL missing", REG_SZ, "rundll32.exe \"$\\gone.dll\",Uninstall all", nullptr, 0, true},
        {"rundll32 unquoted, DLL missing", REG_SZ, "C:\\windows\\rundll32.exe $\\Some App\\gone.dll,Remove", nullptr, 0, true},
        {"SystemComponent 0", REG_SZ, "\"$\\gone.exe\"", "SystemComponent", 0, true},
        {"quoted, there", REG_SZ, "\"$\\Some App\\uninst.exe\" /S", nullptr, 0, false},
        {"unquoted with blanks, there", REG_SZ, "$\\Some App\\uninst.exe /S", nullptr, 0, false},
        {"no extension, the .exe there", REG_SZ, "$\\uninst", nullptr, 0, false},
        {"rundll32, DLL there", REG_SZ, "rundll32.exe $\\server.dll,Uninstall", nullptr, 0, false},
        {"rundll32 without an entry point", REG_SZ, "rundll32.exe $\\gone.dll", nullptr, 0, false},
        {"SystemComponent 1", REG_SZ, "\"$\\gone.exe\"", "SystemComponent", 1, false},
        {"WindowsInstaller 1", REG_SZ, "\"$\\gone.exe\"", "WindowsInstaller", 1, false},
        {"msiexec", REG_SZ, "MsiExec.exe /X{D0570A11-0000-0000-0000-000000000001}", nullptr, 0, false},
        {"found through the search path", REG_SZ, "gone-uninstaller.exe /S", nullptr, 0, false},
        {"relative path", REG_SZ, "Some App\\gone.exe", nullptr, 0, false},
        {"unexpandable reference", REG_EXPAND_SZ, "%DUSTORA_NO_SUCH_VARIABLE%\\gone.exe", nullptr, 0, false},
        {"CD-ROM drive", REG_SZ, "\"D:\\gone.exe\"", nullptr, 0, false},
        {"removable drive", REG_SZ, "\"F:\\gone.exe\"", nullptr, 0, false},
        {"absent drive", REG_SZ, absent.c_str(), nullptr, 0, false},
        {"network path", REG_SZ, "\"\\\\server\\share\\gone.exe\"", nullptr, 0, false},
        {"no closing quote", REG_SZ, "\"$\\gone.exe /S", nullptr, 0, false},
        {"wildcard", REG_SZ, "\"$\\g?ne.exe\"", nullptr, 0, false},
        {"empty", REG_SZ, "", nullptr, 0, false},
        {"a DWORD", REG_DWORD, nullptr, nullptr, 0, false},
        {"no UninstallString", REG_SZ, nullptr, nullptr, 0, false},
    };
    std::set<std::string> expected;
    for (const auto& c : cases) {
        std::vector<Value> values = {{"DisplayName", REG_SZ, c.entry}};
        if (c.command)
            values.push_back({"UninstallString", c.type, c.command});
        else if (c.type == REG_DWORD)
            values.push_back({"UninstallString", REG_DWORD, Dword(1)});
        if (c.flag)
            values.push_back({c.flag, REG_DWORD, Dword(c.flagValue)});
        Seed(HKEY_CURRENT_USER, m_scratch.Path(), {{c.entry, values}}, m_sandbox.Path());
        if (c.broken)
            expected.insert(c.entry);
    }
    EXPECT_EQ(expected, BrokenNames(ScratchPlace(), CUninstallEntries::IsBroken));
}

TEST_F(RegistryCleaner, AClassIsBrokenOnlyWhenEveryServerItNamesIsProvablyGone)
{
    const struct {
        const char* key;
        std::vector<Value> inproc, local, handler;   // empty: no such server key
        bool broken;
    } cases[] = {
        {"{D0570A20-0000-0000-0000-000000000001}", {{"", REG_SZ, "$\\Some App\\gone.dll"}}, {}, {}, true},
        {"{D0570A20-0000-0000-0000-000000000002}", {}, {{"", REG_SZ, "\"$\\gone.exe\" -Embedding"}}, {}, true},
        {"{D0570A20-0000-0000-0000-000000000003}", {{"", REG_SZ, "$\\gone.dll"}}, {}, {{"", REG_SZ, "$\\gone2.dll"}}, true},
        {"{D0570A20-0000-0000-0000-000000000004}", {{"", REG_EXPAND_SZ, "%DUSTORA_CLEANER_TEST%\\gone.dll"}}, {}, {}, true},
        // kept: a server there, a bare name, another drive, no path, no server, not a class
        {"{D0570A20-0000-0000-0000-000000000011}", {{"", REG_SZ, "$\\server.dll"}}, {}, {}, false},
        {"{D0570A20-0000-0000-0000-000000000012}", {{"", REG_SZ, "$\\gone.dll"}}, {{"", REG_SZ, "\"$\\Some App\\uninst.exe\""}}, {}, false},
        {"{D0570A20-0000-0000-0000-000000000013}", {{"", REG_SZ, "$\\gone.dll"}}, {}, {{"", REG_SZ, "ole32.dll"}}, false},
        {"{D0570A20-0000-0000-0000-000000000014}", {{"", REG_SZ, "D:\\gone.dll"}}, {}, {}, false},
        {"{D0570A20-0000-0000-0000-000000000015}", {{"ThreadingModel", REG_SZ, "Both"}}, {}, {}, false},
        {"{D0570A20-0000-0000-0000-000000000016}", {}, {}, {}, false},
        {"{D0570A20-0000-0000-0000-000000000017}", {{"", REG_EXPAND_SZ, "%DUSTORA_NO_SUCH_VARIABLE%\\gone.dll"}}, {}, {}, false},
        {"NotAClass", {{"", REG_SZ, "$\\gone.dll"}}, {}, {}, false},
    };
    std::set<std::string> expected;
    for (const auto& c : cases) {
        Seed(HKEY_CURRENT_USER, m_scratch.Path(), {{c.key, {{"", REG_SZ, "a class"}}}}, m_sandbox.Path());
        const std::pair<const char*, const std::vector<Value>*> servers[] = {
            {"InprocServer32", &c.inproc}, {"LocalServer32", &c.local}, {"InprocHandler32", &c.handler}};
        for (const auto& server : servers) {
            if (!server.second->empty())
                Seed(HKEY_CURRENT_USER, m_scratch.Below(c.key), {{server.first, *server.second}}, m_sandbox.Path());
        }
        if (c.broken)
            expected.insert(c.key);
    }
    EXPECT_EQ(expected, BrokenNames(ScratchPlace(), CComEntries::IsBroken));
}

// Wine's own class keys and uninstall entries, in every view, are all kept.
TEST(RegistryCleanerPrefix, NothingOfTheWinePrefixIsJudgedBroken)
{
    const NamedLock lock(kRealPlacesLock);
    const bool wow64 = CRegistryViews::IsWow64System();
    const struct {
        const char* kind;
        std::vector<RegistryPlace> places;
        EntryJudge judge;
        size_t atLeast;
    } kinds[] = {
        {"uninstall entries", CUninstallEntries::Places(wow64), CUninstallEntries::IsBroken, 0},
        {"class keys", CComEntries::Places(wow64), CComEntries::IsBroken, 1000},
    };
    for (const auto& kind : kinds) {
        size_t total = 0;
        for (const RegistryPlace& place : kind.places) {
            const std::vector<std::string> before = SubkeyNames(place.root, place.path, place.view);
            total += before.size();
            for (const std::string& broken : BrokenNames(place, kind.judge))
                ADD_FAILURE() << place.path.GetString() << "\\" << broken << " judged broken";
            std::printf("%s: %u in %s\n", kind.kind, static_cast<unsigned>(before.size()), place.path.GetString());
        }
        EXPECT_GE(total, kind.atLeast) << kind.kind;
        EXPECT_EQ(wow64 ? 2u : 1u, std::count_if(kind.places.begin(), kind.places.end(),
                                                 [](const RegistryPlace& p) { return p.root == HKEY_LOCAL_MACHINE; }));
    }
}

// Every kind of value regedit can carry, a tree below the entry, a long value over several lines.
const std::vector<Seeded> kRoundTrip = {
    {"Gone App", {{"UninstallString", REG_SZ, "\"$\\gone\\uninst.exe\" /S"},
                  {"", REG_SZ, "the \"default\" \\ value"},
                  {"DisplayIcon", REG_EXPAND_SZ, "%DUSTORA_CLEANER_TEST%\\gone.ico,0"},
                  {"Lines", REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
                  {"Size", REG_DWORD, Dword(0xdeadbeef)},
                  {"Blob", REG_BINARY, std::string(70, '\xcf')},
                  {"Empty", REG_BINARY, ""},
                  {"Nothing", REG_NONE, std::string("\x01\x02", 2)},
                  {"Two lines", REG_SZ, std::string("a\r\nb\0", 5)},
                  {"Short DWORD", REG_DWORD, "ab"}}},
    {"Gone App\\Sub\\Deeper", {{"Value", REG_SZ, "deep"}}},
    {"Gone App\\Empty key", {}},
    {"Gone Tool", {{"UninstallString", REG_SZ, "rundll32.exe $\\gone.dll,Remove"}}},
};

TEST_F(RegistryCleaner, TheBackupFileBringsBackExactlyWhatWasRemoved)
{
    Seed(HKEY_CURRENT_USER, m_scratch.Path(), kRoundTrip, m_sandbox.Path());
    Seed(HKEY_CURRENT_USER, m_scratch.Path(), {{"Kept App", {{"UninstallString", REG_SZ, "\"$\\uninst.exe\""}}}}, m_sandbox.Path());
    Snapshot seeded;
    TakeSnapshot(HKEY_CURRENT_USER, m_scratch.Path(), "", seeded);

    CRegistryBackup backup(m_sandbox.Below("Backups\\Run"));
    EXPECT_EQ(2, CRegistryCleaner::RemoveBroken({ScratchPlace()}, CUninstallEntries::IsBroken, backup));
    EXPECT_EQ(std::vector<std::string>{"Kept App"}, SubkeyNames(HKEY_CURRENT_USER, m_scratch.Path(), 0));
    ASSERT_EQ(m_sandbox.Below("Backups\\Run\\"), backup.FilePath().Left(m_sandbox.Below("Backups\\Run\\").GetLength()));
    EXPECT_EQ(0u, FileText(backup.FilePath()).rfind("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\", 0));

    EXPECT_EQ(0u, ImportWithRegedit(backup.FilePath()));
    Snapshot restored;
    TakeSnapshot(HKEY_CURRENT_USER, m_scratch.Path(), "", restored);
    EXPECT_EQ(seeded, restored);
}

// Both cleaners over the real lists, each seeded in the view a 32-bit program sees by default:
// one file for the run, which regedit, whatever view it writes in, puts back in the same place.
TEST_F(RegistryCleaner, ARunOverTheRealListsLeavesOneFileThatRestoresBoth)
{
    const NamedLock lock(kRealPlacesLock);
    const CString uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DustoraTest.Gone";
    const CString classKey = "Software\\Classes\\CLSID\\{D0570A30-0000-0000-0000-000000000001}";
    Seed(HKEY_LOCAL_MACHINE, uninstall.Left(uninstall.ReverseFind('\\')),
         {{"DustoraTest.Gone", {{"UninstallString", REG_SZ, "\"$\\gone.exe\""}, {"Flags", REG_DWORD, Dword(7)}}}},
         m_sandbox.Path());
    Seed(HKEY_LOCAL_MACHINE, classKey, {{"InprocServer32", {{"", REG_SZ, "$\\gone.dll"}, {"ThreadingModel", REG_SZ, "Both"}}}},
         m_sandbox.Path());
    Snapshot seeded;
    TakeSnapshot(HKEY_LOCAL_MACHINE, uninstall, "uninstall", seeded);
    TakeSnapshot(HKEY_LOCAL_MACHINE, classKey, "class", seeded);

    CRegistryBackup backup(m_sandbox.Below("Backups"));
    EXPECT_EQ(1, CUninstallEntries::RemoveBroken(backup));
    EXPECT_EQ(1, CComEntries::RemoveBroken(backup));
    UniqueKey gone;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, uninstall, 0, KEY_READ, gone.receive()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, classKey, 0, KEY_READ, gone.receive()));
    WIN32_FIND_DATAA found;
    const UniqueFind files(::FindFirstFileA(m_sandbox.Below("Backups\\*.reg"), &found));
    ASSERT_TRUE(files);
    EXPECT_FALSE(::FindNextFileA(files.get(), &found)) << "a second file";

    EXPECT_EQ(0u, ImportWithRegedit(backup.FilePath()));
    Snapshot restored;
    TakeSnapshot(HKEY_LOCAL_MACHINE, uninstall, "uninstall", restored);
    TakeSnapshot(HKEY_LOCAL_MACHINE, classKey, "class", restored);
    EXPECT_EQ(seeded, restored);
    EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(HKEY_LOCAL_MACHINE, uninstall));
    EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(HKEY_LOCAL_MACHINE, classKey));
}

// A backup that cannot be written removes nothing, and tries no other place.
TEST_F(RegistryCleaner, NothingIsRemovedWhenTheBackupCannotBeWritten)
{
    Seed(HKEY_CURRENT_USER, m_scratch.Path(), kRoundTrip, m_sandbox.Path());
    m_sandbox.MakeFile("Not a folder");
    CRegistryBackup backup(m_sandbox.Below("Not a folder\\Backups"));
    EXPECT_EQ(0, CRegistryCleaner::RemoveBroken({ScratchPlace()}, CUninstallEntries::IsBroken, backup));
    EXPECT_EQ((std::vector<std::string>{"Gone App", "Gone Tool"}), SubkeyNames(HKEY_CURRENT_USER, m_scratch.Path(), 0));
    EXPECT_TRUE(backup.FilePath().IsEmpty());
    EXPECT_FALSE(m_sandbox.IsListed("Not a folder.new"));
}

// Single values of a list go the same way: the file of the run grows with each commit.
TEST_F(RegistryCleaner, ValuesAndLaterCommitsGoToTheSameFile)
{
    Seed(HKEY_CURRENT_USER, m_scratch.Path(), {{"MRU", {{"a", REG_SZ, "first \"one\""}, {"b", REG_SZ, "second"}, {"MRUList", REG_SZ, "ab"}}}},
         m_sandbox.Path());
    CRegistryBackup backup(m_sandbox.Path());
    EXPECT_TRUE(backup.Commit()) << "nothing to write";
    EXPECT_TRUE(backup.FilePath().IsEmpty());
    EXPECT_FALSE(backup.AddValue(HKEY_CURRENT_USER, m_scratch.Below("MRU"), "missing"));
    EXPECT_FALSE(backup.AddKey(HKEY_CURRENT_USER, m_scratch.Below("Missing")));
    ASSERT_TRUE(backup.AddValue(HKEY_CURRENT_USER, m_scratch.Below("MRU"), "a"));
    ASSERT_TRUE(backup.Commit());
    const CString file = backup.FilePath();
    ASSERT_TRUE(backup.AddValue(HKEY_CURRENT_USER, m_scratch.Below("MRU"), "b"));
    ASSERT_TRUE(backup.Commit());
    EXPECT_EQ(file, backup.FilePath());
    const std::string section = "[HKEY_CURRENT_USER\\" + m_scratch.Below("MRU").Str() + "]\r\n";
    EXPECT_EQ("REGEDIT4\r\n\r\n" + section + "\"a\"=\"first \\\"one\\\"\"\r\n\r\n" + section + "\"b\"=\"second\"\r\n\r\n",
              FileText(file));
}

using Wow64RedirectionFn = BOOL(WINAPI*)(PVOID*);
using Wow64RevertFn = BOOL(WINAPI*)(PVOID);

// Runs act with the file system's redirection of the system folder turned off for this thread,
// so that it sees the folder 64-bit programs see; false when it cannot be turned off.
template <typename Act>
bool InNativeSystemFolder(Act act)
{
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const auto disable = reinterpret_cast<Wow64RedirectionFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    const auto revert = reinterpret_cast<Wow64RevertFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
    PVOID previous = nullptr;
    if (!disable || !revert || !disable(&previous))
        return false;
    const bool done = act();
    revert(previous);
    return done;
}

// 64-bit programs and this 32-bit one each see their own system folder under one name.
TEST(ProgramProbe, LooksInTheSystemFolderThatThePathsReadersSee)
{
    if (!CRegistryViews::IsWow64System())
        GTEST_SKIP() << "one system folder on 32-bit Windows";
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const CString only64 = CString(windows) + "\\system32\\DustoraProbe64.dll";
    const CString only32 = CString(windows) + "\\system32\\DustoraProbe32.dll";
    const CString gone = "%SystemRoot%\\system32\\DustoraProbeGone.dll";
    ASSERT_TRUE(InNativeSystemFolder([&] {
        return static_cast<bool>(UniqueFile(::CreateFileA(only64, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    }));
    ASSERT_TRUE(UniqueFile(::CreateFileA(only32, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    const struct {
        PathReaders readers;
        const CString& file;
        bool missing;
    } cases[] = {
        {PathReaders::k64Bit, only64, false}, {PathReaders::k64Bit, only32, true},
        {PathReaders::kThisKind, only64, true}, {PathReaders::kThisKind, only32, false},
        {PathReaders::kEither, only64, false}, {PathReaders::kEither, only32, false},
        // %ProgramFiles% and the like differ between the two kinds: expanded only for this one.
        {PathReaders::kThisKind, gone, true}, {PathReaders::k64Bit, gone, false}, {PathReaders::kEither, gone, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.GetString());
        SCOPED_TRACE(static_cast<int>(c.readers));
        const std::string path = c.file.Str();
        EXPECT_EQ(c.missing, CProgramProbe(c.readers).IsFileMissing(std::wstring(path.begin(), path.end())));
    }
    EXPECT_TRUE(InNativeSystemFolder([&] { return ::DeleteFileA(only64) != FALSE; }));
    EXPECT_TRUE(::DeleteFileA(only32));
}

TEST(RegistryBackupName, IsTheDateAndTimeOfTheRun)
{
    SYSTEMTIME time = {};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 8;
    time.wHour = 9;
    time.wMinute = 5;
    time.wSecond = 3;
    EXPECT_STREQ("2026-12-08 09-05-03.reg", CRegistryBackup::FileNameFor(time));
    char appData[MAX_PATH] = "";
    ASSERT_EQ(S_OK, ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData));
    EXPECT_EQ(CString(appData) + "\\Halvex\\Dustora\\Backups", CRegistryBackup::DefaultFolder());
}

DWORD RegisterServer(const CString& dll)
{
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    return RunProgram(CString("\"") + windows + "\\syswow64\\regsvr32.exe\" /s \"" + dll + "\"");
}

// The classes of the system's lists whose in-process server is this file, as place\\name.
std::set<std::string> ClassesServedBy(const CString& dll)
{
    std::set<std::string> classes;
    for (const RegistryPlace& place : CComEntries::Places(CRegistryViews::IsWow64System())) {
        for (const std::string& name : SubkeyNames(place.root, place.path, place.view)) {
            UniqueKey server;
            if (::RegOpenKeyExA(place.root, place.path + "\\" + name.c_str() + "\\InprocServer32", 0,
                                KEY_READ | place.view, server.receive()) == ERROR_SUCCESS &&
                CString(ReadTextValue(server.get(), "")).CompareNoCase(dll) == 0)
                classes.insert(place.path.Str() + "\\" + name);
        }
    }
    return classes;
}

std::set<std::string> BrokenClasses()
{
    std::set<std::string> broken;
    for (const RegistryPlace& place : CComEntries::Places(CRegistryViews::IsWow64System())) {
        for (const std::string& name : BrokenNames(place, CComEntries::IsBroken))
            broken.insert(place.path.Str() + "\\" + name);
    }
    return broken;
}

// regsvr32 of a copy of one of Wine's DLLs on E: moves its class there: kept while the copy is
// there, broken once it is gone; registering Wine's own again puts the prefix back.
TEST_F(RegistryCleaner, AClassRegisteredWithRegsvr32StaysWhileItsDllIsThere)
{
    if (!CRegistryViews::IsWow64System())
        GTEST_SKIP() << "the 32-bit regsvr32 lives in syswow64";
    const NamedLock lock(kRealPlacesLock);
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    const CString copy = m_sandbox.Below("dswave.dll");
    ASSERT_TRUE(::CopyFileA(CString(windows) + "\\syswow64\\dswave.dll", copy, FALSE));
    ASSERT_EQ(0u, RegisterServer(copy));
    const std::set<std::string> classes = ClassesServedBy(copy);
    ASSERT_EQ(1u, classes.size());
    const std::set<std::string> whileThere = BrokenClasses();
    ASSERT_TRUE(::DeleteFileA(copy));
    const std::set<std::string> whenGone = BrokenClasses();
    EXPECT_EQ(0u, RegisterServer(CString(windows) + "\\system32\\dswave.dll"));
    EXPECT_EQ(std::set<std::string>{}, whileThere);
    EXPECT_EQ(classes, whenGone);
    EXPECT_EQ(std::set<std::string>{}, BrokenClasses());
}

}  // namespace
