// CProgramProbe: tells whether the program a registry entry names is provably gone. It reads a
// command line or a server path as Windows would start or load it, and answers "missing" only
// when every file that text could mean is given by an absolute path on a fixed local drive that
// is there, and none of those files exists. Whatever it cannot be sure of counts as present:
// a bare file name (found through the search path), a relative path, an environment reference
// that does not expand, another kind of drive, a drive that is not there, wildcards, a string
// that does not parse, an answer of the file system other than "not found".
#pragma once

#include "registry/CRegistryViews.h"

#include <windows.h>

#include <string>

class CProgramProbe {
public:
    // For paths that 64-bit programs read while this process is 32-bit, each file is looked
    // for with the file system's redirection of the system folder turned off; where it cannot
    // be turned off, nothing is judged missing. Paths read by either kind must be missing both
    // ways. Only paths read by programs of this process's kind have their environment
    // references expanded; elsewhere a reference makes the path undecided.
    explicit CProgramProbe(PathReaders readers);

    // A command line: the program it starts (unquoted, each way of splitting it at a blank),
    // and for rundll32 the DLL its first argument names. A Windows Installer command (msiexec)
    // is never missing.
    bool IsCommandMissing(const std::wstring& command) const;
    // One path, after expansion of its environment references; without an extension also with
    // ".exe" and ".dll" added, as process start and library loading try them.
    bool IsFileMissing(const std::wstring& path) const;

private:
    bool ExpandsAsItsReadersSee(const std::wstring& text, std::wstring& expanded) const;
    bool IsExpandedCommandMissing(const std::wstring& command) const;
    bool AreAllSplitsMissing(const std::wstring& text) const;
    bool IsOneFileMissing(const std::wstring& path) const;

    PathReaders m_readers;
};
