// ErasureBackup: while it lives, the registry eraser writes what it removes to a backup of the
// test's own, in a sandbox folder on C:; the eraser removes nothing without one.
#pragma once

#include "engine/CRegistryEraser.h"
#include "registry/CRegistryBackup.h"

#include "support/SandboxFolder.h"

#include <fstream>
#include <sstream>
#include <string>

class ErasureBackup {
public:
    ErasureBackup() : m_previous(CRegistryEraser::SetBackup(&backup)) {}
    ~ErasureBackup() { CRegistryEraser::SetBackup(m_previous); }
    ErasureBackup(const ErasureBackup&) = delete;
    ErasureBackup& operator=(const ErasureBackup&) = delete;

    // The backup file's text, empty while nothing was written.
    std::string Text() const
    {
        std::ifstream file(backup.FilePath().GetString(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // Whether the file holds the value name of HKEY_CURRENT_USER\keyPath, in a section of that key.
    bool HoldsValue(const CString& keyPath, const char* name) const
    {
        const std::string text = Text();
        const std::string header = "[HKEY_CURRENT_USER\\" + std::string(keyPath.GetString()) + "]";
        for (size_t section = text.find(header); section != std::string::npos; section = text.find(header, section + 1)) {
            const size_t next = text.find("\n[", section + 1);
            const size_t line = text.find("\n\"" + std::string(name) + "\"=", section);
            if (line != std::string::npos && line < next)
                return true;
        }
        return false;
    }

    SandboxFolder folder{'C'};   // not the test's own E: folder, which it would empty
    CRegistryBackup backup{folder.Below("Backups")};

private:
    CRegistryBackup* m_previous;
};
