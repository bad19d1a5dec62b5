// SweepBench: times the cleaners' walks and deletions on trees made beforehand, against a bare
// listing walk, bare delete walks (the floor: no checks at all) and the platform's own tools.
//
//   SweepBench run DIR     DIR holds copies of one tree: tree (the temporary-files sweep),
//                          pumped-sweep (the same sweep as a clean run makes it, its progress
//                          dialog on the screen), floor-sweep, del-temp, emptied (EmptyFolderTree),
//                          floor-empty, del-all and rd; prints every figure and the ratios the
//                          targets name
//   SweepBench calls DIR   what each call of one safe deletion costs, on the files of DIR
//   SweepBench deep DIR    sweeps a chain of nested folders, one file per level, and reports
//                          the deepest file reached and the peak working set
//
// Each figure is one line "name: value".
#include "app/CCleanerApp.h"
#include "app/CRunProgress.h"
#include "engine/CEntryHandle.h"
#include "engine/CFileSweeper.h"
#include "engine/CInternetAppInfo.h"
#include "engine/CSystemFolders.h"
#include "engine/NativeFiles.h"
#include "engine/PathParts.h"
#include "engine/RemovalScope.h"
#include "engine/WalkProgress.h"
#include "framework/MessageBox.h"
#include "resources/DustoraResource.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kTempExtensions[] = {".TMP", ".GID", ".CHK", ".$$$", ".~", ".~~~", ".BAK"};

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

void Figure(const char* name, double value, const char* unit)
{
    std::printf("%s: %.3f %s\n", name, value, unit);
}

double Rate(long items, double seconds)
{
    return seconds > 0 ? items / seconds : 0.0;
}

void PrintRate(const char* name, long items, double seconds)
{
    std::printf("%s: %.0f files/s (%ld files in %.3f s)\n", name, Rate(items, seconds), items, seconds);
}

void Ratio(const char* name, double value, const char* target = nullptr)
{
    if (target)
        std::printf("%s: %.2f x (target %s)\n", name, value, target);
    else
        std::printf("%s: %.2f x\n", name, value);
}

// The ntdll calls the engine makes between two counts, per entry.
class CallsPerEntry {
public:
    CallsPerEntry() : m_start(NativeFiles::CallsMade()) {}
    void Print(const char* name, long entries) const
    {
        const NativeFiles::CallCount now = NativeFiles::CallsMade();
        if (entries <= 0)
            return;
        std::printf("%s: %.2f ntdll calls and %.2f handle closes per deleted file\n", name,
                    static_cast<double>(now.calls - m_start.calls) / entries,
                    static_cast<double>(now.opens - m_start.opens) / entries);
    }

private:
    NativeFiles::CallCount m_start;
};

bool HasTempExtension(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    if (!dot)
        return false;
    for (const char* extension : kTempExtensions) {
        if (lstrcmpiA(dot, extension) == 0)
            return true;
    }
    return false;
}

struct WalkCount {
    long files = 0;
    long folders = 0;
};

enum class Floor { kWalkOnly, kDeleteTemp, kDeleteAll };

// The least a walk can do: list each folder, build each file's full path, skip links; as a
// floor, also delete (no checks at all) the temporary files, or everything.
void BareWalk(std::string& folder, WalkCount& count, Floor floor)
{
    const size_t length = folder.size();
    folder += "\\*.*";
    WIN32_FIND_DATAA entry;
    const UniqueFind search(::FindFirstFileA(folder.c_str(), &entry));
    folder.resize(length);
    if (!search)
        return;
    ++count.folders;
    do {
        if (IsDotEntry(entry) || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        folder += '\\';
        folder += entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            BareWalk(folder, count, floor);
            if (floor == Floor::kDeleteAll)
                ::RemoveDirectoryA(folder.c_str());
        } else {
            ++count.files;
            if (floor == Floor::kDeleteAll || (floor == Floor::kDeleteTemp && HasTempExtension(entry.cFileName)))
                ::DeleteFileA(folder.c_str());
        }
        folder.resize(length);
    } while (::FindNextFileA(search.get(), &entry));
}

WalkCount TimedBareWalk(const std::string& root, double& seconds, Floor floor = Floor::kWalkOnly)
{
    WalkCount count;
    std::string folder(root);
    const Stopwatch watch;
    BareWalk(folder, count, floor);
    seconds = watch.Seconds();
    return count;
}

long CountFiles(const std::string& root)
{
    double seconds = 0;
    return TimedBareWalk(root, seconds).files;
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
    const UniqueHandle thread(process.hThread);
    const UniqueHandle running(process.hProcess);
    ::WaitForSingleObject(running.get(), INFINITE);
    return watch.Seconds();
}

int CountVisit(void* userData, const CString&)
{
    ++*static_cast<long*>(userData);
    return 1;
}

void IgnoreFolder(void*, const char*) {}

// The best of three, so that the walks compared meet the same caches.
double TimedSweeperWalk(const std::string& root, long& files)
{
    double best = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        files = 0;
        const Stopwatch watch;
        CFileSweeper sweeper;
        if (sweeper.SetPath(root.c_str()))
            sweeper.ForEachFileRecursive(CountVisit, &files);
        const double seconds = watch.Seconds();
        best = attempt == 0 || seconds < best ? seconds : best;
    }
    return best;
}

// A preview of emptying the tree: the same walk, counting every file and deleting none; the
// best of three.
double TimedPreview(const std::string& tree, RemovalTally& counted)
{
    double best = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        counted = RemovalTally();
        const RemovalScope previewing(counted, true);
        const Stopwatch watch;
        CSystemFolders::EmptyFolderTree(tree.c_str());
        const double seconds = watch.Seconds();
        best = attempt == 0 || seconds < best ? seconds : best;
    }
    return best;
}

double TimedDeleteTempFiles(const std::string& tree)
{
    CStringArray roots;
    roots.Add(tree.c_str());
    CInternetAppInfo info(theApp.m_settings);
    const Stopwatch watch;
    info.DeleteTempFiles(roots);
    return watch.Seconds();
}

// Measures the time a walk observer takes, the one it wraps included.
struct TimedObserver {
    WalkProgress wrapped;
    double seconds = 0;
    long folders = 0;

    static void OnFolderEntered(void* context, const char* folder)
    {
        TimedObserver* self = static_cast<TimedObserver*>(context);
        const Stopwatch watch;
        self->wrapped.observer(self->wrapped.context, folder);
        self->seconds += watch.Seconds();
        ++self->folders;
    }
};

// The sweep as a clean run makes it: its progress dialog on the screen with the step's texts,
// its pump draining the queue and showing a folder at most every 100 ms. Prints the figures and
// returns the time in the pump as a percentage of the sweep.
double PumpedSweep(const std::string& tree, double plainSweep)
{
    CRunProgress progress;
    progress.Create(nullptr);
    progress.Show("Deleting:", "Temporary Files (TMP, BAK, CHK, etc.)...");
    TimedObserver pump;
    pump.wrapped = SetWalkProgress({&TimedObserver::OnFolderEntered, &pump});
    const double sweep = TimedDeleteTempFiles(tree);
    SetWalkProgress(pump.wrapped);
    progress.Close();
    std::printf("DeleteTempFiles with the clean run's pump: %.3f s, of which %.3f s in the pump (%ld folders entered)\n",
                sweep, pump.seconds, pump.folders);
    Ratio("DeleteTempFiles with the clean run's pump / without", sweep / plainSweep);
    return sweep > 0 ? 100.0 * pump.seconds / sweep : 0.0;
}

double BestBareWalk(const std::string& root, WalkCount& count)
{
    double best = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        double seconds = 0;
        count = TimedBareWalk(root, seconds);
        best = attempt == 0 || seconds < best ? seconds : best;
    }
    return best;
}

void RunSweep(const std::string& dir)
{
    const std::string tree = dir + "\\tree";
    WalkCount count;
    BestBareWalk(tree, count);   // the first listings fill the caches
    const double bareWalk = BestBareWalk(tree, count);
    std::printf("tree: %ld files in %ld folders\n", count.files, count.folders);
    PrintRate("bare walk", count.files, bareWalk);

    Figure("cmd start", TimedCommand("cmd.exe /c rem"), "s");
    PrintRate("cmd dir /s /b", count.files, TimedCommand("cmd.exe /c dir /s /b \"" + tree + "\" >NUL"));

    long walked = 0;
    const double sweeperWalk = TimedSweeperWalk(tree, walked);
    PrintRate("sweeper walk, visitor deleting nothing", walked, sweeperWalk);
    const WalkProgress previous = SetWalkProgress({IgnoreFolder, nullptr});
    const double observedWalk = TimedSweeperWalk(tree, walked);
    SetWalkProgress(previous);
    PrintRate("sweeper walk with a walk observer set", walked, observedWalk);

    RemovalTally previewed;
    const double preview = TimedPreview(tree, previewed);
    PrintRate("preview of emptying the tree", static_cast<long>(previewed.files), preview);
    std::printf("left by the preview: %ld of %ld files\n", CountFiles(tree), count.files);

    const CallsPerEntry sweepCalls;
    const double sweep = TimedDeleteTempFiles(tree);
    const long deleted = count.files - CountFiles(tree);
    PrintRate("DeleteTempFiles", count.files, sweep);
    std::printf("deleted by the sweep: %ld files\n", deleted);
    sweepCalls.Print("DeleteTempFiles", deleted);
    std::printf("bare delete walk: 1 FindFirstFileA or FindNextFileA call per listed batch, 1 DeleteFileA per "
                "deleted file (under Wine an open for deletion and a close)\n");

    const double pumpShare = PumpedSweep(dir + "\\pumped-sweep", sweep);

    double floorSeconds = 0;
    const std::string floorTree = dir + "\\floor-sweep";
    const long floorBefore = CountFiles(floorTree);
    TimedBareWalk(floorTree, floorSeconds, Floor::kDeleteTemp);
    std::printf("bare delete walk (FindFirstFileA + DeleteFileA): %ld files deleted in %.3f s\n",
                floorBefore - CountFiles(floorTree), floorSeconds);

    std::string del = "cmd.exe /c del /s /q";
    for (const char* extension : kTempExtensions)
        del += " \"" + dir + "\\del-temp\\*" + extension + "\"";
    const std::string delTree = dir + "\\del-temp";
    const long delBefore = CountFiles(delTree);
    const double delSeconds = TimedCommand(del + " >NUL");
    std::printf("cmd del /s /q of the seven temporary patterns: %ld files deleted in %.3f s\n",
                delBefore - CountFiles(delTree), delSeconds);

    if (deleted > 0)
        std::printf("sweep cost per deleted file beyond the sweeper walk: %.1f us\n",
                    1e6 * (sweep - sweeperWalk) / deleted);
    Ratio("sweeper walk / bare walk", sweeperWalk / bareWalk);
    Ratio("sweeper walk with an observer / without", observedWalk / sweeperWalk);
    std::printf("the clean run's pump as a share of the sweep: %.2f %% (target at most 2 %%)\n", pumpShare);
    Ratio("bare delete walk / bare walk", floorSeconds / bareWalk);
    Ratio("sweep / bare walk", sweep / bareWalk);
    Ratio("preview / bare walk", preview / bareWalk, "at most 1.1");
    Ratio("sweep / bare delete walk", sweep / floorSeconds, "at most 1.1");
    Ratio("cmd del of the temporary patterns / sweep", delSeconds / sweep);
    Figure("sweep seconds", sweep, "s");
}

void RunEmpty(const std::string& dir)
{
    const std::string emptied = dir + "\\emptied";
    const long files = CountFiles(emptied);
    const CallsPerEntry emptyCalls;
    const Stopwatch watch;
    CSystemFolders::EmptyFolderTree(emptied.c_str());
    const double seconds = watch.Seconds();
    const long left = CountFiles(emptied);
    PrintRate("EmptyFolderTree", files - left, seconds);
    emptyCalls.Print("EmptyFolderTree", files - left);
    std::printf("left by EmptyFolderTree: %ld files\n", left);

    double floorSeconds = 0;
    const long floorFiles = TimedBareWalk(dir + "\\floor-empty", floorSeconds, Floor::kDeleteAll).files;
    PrintRate("bare delete walk (FindFirstFileA + DeleteFileA + RemoveDirectoryA)", floorFiles, floorSeconds);

    const long delFiles = CountFiles(dir + "\\del-all");
    const double delSeconds = TimedCommand("cmd.exe /c del /s /q \"" + dir + "\\del-all\\*.*\" >NUL");
    PrintRate("cmd del /s /q of every file", delFiles, delSeconds);
    const long rdFiles = CountFiles(dir + "\\rd");
    const double rdSeconds = TimedCommand("cmd.exe /c rd /s /q \"" + dir + "\\rd\"");
    PrintRate("cmd rd /s /q", rdFiles, rdSeconds);

    const double rate = Rate(files - left, seconds);
    Ratio("EmptyFolderTree / bare delete walk, files per second", rate / Rate(floorFiles, floorSeconds));
    Ratio("EmptyFolderTree / cmd del /s /q, files per second", rate / Rate(delFiles, delSeconds), "at least 1");
    Ratio("EmptyFolderTree / cmd rd /s /q, files per second", rate / Rate(rdFiles, rdSeconds), "at least 8");
    Figure("empty seconds", seconds, "s");
}

// What each call of one safe deletion costs: the steps the engine takes, timed one by one on a
// third of the files of dir, the engine's own deletion on a third, a plain DeleteFileA on the rest.
int RunCalls(const std::string& dir)
{
    const CEntryHandle folder = CEntryHandle::OpenFolderFollowing(LiteralPath(dir.c_str()), 0);
    std::vector<ListedEntry> entries;
    if (!folder || !folder.ReadListing(entries))
        return 1;
    static const char* const kSteps[] = {"open relative to the folder", "attributes", "file identity",
                                         "path the platform names", "disposition", "close (the unlink)"};
    double steps[std::size(kSteps)] = {};
    double engine = 0, plain = 0;
    long counts[3] = {};
    long turn = 0;
    for (const ListedEntry& entry : entries) {
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const long group = turn++ % 3;
        ++counts[group];
        if (group == 0) {
            const Stopwatch watch;
            ::DeleteFileA((dir + "\\" + std::string(entry.name.begin(), entry.name.end())).c_str());
            plain += watch.Seconds();
        } else if (group == 1) {
            const Stopwatch watch;
            CEntryHandle::DeleteListedFile(folder, entry);
            engine += watch.Seconds();
        } else {
            UniqueFile file;
            DWORD attributes = 0;
            ULONGLONG id = 0;
            std::wstring path;
            size_t step = 0;
            Stopwatch watch;
            const auto next = [&] { steps[step++] += watch.Seconds(); watch = Stopwatch(); };
            NativeFiles::Open(folder.Get(), entry.name, DELETE, 0,
                              NativeFiles::kNotFollowing | NativeFiles::kBackupIntent | NativeFiles::kFileOnly, file);
            next();
            NativeFiles::Attributes(file.get(), attributes);
            next();
            NativeFiles::FileId(file.get(), id);
            next();
            NativeFiles::VolumePath(file.get(), path);
            next();
            NativeFiles::MarkForDeletion(file.get());
            next();
            file.reset();
            next();
        }
    }
    if (counts[2] == 0)
        return 1;
    std::printf("per safe deletion, call by call (%ld files):", counts[2]);
    double sum = 0;
    for (size_t step = 0; step < std::size(kSteps); ++step) {
        std::printf("%s %s %.1f us", step ? ";" : "", kSteps[step], 1e6 * steps[step] / counts[2]);
        sum += steps[step];
    }
    std::printf("; in all %.1f us\n", 1e6 * sum / counts[2]);
    std::printf("per safe deletion of the engine (%ld files): %.1f us\n", counts[1], 1e6 * engine / counts[1]);
    std::printf("per DeleteFileA (%ld files): %.1f us\n", counts[0], 1e6 * plain / counts[0]);
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
        std::fprintf(stderr, "usage: SweepBench run|calls|deep DIR\n");
        return 2;
    }
    // Detection may fail in a bare prefix; its boxes must not stop the run.
    SetMessageBoxFn([](HWND, const char*, const char*, UINT) { return IDOK; });
    for (const char* extension : kTempExtensions)
        theApp.g_TempExtensions.Add(extension);
    theApp.m_background.LoadBitmap(IDB_BACKGROUND);   // the progress dialog's tiles
    const std::string mode(argv[1]);
    if (mode == "run") {
        RunSweep(argv[2]);
        RunEmpty(argv[2]);
        return 0;
    }
    if (mode == "calls")
        return RunCalls(argv[2]);
    if (mode == "deep")
        return RunDeep(argv[2]);
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
}
