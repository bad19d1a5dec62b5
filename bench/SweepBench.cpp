// SweepBench: times the cleaners' file walks on a tree made beforehand.
//
//   SweepBench sweep ROOT   bare FindFirstFileA/FindNextFileA walk, cmd's "dir /s /b", then
//                           DeleteTempFiles over ROOT
//   SweepBench empty ROOT   EmptyFolderTree over ROOT (a bare walk first counts the files)
//   SweepBench deep ROOT    sweeps a chain of nested folders, one file per level, and reports
//                           the deepest file reached and the peak working set
//
// Each figure is one line "name: value".
#include "app/CCleanerApp.h"
#include "engine/CFileSweeper.h"
#include "engine/CInternetAppInfo.h"
#include "engine/CPathGuard.h"
#include "engine/CSystemFolders.h"
#include "engine/PathParts.h"
#include "framework/MessageBox.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class Stopwatch {
public:
    Stopwatch() { ::QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start;
};

struct WalkCount {
    long files = 0;
    long folders = 0;
};

// The least a walk can do: list each folder, build each file's full path, skip links.
void BareWalk(std::string& folder, WalkCount& count)
{
    const size_t length = folder.size();
    folder += "\\*.*";
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(folder.c_str(), &entry);
    folder.resize(length);
    if (search == INVALID_HANDLE_VALUE)
        return;
    ++count.folders;
    do {
        if (IsDotEntry(entry) || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        folder += '\\';
        folder += entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            BareWalk(folder, count);
        else
            ++count.files;
        folder.resize(length);
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

WalkCount TimedBareWalk(const char* root, double& seconds)
{
    WalkCount count;
    std::string folder(root);
    const Stopwatch watch;
    BareWalk(folder, count);
    seconds = watch.Seconds();
    return count;
}

// Seconds a command line of cmd takes, process start included; negative when it cannot start.
double TimedCommand(const std::string& commandLine)
{
    std::string writable(commandLine);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const Stopwatch watch;
    if (!::CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1.0;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = watch.Seconds();
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return seconds;
}

void Figure(const char* name, double value, const char* unit)
{
    std::printf("%s: %.3f %s\n", name, value, unit);
}

void Rate(const char* name, long items, double seconds)
{
    std::printf("%s: %.0f files/s (%ld files in %.3f s)\n", name, seconds > 0 ? items / seconds : 0.0, items, seconds);
}

// Counts every file and keeps every fiftieth path, for timing the link check on its own.
struct Sample {
    long files = 0;
    CStringArray kept;
};

int SampleVisit(void* userData, const CString& path)
{
    Sample* sample = static_cast<Sample*>(userData);
    if (sample->files++ % 50 == 0)
        sample->kept.Add(path);
    return 1;
}

int RunSweep(const char* root)
{
    double warmSeconds = 0;
    TimedBareWalk(root, warmSeconds);   // the first listing fills the caches
    double walkSeconds = 0;
    const WalkCount tree = TimedBareWalk(root, walkSeconds);
    std::printf("tree: %ld files in %ld folders\n", tree.files, tree.folders);
    Rate("bare walk", tree.files, walkSeconds);

    const double launchSeconds = TimedCommand("cmd.exe /c rem");
    const double dirSeconds = TimedCommand("cmd.exe /c dir /s /b \"" + std::string(root) + "\" >NUL");
    Figure("cmd start", launchSeconds, "s");
    Rate("cmd dir /s /b", tree.files, dirSeconds);

    CStringArray roots;
    roots.Add(root);
    Sample sample;
    const Stopwatch walkWatch;
    CInternetAppInfo::SweepDrives(roots, SampleVisit, &sample);
    const double sweeperWalkSeconds = walkWatch.Seconds();
    Rate("sweeper walk, visitor deleting nothing", sample.files, sweeperWalkSeconds);

    CInternetAppInfo info;
    const Stopwatch watch;
    info.DeleteTempFiles(roots);
    const double sweepSeconds = watch.Seconds();
    Rate("DeleteTempFiles", tree.files, sweepSeconds);

    double afterSeconds = 0;
    const WalkCount after = TimedBareWalk(root, afterSeconds);
    std::printf("deleted by the sweep: %ld files\n", tree.files - after.files);
    Rate("bare walk after the sweep", after.files, afterSeconds);
    const Stopwatch linkWatch;
    for (int i = 0; i < sample.kept.GetSize(); ++i)
        CPathGuard::IsLink(sample.kept[i]);
    const double linkSeconds = linkWatch.Seconds();
    const long deleted = tree.files - after.files;
    std::printf("link check: %.1f us per file (%d files)\n", 1e6 * linkSeconds / sample.kept.GetSize(),
                sample.kept.GetSize());
    if (deleted > 0)
        std::printf("sweep cost per deleted file beyond the sweeper walk: %.1f us\n",
                    1e6 * (sweepSeconds - sweeperWalkSeconds) / deleted);
    Figure("sweeper walk / bare walk", sweeperWalkSeconds / walkSeconds, "x");
    Figure("sweep / bare walk", sweepSeconds / walkSeconds, "x");
    Figure("cmd dir / sweep", dirSeconds / sweepSeconds, "x");
    Figure("sweep seconds", sweepSeconds, "s");
    return 0;
}

int RunEmpty(const char* root)
{
    double walkSeconds = 0;
    const WalkCount tree = TimedBareWalk(root, walkSeconds);
    CSystemFolders folders;
    const Stopwatch watch;
    folders.EmptyFolderTree(root);
    const double seconds = watch.Seconds();
    double afterSeconds = 0;
    const WalkCount after = TimedBareWalk(root, afterSeconds);
    Rate("EmptyFolderTree", tree.files - after.files, seconds);
    std::printf("left by EmptyFolderTree: %ld files\n", after.files);
    Figure("empty seconds", seconds, "s");
    return 0;
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters) ? counters.PeakWorkingSetSize
                                                                                       : 0;
}

struct DeepVisits {
    long files = 0;
    size_t longestPath = 0;
};

int CountDeepVisit(void* userData, const CString& path)
{
    DeepVisits* visits = static_cast<DeepVisits*>(userData);
    ++visits->files;
    if (static_cast<size_t>(path.GetLength()) > visits->longestPath)
        visits->longestPath = static_cast<size_t>(path.GetLength());
    return 1;
}

int RunDeep(const char* root)
{
    const SIZE_T before = PeakWorkingSet();
    CFileSweeper sweeper;
    sweeper.SetPath(root);
    DeepVisits visits;
    const Stopwatch watch;
    sweeper.ForEachFileRecursive(CountDeepVisit, &visits);
    const double seconds = watch.Seconds();
    const SIZE_T after = PeakWorkingSet();
    std::printf("deep chain: %ld levels reached, longest path %u characters, %.3f s\n", visits.files,
                static_cast<unsigned>(visits.longestPath), seconds);
    std::printf("peak working set before the deep sweep: %.2f MB\n", before / 1048576.0);
    std::printf("peak working set after the deep sweep: %.2f MB (growth %.2f MB)\n", after / 1048576.0,
                (after > before ? after - before : 0) / 1048576.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: SweepBench sweep|empty|deep ROOT\n");
        return 2;
    }
    // Detection may fail in a bare prefix; its boxes must not stop the run.
    SetMessageBoxFn([](HWND, const char*, const char*, UINT) { return IDOK; });
    for (const char* extension : {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"})
        theApp.g_TempExtensions.Add(extension);
    const std::string mode(argv[1]);
    if (mode == "sweep")
        return RunSweep(argv[2]);
    if (mode == "empty")
        return RunEmpty(argv[2]);
    if (mode == "deep")
        return RunDeep(argv[2]);
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
}
