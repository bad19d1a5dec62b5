#include "engine/CProgramProbe.h"

#include <vector>

namespace {

using DisableRedirectionFn = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFn = BOOL(WINAPI*)(PVOID);

constexpr DWORD kMostExpandedLength = 32767;

// Turns the file system's redirection of the system folder off for this thread while it lives.
// Only attribute queries run under it: a library loaded meanwhile would come from the wrong
// folder.
class RedirectionOff {
public:
    RedirectionOff()
    {
        HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
        const auto disable = reinterpret_cast<DisableRedirectionFn>(reinterpret_cast<void*>(
            kernel ? ::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection") : nullptr));
        m_revert = reinterpret_cast<RevertRedirectionFn>(reinterpret_cast<void*>(
            kernel ? ::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection") : nullptr));
        m_off = disable && m_revert && disable(&m_previous);
    }
    ~RedirectionOff()
    {
        if (m_off)
            m_revert(m_previous);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;
    bool IsOff() const { return m_off; }

private:
    RevertRedirectionFn m_revert = nullptr;
    PVOID m_previous = nullptr;
    bool m_off = false;
};

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t first = 0;
    size_t end = text.size();
    while (first < end && IsBlank(text[first]))
        ++first;
    while (end > first && IsBlank(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

std::wstring AsciiLower(std::wstring text)
{
    for (wchar_t& ch : text) {
        if (ch >= L'A' && ch <= L'Z')
            ch = static_cast<wchar_t>(ch - L'A' + L'a');
    }
    return text;
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

bool NameIsOneOf(const std::wstring& path, const wchar_t* bare, const wchar_t* withExtension)
{
    const std::wstring name = AsciiLower(FileNameOf(path));
    return name == bare || name == withExtension;
}

// The text with its environment references expanded; false when one stays unexpanded.
bool Expand(const std::wstring& text, std::wstring& expanded)
{
    std::vector<wchar_t> buffer(text.size() + MAX_PATH);
    DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed > buffer.size() && needed <= kMostExpandedLength) {
        buffer.resize(needed);
        needed = ::ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (needed == 0 || needed > buffer.size())
        return false;
    expanded = buffer.data();
    return expanded.find(L'%') == std::wstring::npos;
}

bool IsAbsoluteDrivePath(const std::wstring& path)
{
    const wchar_t letter = path.size() >= 3 ? path[0] : 0;
    return ((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z')) && path[1] == L':' &&
           path[2] == L'\\';
}

bool IsPresentFixedDrive(const std::wstring& path)
{
    const std::wstring root = path.substr(0, 3);
    return ::GetDriveTypeW(root.c_str()) == DRIVE_FIXED && ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Not found, a folder on the way not found, or a name no file can have.
bool AnswersNotThere(const std::wstring& path)
{
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

bool NoneThere(const std::vector<std::wstring>& paths)
{
    for (const std::wstring& path : paths) {
        if (!AnswersNotThere(path))
            return false;
    }
    return true;
}

// The text inside the quotes that open it, and what follows; false without a closing quote.
bool SplitQuoted(const std::wstring& text, std::wstring& inside, std::wstring& rest)
{
    const size_t closing = text.find(L'"', 1);
    if (closing == std::wstring::npos)
        return false;
    inside = text.substr(1, closing - 1);
    rest = text.substr(closing + 1);
    return true;
}

}  // namespace

CProgramProbe::CProgramProbe(PathReaders readers) : m_readers(readers)
{
}

bool CProgramProbe::IsCommandMissing(const std::wstring& command) const
{
    std::wstring expanded;
    return ExpandsAsItsReadersSee(command, expanded) && IsExpandedCommandMissing(Trimmed(expanded));
}

bool CProgramProbe::IsFileMissing(const std::wstring& path) const
{
    std::wstring expanded;
    return ExpandsAsItsReadersSee(path, expanded) && IsOneFileMissing(Trimmed(expanded));
}

// This process's environment is a 32-bit program's: %ProgramFiles% names "Program Files (x86)"
// here. A reference in a path that other programs read is therefore not expanded at all.
bool CProgramProbe::ExpandsAsItsReadersSee(const std::wstring& text, std::wstring& expanded) const
{
    if (m_readers != PathReaders::kThisKind && text.find(L'%') != std::wstring::npos)
        return false;
    return Expand(text, expanded);
}

bool CProgramProbe::IsExpandedCommandMissing(const std::wstring& command) const
{
    if (command.empty())
        return false;
    std::wstring program;
    std::wstring rest;
    const bool quoted = command[0] == L'"';
    if (quoted) {
        if (!SplitQuoted(command, program, rest))
            return false;
    } else {
        const size_t blank = command.find_first_of(L" \t");
        program = command.substr(0, blank);
        rest = blank == std::wstring::npos ? std::wstring() : command.substr(blank);
    }
    if (NameIsOneOf(program, L"msiexec", L"msiexec.exe"))
        return false;
    if (NameIsOneOf(program, L"rundll32", L"rundll32.exe")) {
        // rundll32 DLL,Entry arguments: the DLL is what counts, the host program is Windows'.
        const std::wstring argument = Trimmed(rest);
        if (!argument.empty() && argument[0] == L'"') {
            std::wstring library;
            return SplitQuoted(argument, library, rest) && IsOneFileMissing(Trimmed(library));
        }
        const size_t comma = argument.find(L',');
        return comma != std::wstring::npos && AreAllSplitsMissing(Trimmed(argument.substr(0, comma)));
    }
    return quoted ? IsOneFileMissing(Trimmed(program)) : AreAllSplitsMissing(command);
}

// An unquoted path with blanks is started by trying it cut at each blank in turn.
bool CProgramProbe::AreAllSplitsMissing(const std::wstring& text) const
{
    if (text.empty())
        return false;
    for (size_t blank = text.find_first_of(L" \t"); blank != std::wstring::npos;
         blank = text.find_first_of(L" \t", blank + 1)) {
        if (!IsOneFileMissing(text.substr(0, blank)))
            return false;
    }
    return IsOneFileMissing(text);
}

bool CProgramProbe::IsOneFileMissing(const std::wstring& path) const
{
    if (!IsAbsoluteDrivePath(path) || path.find_first_of(L"?*") != std::wstring::npos || !IsPresentFixedDrive(path))
        return false;
    std::vector<std::wstring> candidates{path};
    if (FileNameOf(path).find(L'.') == std::wstring::npos) {
        candidates.push_back(path + L".exe");
        candidates.push_back(path + L".dll");
    }
    if (m_readers != PathReaders::k64Bit && !NoneThere(candidates))
        return false;
    if (m_readers == PathReaders::kThisKind)
        return true;
    const RedirectionOff redirection;
    return redirection.IsOff() && NoneThere(candidates);
}
