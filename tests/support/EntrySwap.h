// EntrySwap: replaces one entry by a Unix symbolic link at the moment the engine opens it, that
// is between the walk's listing and the deletion, as someone racing the cleaner would.
#pragma once

#include "engine/CEntryHandle.h"
#include "support/SandboxFolder.h"

#include <string>

class EntrySwap {
public:
    // entry: the entry's literal path; linkText: the link's Unix text (relative to its folder);
    // leadsTo: the literal path the link reaches.
    EntrySwap(const std::wstring& entry, const char* linkText, const std::wstring& leadsTo)
    {
        s_entry = entry;
        s_linkText = linkText;
        s_leadsTo = leadsTo;
        s_swapped = false;
        m_previous = CEntryHandle::SetOpenHook(Swap);
    }
    ~EntrySwap() { CEntryHandle::SetOpenHook(m_previous); }
    EntrySwap(const EntrySwap&) = delete;
    EntrySwap& operator=(const EntrySwap&) = delete;

    static bool Swapped() { return s_swapped; }

private:
    static std::wstring FinalPathOf(const std::wstring& path)
    {
        const UniqueFile handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return handle ? CEntryHandle::FinalPathOf(handle.get()) : std::wstring();
    }

    static void Swap(const std::wstring& literalPath)
    {
        if (s_swapped || literalPath != s_entry)
            return;
        std::string narrow(s_entry.begin() + 4, s_entry.end());   // the test's names are ASCII
        const CString unixPath = UnixPathOf(narrow.c_str());
        s_swapped = StartUnixProgram("/bin/ln", {"-sfn", s_linkText, unixPath}) &&
                    WaitUntil([] { return FinalPathOf(s_entry) == s_leadsTo; });
    }

    static inline std::wstring s_entry;
    static inline std::string s_linkText;
    static inline std::wstring s_leadsTo;
    static inline bool s_swapped = false;
    CEntryHandle::OpenHook m_previous = nullptr;
};
