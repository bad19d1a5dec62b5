#include "engine/CFolderBrowser.h"

#include "framework/CComInterface.h"
#include "framework/UniqueHandle.h"

#include <shlobj.h>


namespace {

const int kNameBufferSize = MAX_PATH;

bool ParseFolder(const CString& folder, UniqueItemIdList& list)
{
    CComInterface<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Receive())) || !desktop)
        return true;   // without the desktop folder the picker opens without a root
    WCHAR wide[kNameBufferSize] = L"";
    ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, folder, -1, wide, kNameBufferSize);
    ULONG eaten = 0;
    return SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, &eaten, list.receive(), nullptr));
}

}  // namespace

int CFolderBrowser::Browse()
{
    // Without the shell's allocator the shell can hand out no item lists.
    CComInterface<IMalloc> allocator;
    if (FAILED(::SHGetMalloc(allocator.Receive())) || !allocator)
        return 0;

    UniqueItemIdList root;
    if (!m_Root.IsEmpty() && !ParseFolder(m_Root, root))
        return 0;

    char displayName[kNameBufferSize + 1] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = nullptr;
    info.pidlRoot = root.get();
    info.pszDisplayName = displayName;
    info.lpszTitle = m_Title.IsEmpty() ? "Open" : m_Title.GetString();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    const UniqueItemIdList chosen(::SHBrowseForFolderA(&info));
    if (!chosen)
        return 0;

    m_Path = displayName;
    m_Image = info.iImage;
    char path[kNameBufferSize + 1] = "";
    if (!::SHGetPathFromIDListA(chosen.get(), path))
        return 0;
    m_Path = path;
    return 1;
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data)
{
    const CFolderBrowser* browser = reinterpret_cast<const CFolderBrowser*>(data);
    if (message == BFFM_INITIALIZED && browser && !browser->m_InitialFolder.IsEmpty())
        ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(browser->m_InitialFolder.GetString()));
    return 0;
}
