// Walking the files of a folder and of its sub-folders.
#include "engine/CFileSweeper.h"
#include "engine/CTreeWalker.h"
#include "engine/WalkProgress.h"

#include "support/HostileTrees.h"
#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using PathList = std::vector<std::string>;

struct Visits {
    PathList paths;
    int stopAt = 0;   // the visit that answers 0; 0 never stops
};

int RecordVisit(void* userData, const CString& path)
{
    Visits* visits = static_cast<Visits*>(userData);
    visits->paths.push_back(path.Str());
    return visits->stopAt != 0 && static_cast<int>(visits->paths.size()) >= visits->stopAt ? 0 : 1;
}

PathList Sorted(PathList paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

PathList Sorted(const CStringArray& files)
{
    PathList paths;
    for (int i = 0; i < files.GetSize(); ++i)
        paths.push_back(files[i].Str());
    return Sorted(paths);
}

// An open search keeps its folder open for listing, so an exclusive open of the folder fails.
bool SearchStillOpenOn(const CString& folder)
{
    HANDLE handle = ::CreateFileA(folder, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    ::CloseHandle(handle);
    return false;
}

TEST(FileSweeperPath, AddsAForwardSlashUnlessASeparatorEnds)
{
    struct PathCase {
        const char* folder;
        int result;
        const char* sweepPath;
    };
    static const PathCase kCases[] = {
        {"C:\\", 1, "C:\\"},
        {"D:\\DATA", 1, "D:\\DATA/"},
        {"D:\\DATA/", 1, "D:\\DATA/"},
        {"relative", 1, "relative/"},
        {"", 0, ""},
    };
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.folder);
        CFileSweeper sweeper;
        sweeper.m_SweepPath = "0xdeadbeef";
        EXPECT_EQ(c.result, sweeper.SetPath(c.folder));
        EXPECT_EQ(CString(c.sweepPath), sweeper.m_SweepPath);
    }
    CFileSweeper sweeper;
    sweeper.SetPath("E:\\Data");
    sweeper.ClearPath();
    EXPECT_TRUE(sweeper.m_SweepPath.IsEmpty());
}

class FileSweeper : public ::testing::Test {
protected:
    // Tree\a.txt, Tree\b.txt, Tree\One\c.txt, Tree\One\Two\d.txt, Tree\Three\e.txt, Tree\Nothing\.
    void MakeTree()
    {
        for (const char* name : {"Tree\\a.txt", "Tree\\b.txt", "Tree\\One\\c.txt", "Tree\\One\\Two\\d.txt",
                                 "Tree\\Three\\e.txt"})
            m_sandbox.MakeFile(name);
        m_sandbox.MakeFolder("Tree\\Nothing");
        m_sweeper.SetPath(m_sandbox.Below("Tree"));
    }

    std::string Top(const char* name) const { return (m_sandbox.Below("Tree") + "/" + name).Str(); }

    SandboxFolder m_sandbox;
    CFileSweeper m_sweeper;
};

TEST_F(FileSweeper, VisitsOnlyTheFolderOwnFiles)
{
    MakeTree();
    Visits visits;
    EXPECT_EQ(1, m_sweeper.ForEachFile(RecordVisit, &visits));
    EXPECT_EQ(Sorted(PathList{Top("a.txt"), Top("b.txt")}), Sorted(visits.paths));

    CStringArray files;
    files.Add("0xdeadbeef");
    EXPECT_EQ(1, m_sweeper.ListFiles(files));
    EXPECT_EQ(Sorted(PathList{Top("a.txt"), Top("b.txt")}), Sorted(files));
}

TEST_F(FileSweeper, ListsSubFolderFilesWithForwardSlashesBelowTheFirstLevel)
{
    MakeTree();
    const PathList expected = Sorted(PathList{Top("a.txt"), Top("b.txt"), Top("One/c.txt"), Top("One/Two/d.txt"),
                                              Top("Three/e.txt")});
    Visits visits;
    EXPECT_EQ(1, m_sweeper.ForEachFileRecursive(RecordVisit, &visits));
    EXPECT_EQ(expected, Sorted(visits.paths));

    CStringArray files;
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));
    EXPECT_EQ(expected, Sorted(files));
}

TEST_F(FileSweeper, ListFilesRecursiveAppendsToTheList)
{
    MakeTree();
    CStringArray files;
    files.Add("0xdeadbeef");
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));
    ASSERT_EQ(11, files.GetSize());
    EXPECT_EQ(CString("0xdeadbeef"), files[0]);
    PathList paths = Sorted(files);
    EXPECT_EQ(2, std::count(paths.begin(), paths.end(), Top("One/Two/d.txt")));
    EXPECT_EQ(2, std::count(paths.begin(), paths.end(), Top("a.txt")));
}

TEST_F(FileSweeper, StopsAtTheThirdFileAndClosesEverySearch)
{
    MakeTree();
    // The check below sees an open search.
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(m_sandbox.Below("Tree\\One\\*.*"), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_TRUE(SearchStillOpenOn(m_sandbox.Below("Tree\\One")));
    ::FindClose(search);

    Visits visits;
    visits.stopAt = 3;
    EXPECT_EQ(1, m_sweeper.ForEachFileRecursive(RecordVisit, &visits));
    EXPECT_EQ(3u, visits.paths.size());
    for (const char* folder : {"Tree", "Tree\\One", "Tree\\One\\Two", "Tree\\Three", "Tree\\Nothing"}) {
        SCOPED_TRACE(folder);
        EXPECT_FALSE(SearchStillOpenOn(m_sandbox.Below(folder)));
    }

    Visits first;
    first.stopAt = 1;
    EXPECT_EQ(1, m_sweeper.ForEachFile(RecordVisit, &first));
    EXPECT_EQ(1u, first.paths.size());
    EXPECT_FALSE(SearchStillOpenOn(m_sandbox.Below("Tree")));
}

TEST_F(FileSweeper, FolderOfOnlySubFoldersGivesAnEmptyList)
{
    m_sandbox.MakeFolder("Tree\\One");
    m_sandbox.MakeFolder("Tree\\Two");
    m_sweeper.SetPath(m_sandbox.Below("Tree"));
    CStringArray files;
    files.Add("0xdeadbeef");
    EXPECT_EQ(1, m_sweeper.ListFiles(files));
    EXPECT_EQ(0, files.GetSize());
}

TEST_F(FileSweeper, MissingFolderCannotBeListed)
{
    m_sweeper.SetPath(m_sandbox.Below("Missing"));
    CStringArray files;
    files.Add("0xdeadbeef");
    EXPECT_EQ(0, m_sweeper.ListFiles(files));
    EXPECT_EQ(0, files.GetSize());

    Visits visits;
    EXPECT_EQ(0, m_sweeper.ForEachFile(RecordVisit, &visits));
    EXPECT_EQ(0, m_sweeper.ForEachFileRecursive(RecordVisit, &visits));
    EXPECT_TRUE(visits.paths.empty());

    CStringArray appended;
    appended.Add("0xdeadbeef");
    EXPECT_EQ(0, m_sweeper.ListFilesRecursive(appended));
    EXPECT_EQ(1, appended.GetSize());
}

TEST_F(FileSweeper, LevelHelpersTakeEmptyAndMissingFolders)
{
    Visits visits;
    EXPECT_EQ(0, CFileSweeper::WalkFilesRecursive("", RecordVisit, &visits));
    // An unreadable sub-folder does not stop the walk.
    EXPECT_EQ(1, CFileSweeper::WalkFilesRecursive(m_sandbox.Below("Missing"), RecordVisit, &visits));
    CStringArray files;
    CFileSweeper::CollectFilesRecursive("", files);
    CFileSweeper::CollectFilesRecursive(m_sandbox.Below("Missing"), files);
    EXPECT_EQ(0, files.GetSize());
    EXPECT_TRUE(visits.paths.empty());

    m_sandbox.MakeFile("Tree\\x.txt");
    CFileSweeper::CollectFilesRecursive(m_sandbox.Below("Tree"), files);
    ASSERT_EQ(1, files.GetSize());
    EXPECT_EQ(m_sandbox.Below("Tree") + "/x.txt", files[0]);
}

TEST_F(FileSweeper, NeverEntersALinkedFolder)
{
    m_sandbox.MakeFile("Tree\\Real\\inside.txt");
    m_sandbox.MakeFile("Elsewhere\\outside.txt");
    m_sandbox.MakeUnixLink("Tree\\real-link", "Real");
    m_sandbox.MakeUnixLink("Tree\\away-link", "../Elsewhere");
    m_sweeper.SetPath(m_sandbox.Below("Tree"));

    CStringArray files;
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));
    EXPECT_EQ(PathList{Top("Real/inside.txt")}, Sorted(files));

    Visits visits;
    EXPECT_EQ(1, m_sweeper.ForEachFileRecursive(RecordVisit, &visits));
    EXPECT_EQ(PathList{Top("Real/inside.txt")}, visits.paths);
}

// Never reported, never entered: no path can be built from such names.
TEST_F(FileSweeper, PassesOverNamesWithNoExactAnsiForm)
{
    m_sandbox.MakeFile("Tree\\plain.txt");
    m_sandbox.MakeLiteralFile(std::wstring(L"Tree\\") + kHostileFolder + L"\\inside.txt");
    m_sandbox.MakeLiteralFile(L"Tree\\caf\xE9.txt");                          // exact in the code page
    for (const wchar_t* name : kHostileNames)
        m_sandbox.MakeLiteralFile(std::wstring(L"Tree\\") + name);
    m_sweeper.SetPath(m_sandbox.Below("Tree"));

    CStringArray files;
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));

    EXPECT_EQ(Sorted(PathList{Top("caf\xE9.txt"), Top("plain.txt")}), Sorted(files));
    for (const wchar_t* name : kHostileNames)
        EXPECT_TRUE(m_sandbox.IsLiteralListed(std::wstring(L"Tree\\") + name));
}

// Folders that read "a\.." in ANSI, and real folders "a." beside links "a" to their own folder:
// a plain path drops the dot and leads back in. The walk ends and sees every real file once.
TEST_F(FileSweeper, NeverWalksInCircles)
{
    m_sandbox.MakeFile("Tree\\top.txt");
    m_sandbox.MakeLiteralFile(L"Tree\\a\xFF3C\xFF0E\xFF0E\\hostile.txt");
    m_sandbox.MakeLiteralFile(L"Tree\\a.\\in-a.txt");
    m_sandbox.MakeLiteralFile(L"Tree\\b.\\in-b.txt");
    m_sandbox.MakeUnixLink("Tree\\a", ".");
    m_sandbox.MakeUnixLink("Tree\\b", ".");
    m_sweeper.SetPath(m_sandbox.Below("Tree"));

    Visits visits;
    visits.stopAt = 1000;   // a walk in circles stops here instead of hanging the test
    EXPECT_EQ(1, m_sweeper.ForEachFileRecursive(RecordVisit, &visits));

    EXPECT_EQ(Sorted(PathList{Top("a./in-a.txt"), Top("b./in-b.txt"), Top("top.txt")}), Sorted(visits.paths));
}

// Paths beyond the ANSI limit, and folders whose names end in a dot or a blank.
TEST_F(FileSweeper, ReachesLongPathsAndNamesEndingInDotsOrBlanks)
{
    const std::wstring deep = L"Tree\\" + std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e');
    m_sandbox.MakeLiteralFile(deep + L"\\" + std::wstring(100, L'f') + L".txt");
    m_sandbox.MakeLiteralFile(L"Tree\\dots...\\x.txt");
    m_sandbox.MakeLiteralFile(L"Tree\\blank \\y.txt");
    m_sweeper.SetPath(m_sandbox.Below("Tree"));

    CStringArray files;
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));

    const std::string longFile =
        Top((std::string(120, 'd') + "/" + std::string(120, 'e') + "/" + std::string(100, 'f') + ".txt").c_str());
    EXPECT_GT(longFile.size(), 300u);
    EXPECT_EQ(Sorted(PathList{Top("blank /y.txt"), Top("dots.../x.txt"), longFile}), Sorted(files));
}

TEST_F(FileSweeper, GoesNoDeeperThanTheDepthLimit)
{
    std::wstring chain = L"Tree";
    for (size_t level = 1; level <= CTreeWalker::kDepthLimit + 2; ++level) {
        chain += L"\\d";
        if (level == CTreeWalker::kDepthLimit - 1 || level == CTreeWalker::kDepthLimit)
            m_sandbox.MakeLiteralFile(chain + L"\\at" + std::to_wstring(level) + L".txt");
    }
    m_sandbox.MakeLiteralFolder(chain);
    m_sweeper.SetPath(m_sandbox.Below("Tree"));

    CStringArray files;
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(files));

    // The folder of the first file is the limit's last level.
    ASSERT_EQ(1, files.GetSize());
    EXPECT_NE(-1, files[0].Find(CString("at") + std::to_string(CTreeWalker::kDepthLimit - 1).c_str()));
}

struct EnteredFolders {
    std::vector<std::string> folders;
};

void RecordFolder(void* context, const char* folder)
{
    static_cast<EnteredFolders*>(context)->folders.push_back(folder);
}

TEST_F(FileSweeper, TellsItsProgressOfEveryFolderItEnters)
{
    MakeTree();
    m_sandbox.MakeFile("Elsewhere\\x.txt");
    m_sandbox.MakeUnixLink("Tree\\away-link", "../Elsewhere");
    m_sandbox.MakeLiteralFolder(L"Tree\\h\xFF3C\xFF0E\xFF0E");

    EnteredFolders entered;
    const WalkProgress previous = SetWalkProgress({RecordFolder, &entered});
    EXPECT_EQ(1, m_sweeper.ListFilesRecursive(*std::make_unique<CStringArray>()));
    const WalkProgress ours = SetWalkProgress(previous);

    EXPECT_EQ(RecordFolder, ours.observer);
    EXPECT_EQ(&entered, ours.context);
    ASSERT_FALSE(entered.folders.empty());
    EXPECT_EQ(m_sandbox.Below("Tree") + "/", CString(entered.folders.front()));
    EXPECT_EQ(Sorted(PathList{Top(""), Top("Nothing/"), Top("One/"), Top("One/Two/"), Top("Three/")}),
              Sorted(entered.folders));
}

}  // namespace
