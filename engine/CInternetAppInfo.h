// CInternetAppInfo: where Outlook Express keeps its message store, as seen when the object is
// made; also the owner of the cleaners of temporary files and of Netscape's cache and cookies.
#pragma once

#include "framework/CString.h"

class CInternetAppInfo {
public:
    CInternetAppInfo();
    virtual ~CInternetAppInfo() = default;

    // The "Store Root" value as stored (environment references stay unexpanded); empty when
    // Outlook Express is not found.
    CString m_StoreRoot;
};
