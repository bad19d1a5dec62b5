// ScratchRegistryKey: a key of one test's own under HKEY_CURRENT_USER\Software\DustoraTests,
// named after the running test, made empty and deleted with its whole tree at the end. Links made
// in it must lead inside it: the platform's tree deletion follows them.
// RawRegistryValue / ReadRawValue / WriteRawValue: the bytes of a value, straight from the platform;
// ReadTextValue: the text of one.
// DeleteRegistryTree: a key and everything below it.
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <string>
#include <vector>

class ScratchRegistryKey {
public:
    ScratchRegistryKey();
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // The key's path under HKEY_CURRENT_USER, and the path of a key below it.
    const CString& Path() const { return m_path; }
    CString Below(const char* relative) const { return m_path + "\\" + relative; }
    HKEY Handle() const { return m_key; }

    void CreateKey(const char* relative) const;
    // A registry link at relative leading to the key at targetRelative (which need not exist).
    void CreateLink(const char* relative, const char* targetRelative) const;
    // A link at relative counts as itself, whether or not its target exists.
    bool KeyExists(const char* relative) const;

private:
    CString m_path;
    HKEY m_key = nullptr;
};

struct RawRegistryValue {
    LONG code = 0;
    DWORD type = 0xdeadbeef;
    std::vector<BYTE> data;
};

// Deletes a key with everything below it; the platform's code.
LONG DeleteRegistryTree(HKEY parent, const char* path);

RawRegistryValue ReadRawValue(HKEY key, const char* name);
void WriteRawValue(HKEY key, const char* name, DWORD type, const std::vector<BYTE>& data);
// The text of a REG_SZ value; "(none)" when there is no such value, "(not text)" for another type.
std::string ReadTextValue(HKEY key, const char* name);
