// UserMessages: how an engine object tells the user of a failure it meets (a folder it cannot
// detect, a drive it cannot measure). The application shows each in a message box; a caller
// that wants silence or a record passes its own.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class UserMessages {
public:
    // style: the message box's icon and buttons.
    virtual void Tell(const CString& text, UINT style) = 0;

protected:
    ~UserMessages() = default;
};
