// UniqueHandle / UniqueFind: owners of a kernel handle and of a FindFirstFileA search, which
// close it when they go; INVALID_HANDLE_VALUE is "nothing to close".
#pragma once

#include <windows.h>

#include <memory>

struct HandleCloser {
    void operator()(HANDLE h) const { if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
    void operator()(HANDLE h) const { if (h != INVALID_HANDLE_VALUE) ::FindClose(h); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;
