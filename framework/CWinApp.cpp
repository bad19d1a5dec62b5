#include "CWinApp.h"

#include "CWnd.h"
#include "UniqueHandle.h"

#include <cstdlib>
#include <cstring>

namespace {

CWinApp* g_app = nullptr;

CString ExecutableBaseName()
{
    CString name = ProgramPathOfModule();
    const int slash = name.ReverseFind('\\') > name.ReverseFind('/') ? name.ReverseFind('\\') : name.ReverseFind('/');
    name = name.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

}  // namespace

CWinApp::CWinApp()
{
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_pszAppName = ExecutableBaseName();
    m_lpCmdLine = CommandLineAfterProgramName(::GetCommandLineA());
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

CString ProgramPathOfModule()
{
    char path[1024] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    return CString(path);
}

CString ProgramFolderOfModule()
{
    const CString path = ProgramPathOfModule();
    char drive[_MAX_DRIVE] = "";
    char folder[_MAX_DIR] = "";
    _splitpath(path, drive, folder, nullptr, nullptr);
    CString result = CString(drive) + folder;
    if (result.Last() != '\\')
        result += '\\';
    return result;
}

CString CommandLineAfterProgramName(const char* commandLine)
{
    const char* p = commandLine ? commandLine : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return CString(p);
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    if (CWnd::WalkPreTranslateTree(msg))
        return TRUE;
    const HWND top = AfxTopLevelOf(msg->hwnd);
    const HWND main = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    return main && top != main && m_pMainWnd->PreTranslateMessage(msg);
}

void CWinApp::SetRegistryKey(const char* company)
{
    m_pszRegistryKey = company;
}

// Opens (creating when missing) Software\<key>\<app>\<section>; reads create the keys too.
HKEY CWinApp::OpenSectionKey(const char* section)
{
    if (m_pszRegistryKey.IsEmpty() || !section)
        return nullptr;
    const CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszAppName + "\\" + section;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    UniqueKey key(OpenSectionKey(section));
    if (!key.get())
        return static_cast<UINT>(defaultValue);
    DWORD value = 0;
    DWORD size = sizeof(value);
    // The value's type plays no part: whatever fits in four bytes is the setting.
    if (::RegQueryValueExA(key.get(), entry, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return static_cast<UINT>(defaultValue);
    return value;
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    const CString fallback(defaultValue);
    UniqueKey key(OpenSectionKey(section));
    if (!key.get())
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    CString text;
    char* buffer = text.GetBuffer(static_cast<int>(size) + 1);
    if (::RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return fallback;
    buffer[size] = '\0';
    text.ReleaseBuffer();
    return text;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    UniqueKey key(OpenSectionKey(section));
    if (!key.get() || !entry)
        return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    UniqueKey key(OpenSectionKey(section));
    if (!key.get() || !entry)
        return FALSE;
    if (!value)
        return ::RegDeleteValueA(key.get(), entry) == ERROR_SUCCESS;
    return ::RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
