// Trees as a Unix side or a long-lived disk can hand the cleaners:
//   kHostileNames, kHostileFolder    names the ANSI listing best-fits into separators, drive
//                                    colons and wildcards ("．．＼Outside＼g.tmp" reads
//                                    "..\Outside\g.tmp")
//   MakeHostileEntries               such names in a folder, with the canary they would reach
//   ExpectHostileEntriesKept         the canary and every such entry still there
//   MakeFilesBeyondTheAnsiLimit      files whose paths the ANSI calls cannot reach
#pragma once

#include "support/SandboxFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

const wchar_t* const kHostileNames[] = {
    L"\xFF0E\xFF0E\xFF3C" L"Outside\xFF3C" L"g.tmp",   // ．．＼Outside＼g.tmp
    L"\xFF0E\xFF0E\xFF0F" L"Outside\xFF0F" L"g.tmp",   // ．．／Outside／g.tmp
    L".." L"\x2215" L"Outside" L"\x2215" L"g.tmp",      // ..∕Outside∕g.tmp
    L"E\xFF1A" L"g.tmp",                               // E：g.tmp
    L"g\xFF1F.tmp",                                    // g？.tmp
    L"g\xFF0A.tmp",                                    // g＊.tmp
};

// A folder that reads "..\Outside" in ANSI: "．．＼Outside".
const wchar_t kHostileFolder[] = L"\xFF0E\xFF0E\xFF3C" L"Outside";

// Every hostile name as a file of folder, and g.tmp inside a hostile folder there; read in ANSI
// they name the canary Outside\g.tmp beside folder, which is made too.
inline void MakeHostileEntries(const SandboxFolder& sandbox, const std::wstring& folder)
{
    sandbox.MakeFile("Outside\\g.tmp", "canary");
    sandbox.MakeLiteralFile(folder + L"\\" + kHostileFolder + L"\\g.tmp");
    for (const wchar_t* name : kHostileNames)
        sandbox.MakeLiteralFile(folder + L"\\" + name);
}

inline void ExpectHostileEntriesKept(const SandboxFolder& sandbox, const std::wstring& folder)
{
    EXPECT_TRUE(sandbox.IsListed("Outside\\g.tmp"));
    EXPECT_TRUE(sandbox.IsLiteralListed(folder + L"\\" + kHostileFolder + L"\\g.tmp"));
    for (const wchar_t* name : kHostileNames)
        EXPECT_TRUE(sandbox.IsLiteralListed(folder + L"\\" + name));
}

// Files of folder with whole ANSI paths of 257, 258 and 259 characters and one far longer, and
// files inside folders named "Dots..." and "Blank "; extension ends every name. Returns their
// paths below the sandbox folder.
inline std::vector<std::wstring> MakeFilesBeyondTheAnsiLimit(const SandboxFolder& sandbox, const std::wstring& folder,
                                                             const std::wstring& extension)
{
    std::vector<std::wstring> made;
    const size_t prefix = static_cast<size_t>(sandbox.Path().GetLength()) + 1 + folder.size() + 1;
    for (size_t length : {257u, 258u, 259u})
        made.push_back(folder + L"\\" + std::wstring(length - prefix - extension.size(), L'n') + extension);
    made.push_back(folder + L"\\" + std::wstring(200, L'd') + L"\\" + std::wstring(200, L'e') + L"\\x" + extension);
    made.push_back(folder + L"\\Dots...\\x" + extension);
    made.push_back(folder + L"\\Blank \\y" + extension);
    for (const std::wstring& file : made)
        sandbox.MakeLiteralFile(file);
    return made;
}
