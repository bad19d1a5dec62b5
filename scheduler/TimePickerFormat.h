// The starting-time picker shows hours and minutes only, in the user's own time format.
//   TimeFormatWithoutSeconds      a time format less its seconds field and the separator before it
//   UserTimeFormatWithoutSeconds  the same for the user's locale
#pragma once

#include "framework/CString.h"

// Deletes the first separator + "ss" of format; failing that, the first separator + "s".
// A format with neither comes back unchanged.
CString TimeFormatWithoutSeconds(const char* format, const char* separator);

CString UserTimeFormatWithoutSeconds();
