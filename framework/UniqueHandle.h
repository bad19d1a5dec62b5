// Owners of the platform's handles, each releasing its handle when it goes:
//   UniqueResource<Traits>  the owner; Traits names the handle type, the value that means
//                           "nothing" and how to release. Move-only; true means "holds one".
//   UniqueHandle    kernel objects that a failed call returns as null (mutex, job, process)
//   UniqueFile      CreateFileA results (INVALID_HANDLE_VALUE on failure)
//   UniqueFind      FindFirstFileA/W searches (INVALID_HANDLE_VALUE on failure)
//   UniqueKey       registry keys opened or created by the program (never a predefined root)
//   UniqueLibrary   LoadLibraryA modules
//   UniqueGdiObject bitmaps, brushes, fonts, pens and regions (DeleteObject)
//   UniqueIcon      icons and cursors made by the program (DestroyIcon)
//   UniqueMenu      menus loaded by the program (DestroyMenu)
//   UniqueItemIdList item-id lists the shell allocates (the COM task allocator, which is the
//                   shell's own from Windows 2000 on)
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <cassert>

template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : m_handle(handle) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : m_handle(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Invalid(); }

    // Gives the handle up without releasing it.
    Handle release()
    {
        const Handle handle = m_handle;
        m_handle = Traits::Invalid();
        return handle;
    }
    void reset(Handle handle = Traits::Invalid())
    {
        assert((handle == Traits::Invalid() || handle != m_handle) &&
               "an owner given the handle it holds would release it and keep it");
        if (m_handle != Traits::Invalid())
            Traits::Release(m_handle);
        m_handle = handle;
    }
    // The place where a call stores a new handle (RegOpenKeyExA and the like); the one held
    // before is released first.
    Handle* receive()
    {
        reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

template <typename H, void (*ReleaseFn)(H)>
struct NullInvalidTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Release(Handle handle) { ReleaseFn(handle); }
};

namespace unique_handle_detail {
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void CloseSearch(HANDLE handle) { ::FindClose(handle); }
inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
inline void FreeLibrary(HMODULE module) { ::FreeLibrary(module); }
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DestroyIcon(HICON icon) { ::DestroyIcon(icon); }
inline void DestroyMenu(HMENU menu) { ::DestroyMenu(menu); }
inline void FreeItemIdList(ITEMIDLIST* list) { ::CoTaskMemFree(list); }
}  // namespace unique_handle_detail

template <void (*ReleaseFn)(HANDLE)>
struct InvalidValueTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { ReleaseFn(handle); }
};

using UniqueHandle = UniqueResource<NullInvalidTraits<HANDLE, unique_handle_detail::CloseKernelHandle>>;
using UniqueFile = UniqueResource<InvalidValueTraits<unique_handle_detail::CloseKernelHandle>>;
using UniqueFind = UniqueResource<InvalidValueTraits<unique_handle_detail::CloseSearch>>;
using UniqueKey = UniqueResource<NullInvalidTraits<HKEY, unique_handle_detail::CloseKey>>;
using UniqueLibrary = UniqueResource<NullInvalidTraits<HMODULE, unique_handle_detail::FreeLibrary>>;
using UniqueIcon = UniqueResource<NullInvalidTraits<HICON, unique_handle_detail::DestroyIcon>>;
using UniqueMenu = UniqueResource<NullInvalidTraits<HMENU, unique_handle_detail::DestroyMenu>>;
using UniqueItemIdList = UniqueResource<NullInvalidTraits<ITEMIDLIST*, unique_handle_detail::FreeItemIdList>>;

// Any GDI object type: UniqueGdiObject<HBRUSH>, UniqueGdiObject<HBITMAP>, ...
template <typename GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle Invalid() { return nullptr; }
    static void Release(Handle handle) { unique_handle_detail::DeleteGdiObject(handle); }
};
template <typename GdiHandle>
using UniqueGdiObject = UniqueResource<GdiObjectTraits<GdiHandle>>;
