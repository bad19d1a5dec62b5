#include "support/ShellShortcut.h"

#include "framework/CComInterface.h"

#include <shlobj.h>

#include <string>

bool MakeShellShortcut(const CString& at, const char* targetPath, int targetCsidl)
{
    CComInterface<IShellLinkA> link;
    CComInterface<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
        return false;
    ITEMIDLIST* item = nullptr;
    const bool targetSet = targetPath ? SUCCEEDED(link->SetPath(targetPath))
                                      : SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, targetCsidl, &item)) &&
                                            SUCCEEDED(link->SetIDList(item));
    ::CoTaskMemFree(item);
    const std::wstring wide(at.GetString(), at.GetString() + at.GetLength());
    return targetSet && SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) &&
           SUCCEEDED(file->Save(wide.c_str(), TRUE));
}
