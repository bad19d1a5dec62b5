// CSystemTray: one icon of the program in the notification area. It is either not registered,
// shown, or concealed (registered, but taken out of the area until Reveal). Clicks on it arrive
// at the owner window as the callback message, which the owner hands to HandleNotification: a
// right click opens the first popup of the menu resource numbered like the icon.
#pragma once

#include "framework/CObject.h"
#include "framework/CWnd.h"

#include <shellapi.h>

class CSystemTray : public CObject {
public:
    // The record in the form every shell since Windows 2000 takes: a 128-character tooltip and
    // the balloon fields, which stay zero.
    static constexpr DWORD kIconDataSize = NOTIFYICONDATAA_V2_SIZE;

    CSystemTray() = default;
    // Removes the icon from the notification area.
    ~CSystemTray() override;
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;

    // Shows the icon for owner; clicks on it reach owner as callbackMessage with the identifier
    // as first parameter. FALSE, and nothing registered, without an owner window or where
    // Windows has no notification area.
    BOOL AddIcon(CWnd* owner, UINT callbackMessage, const char* tip, HICON icon, UINT id);
    BOOL DeleteIcon();
    // Takes a shown icon out of the notification area; TRUE at once when it is out already.
    BOOL Conceal();
    // Puts a concealed icon back, with the icon and tip it holds now; FALSE when it is not concealed.
    BOOL Reveal();
    // While concealed the shell refuses the change, but the icon or tip is kept for Reveal.
    BOOL ChangeIcon(HICON icon);
    BOOL ChangeIcon(UINT iconResourceId);
    // Longer texts are cut to the 127 characters the record holds.
    BOOL ChangeTip(const char* tip);

    // The callback message's parameters: 0 when the notification is for another icon or the
    // menu cannot be loaded, else 1.
    virtual LRESULT HandleNotification(WPARAM id, LPARAM event);

    BOOL IsActive() const { return m_active; }
    BOOL IsConcealed() const { return m_concealed; }
    const NOTIFYICONDATAA& IconData() const { return m_iconData; }

private:
    BOOL Notify(DWORD message, UINT flags);
    void ShowMenu(HMENU popup);
    void SendFirstCommand(HMENU popup);

    BOOL m_active = FALSE;
    BOOL m_concealed = FALSE;
    NOTIFYICONDATAA m_iconData = {};
};
