// SandboxFolder: a folder of one test's own on the sandbox drive E:, named after the running
// test, made empty at the start and removed with everything below it at the end (links are
// removed as links, never followed).
// OutsideFolder: the same inside the sandbox but outside every drive, where Wine's final paths
// read "\\?\unix\...".
// UnixPathOf / StartUnixProgram / RemoveUnixEntry: the Unix side of the sandbox, for what Windows
// calls cannot do under Wine (making Unix symbolic links, removing a tree or a link without
// following links).
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

class SandboxFolder {
public:
    SandboxFolder();
    // The same on another sandbox drive: "<drive>:\<Suite>_<Test>".
    explicit SandboxFolder(char drive);
    ~SandboxFolder();
    SandboxFolder(const SandboxFolder&) = delete;
    SandboxFolder& operator=(const SandboxFolder&) = delete;

    // "E:\<Suite>_<Test>" (or on the drive given), without a trailing separator, and the path
    // of something below it.
    const CString& Path() const { return m_path; }
    CString Below(const char* relative) const { return m_path + "\\" + relative; }

    // Creates the folder and any missing folders above it.
    void MakeFolder(const char* relative) const;
    // Creates or replaces a file (and its folders) holding text.
    void MakeFile(const char* relative, const char* text = "sweep me") const;
    // What a file holds; "(missing)" when it cannot be opened.
    std::string ReadFile(const char* relative) const;
    // A Unix symbolic link at relative whose text is target, read relative to the link's folder.
    void MakeUnixLink(const char* relative, const char* target) const;

    // The same by wide names through "\\?\": names exactly as given (trailing dots, characters
    // the ANSI code page lacks), at any length.
    std::wstring LiteralBelow(const std::wstring& relative) const;
    void MakeLiteralFolder(const std::wstring& relative) const;
    void MakeLiteralFile(const std::wstring& relative) const;
    bool IsLiteralListed(const std::wstring& relative) const;

    // Whether a listing of its folder shows the entry (a link is shown as itself).
    bool IsListed(const char* relative) const;
    DWORD Attributes(const char* relative) const { return ::GetFileAttributesA(Below(relative)); }

private:
    void RemoveTree() const;

    CString m_path;
};

class OutsideFolder {
public:
    OutsideFolder();
    ~OutsideFolder();
    OutsideFolder(const OutsideFolder&) = delete;
    OutsideFolder& operator=(const OutsideFolder&) = delete;

    // "<sandbox>/outside/<Suite>_<Test>", and the path Windows reaches it by.
    const CString& UnixPath() const { return m_unixPath; }
    std::wstring LiteralBelow(const char* relative) const;
    void MakeFile(const char* relative) const;
    bool IsListed(const char* relative) const;

private:
    CString m_unixPath;
};

// The Unix path Wine maps a Windows path to, or empty.
CString UnixPathOf(const char* windowsPath);

// Removes one entry (a link as a link) from the Unix side and waits until it is gone.
void RemoveUnixEntry(const char* windowsPath);

// Whether a Unix path lies inside the sandbox's run folder ($SANDBOX_ROOT).
bool IsInsideSandbox(const CString& unixPath);

// Starts a host program by its Unix path; Wine gives no way to wait for it, so callers poll for
// its effect. FALSE when it could not be started.
BOOL StartUnixProgram(const char* program, const std::vector<CString>& arguments);

// Polls condition every 10 ms for up to five seconds; the last answer.
template <typename Condition>
bool WaitUntil(Condition condition)
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (condition())
            return true;
        ::Sleep(10);
    }
    return condition();
}
