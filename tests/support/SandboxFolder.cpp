#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

CString CurrentTestName()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "_" + test->name() : "NoTest";
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    }
    return CString(name);
}

CString Quoted(const CString& argument)
{
    return "\"" + argument + "\"";
}

bool EntryListed(const CString& path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(search);
    return true;
}

}  // namespace

// Only paths inside the sandbox run folder are ever handed to a Unix program or made a drive.
bool IsInsideSandbox(const CString& unixPath)
{
    const char* root = std::getenv("SANDBOX_ROOT");
    if (!root || !*root)
        return false;
    const CString prefix = CString(root) + "/";
    return unixPath.GetLength() > prefix.GetLength() && unixPath.Left(prefix.GetLength()) == prefix &&
           unixPath.Find("/..") < 0;
}

CString UnixPathOf(const char* windowsPath)
{
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameFn>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!unixName)
        return CString();
    WCHAR wide[MAX_PATH];
    if (!::MultiByteToWideChar(CP_ACP, 0, windowsPath, -1, wide, MAX_PATH))
        return CString();
    char* name = unixName(wide);
    if (!name)
        return CString();
    const CString result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

BOOL StartUnixProgram(const char* program, const std::vector<CString>& arguments)
{
    CString commandLine = Quoted(CString("\\\\?\\unix") + program);
    commandLine.Replace("/", "\\");
    for (const CString& argument : arguments)
        commandLine += " " + Quoted(argument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    CString writable(commandLine);
    if (!::CreateProcessA(nullptr, writable.GetBuffer(writable.GetLength()), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return FALSE;
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    return TRUE;
}

SandboxFolder::SandboxFolder() : SandboxFolder('E') {}

SandboxFolder::SandboxFolder(char drive) : m_path(CString(drive) + ":\\" + CurrentTestName())
{
    RemoveTree();
    EXPECT_TRUE(::CreateDirectoryA(m_path, nullptr)) << m_path.GetString() << " error " << ::GetLastError();
}

SandboxFolder::~SandboxFolder()
{
    RemoveTree();
    EXPECT_FALSE(EntryListed(m_path)) << m_path.GetString() << " was not removed";
}

void SandboxFolder::RemoveTree() const
{
    if (!EntryListed(m_path))
        return;
    const CString unixPath = UnixPathOf(m_path);
    if (!IsInsideSandbox(unixPath)) {
        ADD_FAILURE() << "not removing " << unixPath.GetString() << ": outside the sandbox";
        return;
    }
    // rm neither follows links nor minds read-only files; Wine's own calls would do both.
    ASSERT_TRUE(StartUnixProgram("/bin/rm", {"-rf", unixPath}));
    EXPECT_TRUE(WaitUntil([&] { return !EntryListed(m_path); })) << m_path.GetString();
}

void SandboxFolder::MakeFolder(const char* relative) const
{
    const CString path = Below(relative);
    for (int at = m_path.GetLength() + 1; at <= path.GetLength(); ++at) {
        if (at == path.GetLength() || path.GetAt(at) == '\\')
            ::CreateDirectoryA(path.Left(at), nullptr);
    }
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path)) << path.GetString();
}

void SandboxFolder::MakeFile(const char* relative, const char* text) const
{
    const CString path = Below(relative);
    const int separator = path.ReverseFind('\\');
    if (separator > m_path.GetLength())
        MakeFolder(path.Mid(m_path.GetLength() + 1, separator - m_path.GetLength() - 1));
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path.GetString() << " error " << ::GetLastError();
    DWORD written = 0;
    ::WriteFile(file, text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
    ::CloseHandle(file);
}

void SandboxFolder::MakeUnixLink(const char* relative, const char* target) const
{
    const CString linkPath = Below(relative);
    const int separator = linkPath.ReverseFind('\\');
    const CString unixFolder = UnixPathOf(linkPath.Left(separator));
    ASSERT_TRUE(IsInsideSandbox(unixFolder)) << unixFolder.GetString();
    ASSERT_TRUE(CString(target).Find('\\') < 0) << "a link's text is a Unix path: " << target;
    const CString unixLink = unixFolder + "/" + linkPath.Mid(separator + 1);
    ASSERT_TRUE(StartUnixProgram("/bin/ln", {"-s", target, unixLink}));
    ASSERT_TRUE(WaitUntil([&] { return EntryListed(linkPath); })) << "no link " << linkPath.GetString();
}

bool SandboxFolder::IsListed(const char* relative) const
{
    return EntryListed(Below(relative));
}
