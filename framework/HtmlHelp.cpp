#include "HtmlHelp.h"

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// Looked up once. The library is never freed: the viewer's windows run on its code for as long
// as the program lives.
HtmlHelpFn Viewer()
{
    static const HMODULE library = ::LoadLibraryA("hhctrl.ocx");
    static const HtmlHelpFn viewer =
        library ? reinterpret_cast<HtmlHelpFn>(::GetProcAddress(library, "HtmlHelpA")) : nullptr;
    return viewer;
}

}  // namespace

HWND AfxHtmlHelp(HWND caller, const char* path, UINT command, DWORD_PTR data)
{
    const HtmlHelpFn viewer = Viewer();
    return viewer ? viewer(caller, path, command, data) : nullptr;
}
