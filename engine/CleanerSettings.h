// CleanerSettings: what the cleaners take from the user's settings: the five folders to work on
// (an empty one is detected, and the detected path written back) and the extensions of the
// temporary files. The application owns the one the program uses and hands it down.
#pragma once

#include "framework/CString.h"
#include "framework/CStringArray.h"

struct CleanerSettings {
    CString recentDocsFolder;
    CString tempFolder;
    CString ieCacheFolder;
    CString ieCookiesFolder;
    CString nsCacheFolder;
    CStringArray tempExtensions;
};
