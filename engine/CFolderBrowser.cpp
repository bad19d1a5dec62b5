#include "engine/CFolderBrowser.h"

#include "framework/CComInterface.h"

#include <shlobj.h>


namespace {

const int kNameBufferSize = MAX_PATH;

// An item list allocated by the shell, freed through the shell's allocator.
class CShellItemList {
public:
    explicit CShellItemList(IMalloc* allocator) : m_allocator(allocator) {}
    ~CShellItemList() { if (m_list) m_allocator->Free(m_list); }
    CShellItemList(const CShellItemList&) = delete;
    CShellItemList& operator=(const CShellItemList&) = delete;

    ITEMIDLIST** Receive() { return &m_list; }
    void Reset(ITEMIDLIST* list) { m_list = list; }
    ITEMIDLIST* Get() const { return m_list; }

private:
    IMalloc* m_allocator;
    ITEMIDLIST* m_list = nullptr;
};

bool ParseFolder(const CString& folder, CShellItemList& list)
{
    CComInterface<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Receive())) || !desktop)
        return true;   // without the desktop folder the picker opens without a root
    WCHAR wide[kNameBufferSize] = L"";
    ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, folder, -1, wide, kNameBufferSize);
    ULONG eaten = 0;
    return SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, &eaten, list.Receive(), nullptr));
}

}  // namespace

int CFolderBrowser::Browse()
{
    CComInterface<IMalloc> allocator;
    if (FAILED(::SHGetMalloc(allocator.Receive())) || !allocator)
        return 0;

    CShellItemList root(allocator.Get());
    if (!m_Root.IsEmpty() && !ParseFolder(m_Root, root))
        return 0;

    char displayName[kNameBufferSize + 1] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = nullptr;
    info.pidlRoot = root.Get();
    info.pszDisplayName = displayName;
    info.lpszTitle = m_Title.IsEmpty() ? "Open" : m_Title.GetString();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    CShellItemList chosen(allocator.Get());
    chosen.Reset(::SHBrowseForFolderA(&info));
    if (!chosen.Get())
        return 0;

    m_Path = displayName;
    m_Image = info.iImage;
    char path[kNameBufferSize + 1] = "";
    if (!::SHGetPathFromIDListA(chosen.Get(), path))
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
