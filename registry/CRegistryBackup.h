// CRegistryBackup: the file that undoes a run's registry removals. Every key and value a cleaner
// removes is first written, with its type and exact data, to one registry file of the run, in
// the form regedit imports ("REGEDIT4", ANSI text); "regedit /s FILE" puts it all back.
//
// How a cleaner removes entries:
//   1. AddKey (a key with everything below it) or AddValue (one named value of a key) for each
//      entry it is about to remove. Each reads the entry now; FALSE means it could not be read
//      or not written exactly (a name or value the file cannot carry): that entry must stay.
//   2. Commit. It writes the whole file again, everything committed earlier in the run and the
//      entries added since, to a new file beside the run's file and then puts it in its place;
//      TRUE only when all of it is on disk. The run's file is made by the run's first commit,
//      named after the date and time, in the folder given to the constructor (the folder and the
//      ones above it are made when missing).
//   3. Only after Commit answered TRUE, remove exactly the entries that were added. After FALSE
//      remove nothing: the entries added since the last commit are dropped either way, and no
//      other place is tried.
// One object serves a whole run, for every cleaner of it, so that a run leaves one file.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CRegistryBackup {
public:
    explicit CRegistryBackup(const CString& folder);
    CRegistryBackup(const CRegistryBackup&) = delete;
    CRegistryBackup& operator=(const CRegistryBackup&) = delete;

    // <application data>\Halvex\Dustora\Backups, or empty when the shell does not know the
    // application-data folder.
    static CString DefaultFolder();
    // The run's file name for a run that first wrote at this time: "2026-12-08 19-24-05.reg".
    static CString FileNameFor(const SYSTEMTIME& time);

    // A key under root (path relative to it; view is 0 or KEY_WOW64_64KEY) with its values and
    // every key below it.
    BOOL AddKey(HKEY root, const char* path, REGSAM view = 0);
    // One value of a key ("" or nullptr names the key's default value).
    BOOL AddValue(HKEY root, const char* path, const char* valueName, REGSAM view = 0);
    // Nothing added since the last commit: TRUE, and no file is touched.
    BOOL Commit();

    // The run's file once a commit has written it, else empty.
    const CString& FilePath() const { return m_filePath; }

private:
    static BOOL WriteWholeFile(const CString& path, const CString& text);
    CString ChooseFilePath() const;

    CString m_folder;
    CString m_filePath;
    CString m_committed;
    CString m_pending;
};
