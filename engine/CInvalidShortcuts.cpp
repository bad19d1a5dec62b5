#include "engine/CInvalidShortcuts.h"

#include "engine/CDocumentHistory.h"
#include "engine/CEntryHandle.h"
#include "engine/CTreeWalker.h"
#include "engine/PathParts.h"
#include "framework/CComInterface.h"

#include <shlobj.h>

#include <string>

namespace {

std::wstring WideOf(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

CString ExpandedPath(const char* raw)
{
    char expanded[MAX_PATH] = "";
    const DWORD length = ::ExpandEnvironmentStringsA(raw, expanded, MAX_PATH);
    // A reference the environment cannot fill leaves a '%': no path to judge.
    if (length == 0 || length > MAX_PATH || CString(expanded).Find('%') >= 0)
        return CString();
    return CString(expanded);
}

bool IsDriveLetterPath(const CString& path)
{
    const char letter = path.GetLength() >= 3 ? path.GetAt(0) : '\0';
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path.GetAt(1) == ':' &&
           path.GetAt(2) == '\\';
}

class InvalidShortcutDeleter : public CTreeWalker::Visitor {
public:
    bool OnFile(const CTreeWalker::Folder& folder, const ListedEntry& entry, const CString& ansiName) override
    {
        if (CDocumentHistory::IsShortcutName(ansiName) &&
            CInvalidShortcuts::IsMissingOnFixedDrive(CInvalidShortcuts::TargetOf(folder.path + ansiName)) &&
            CEntryHandle::DeleteListedFile(folder.handle, entry) == CEntryHandle::kDeleted)
            ++deleted;
        return true;
    }

    int deleted = 0;
};

}  // namespace

CString CInvalidShortcuts::TargetOf(const char* shortcutPath)
{
    CComInterface<IShellLinkA> link;
    CComInterface<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
        FAILED(file->Load(WideOf(shortcutPath).c_str(), STGM_READ)))
        return CString();
    char raw[MAX_PATH] = "";
    WIN32_FIND_DATAA found = {};
    // The path as stored: nothing is searched for, and a shell item without one gives none.
    if (link->GetPath(raw, MAX_PATH, &found, SLGP_RAWPATH) != S_OK || !raw[0])
        return CString();
    return ExpandedPath(raw);
}

bool CInvalidShortcuts::IsMissingOnFixedDrive(const CString& target)
{
    if (!IsDriveLetterPath(target))
        return false;
    const CString root = target.Left(3);
    if (::GetDriveTypeA(root) != DRIVE_FIXED || ::GetFileAttributesA(root) == INVALID_FILE_ATTRIBUTES)
        return false;
    if (::GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES)
        return false;
    // Only "not there" counts; a target that cannot be asked about (access denied) stays valid.
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

int CInvalidShortcuts::DeleteFrom(const char* folder)
{
    if (!folder || !IsAbsolutePath(folder))
        return 0;
    CString root(folder);
    EnsureTrailingSeparator(root, '\\');
    InvalidShortcutDeleter deleter;
    CTreeWalker::Walk(root, '\\', 0, deleter);
    return deleter.deleted;
}
