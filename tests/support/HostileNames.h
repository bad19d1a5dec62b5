// kHostileNames: file names a Unix side can make that the ANSI listing best-fits into
// separators, drive colons and wildcards ("．．＼Outside＼g.tmp" reads "..\Outside\g.tmp"). The
// first three reach "..\Outside\g.tmp" from a folder that way.
#pragma once

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
