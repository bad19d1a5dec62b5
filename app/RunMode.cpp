#include "app/RunMode.h"

#include <windows.h>

RunMode RunModeFromCommandLine(const char* commandLine)
{
    if (!commandLine || !*commandLine)
        return RunMode::Interactive;
    if (::lstrcmpiA(commandLine, kLoadSwitch) == 0)
        return RunMode::Load;
    if (::lstrcmpiA(commandLine, kCleanSwitch) == 0)
        return RunMode::Clean;
    if (::lstrcmpiA(commandLine, kPreviewSwitch) == 0)
        return RunMode::Preview;
    return RunMode::Interactive;
}
