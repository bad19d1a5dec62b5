#include "engine/WalkProgress.h"

namespace {

WalkProgress g_progress;

}  // namespace

WalkProgress SetWalkProgress(const WalkProgress& progress)
{
    const WalkProgress previous = g_progress;
    g_progress = progress;
    return previous;
}

void ReportFolderEntered(const char* folder)
{
    if (g_progress.observer)
        g_progress.observer(g_progress.context, folder);
}
