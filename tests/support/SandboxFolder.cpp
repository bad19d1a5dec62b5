#include "support/SandboxFolder.h"

#include "framework/UniqueHandle.h"

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

std::wstring Wide(const CString& text)
{
    std::wstring wide(static_cast<size_t>(text.GetLength()), L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), &wide[0], text.GetLength());
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return wide;
}

// Listed under exactly this name, read literally: Wine's lookups ignore case, so "CASE.TXT"
// would find "case.txt" before a link of that name exists, and a plain "report." reads "report".
bool ListedExactly(const CString& path)
{
    const std::wstring literal = L"\\\\?\\" + Wide(path);
    const std::wstring name = literal.substr(literal.rfind(L'\\') + 1);
    WIN32_FIND_DATAW entry;
    const UniqueFind search(::FindFirstFileW(literal.c_str(), &entry));
    if (!search)
        return false;
    bool found = false;
    do {
        found = name == entry.cFileName;
    } while (!found && ::FindNextFileW(search.get(), &entry));
    return found;
}

bool LiteralExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeLiteralFolders(const std::wstring& path, size_t firstName)
{
    for (size_t at = firstName; at <= path.size(); ++at) {
        if (at == path.size() || path[at] == L'\\')
            ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
}

void MakeLiteralFileAt(const std::wstring& path, size_t firstName)
{
    MakeLiteralFolders(path.substr(0, path.rfind(L'\\')), firstName);
    const UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "error " << ::GetLastError();
    DWORD written = 0;
    ::WriteFile(file.get(), "sweep me", 8, &written, nullptr);
}

void RemoveUnixTree(const CString& unixPath, const std::wstring& windowsPath)
{
    if (!IsInsideSandbox(unixPath)) {
        ADD_FAILURE() << "not removing " << unixPath.GetString() << ": outside the sandbox";
        return;
    }
    ASSERT_TRUE(StartUnixProgram("/bin/rm", {"-rf", unixPath}));
    EXPECT_TRUE(WaitUntil([&] { return !LiteralExists(windowsPath); })) << unixPath.GetString();
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

// rm neither follows links nor minds read-only files; Wine's own calls would do both.
void SandboxFolder::RemoveTree() const
{
    if (EntryListed(m_path))
        RemoveUnixTree(UnixPathOf(m_path), LiteralBelow(L""));
}

std::wstring SandboxFolder::LiteralBelow(const std::wstring& relative) const
{
    const std::wstring base = L"\\\\?\\" + Wide(m_path);
    return relative.empty() ? base : base + L"\\" + relative;
}

void SandboxFolder::MakeLiteralFolder(const std::wstring& relative) const
{
    const std::wstring path = LiteralBelow(relative);
    MakeLiteralFolders(path, LiteralBelow(L"").size() + 1);
    ASSERT_TRUE(LiteralExists(path));
}

void SandboxFolder::MakeLiteralFile(const std::wstring& relative) const
{
    MakeLiteralFileAt(LiteralBelow(relative), LiteralBelow(L"").size() + 1);
}

bool SandboxFolder::IsLiteralListed(const std::wstring& relative) const
{
    return LiteralExists(LiteralBelow(relative));
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

std::string SandboxFolder::ReadFile(const char* relative) const
{
    const UniqueFile file(::CreateFileA(Below(relative), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "(missing)";
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
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
    ASSERT_TRUE(WaitUntil([&] { return ListedExactly(linkPath); })) << "no link " << linkPath.GetString();
}

bool SandboxFolder::IsListed(const char* relative) const
{
    return EntryListed(Below(relative));
}

void RemoveUnixEntry(const char* windowsPath)
{
    const CString unixPath = UnixPathOf(windowsPath);
    ASSERT_TRUE(IsInsideSandbox(unixPath)) << unixPath.GetString();
    ASSERT_TRUE(StartUnixProgram("/bin/rm", {"-f", unixPath}));
    EXPECT_TRUE(WaitUntil([&] { return !ListedExactly(windowsPath); })) << windowsPath;
}

OutsideFolder::OutsideFolder()
{
    const char* root = std::getenv("SANDBOX_ROOT");
    m_unixPath = CString(root ? root : "") + "/outside/" + CurrentTestName();
    // rm runs on its own: started for nothing, it could remove the folder made next.
    if (LiteralExists(LiteralBelow("")))
        RemoveUnixTree(m_unixPath, LiteralBelow(""));
    MakeLiteralFolders(LiteralBelow(""), std::wstring(L"\\\\?\\unix\\").size());
    EXPECT_TRUE(LiteralExists(LiteralBelow(""))) << m_unixPath.GetString();
}

OutsideFolder::~OutsideFolder()
{
    RemoveUnixTree(m_unixPath, LiteralBelow(""));
}

std::wstring OutsideFolder::LiteralBelow(const char* relative) const
{
    CString windows = m_unixPath;
    windows.Replace("/", "\\");
    if (*relative)
        windows += CString("\\") + relative;
    return L"\\\\?\\unix" + Wide(windows);
}

void OutsideFolder::MakeFile(const char* relative) const
{
    MakeLiteralFileAt(LiteralBelow(relative), std::wstring(L"\\\\?\\unix\\").size());
}

bool OutsideFolder::IsListed(const char* relative) const
{
    return LiteralExists(LiteralBelow(relative));
}
