// WalkObserver / WalkProgress: what a tree walk tells whoever runs it, once for every folder it
// enters (its first folder included), with the folder's ANSI path as the walk's visitors see it.
// The clean run sets one to keep its window alive during a long walk; by default there is none,
// and a walk then pays one pointer test per folder.
#pragma once

using WalkObserver = void (*)(void* context, const char* folder);

struct WalkProgress {
    WalkObserver observer = nullptr;
    void* context = nullptr;
};

// Installs progress for every walk that follows ({} for none); returns the one in force before.
WalkProgress SetWalkProgress(const WalkProgress& progress);

// Called by the walk as it enters a folder.
void ReportFolderEntered(const char* folder);
