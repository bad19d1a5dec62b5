// RecycleBinLinks: every link the Recycle Bin holds, removed as the link itself before the shell
// empties the bin. Windows' shell deletes a link in the bin as a link. Wine's bin is the user's
// XDG Trash, whose emptying follows a Unix link to a file and deletes what it leads to, and Wine
// opens every link as what it leads to, so no Windows call can remove one: there each link (at
// any depth of the Trash) is removed by the host's own "rm -f", which never follows a link and
// never descends.
#pragma once

#include <windows.h>

// TRUE when the bin holds no link any more; FALSE when one could not be removed, and the bin
// must then not be emptied.
BOOL RemoveLinksFromRecycleBin();
