#include "engine/CInternetAppInfo.h"

#include "registry/CRegistry.h"

CInternetAppInfo::CInternetAppInfo()
{
    CRegistry reg;
    if (!reg.Connect(HKEY_CURRENT_USER) || !reg.Open("Software\\Microsoft\\Outlook Express", KEY_READ))
        return;
    if (reg.GetStringValue("Store Root", m_StoreRoot))
        reg.Close();
}
