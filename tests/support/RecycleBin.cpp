#include "support/RecycleBin.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <string>

LONGLONG ItemsInBin()
{
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    info.i64NumItems = 0xdeadbeef;
    EXPECT_EQ(S_OK, ::SHQueryRecycleBinA(nullptr, &info));
    return info.i64NumItems;
}

BOOL PutInBin(const CString& path)
{
    std::string from = path.Str();
    from.push_back('\0');   // the list ends in two zeros
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return ::SHFileOperationA(&operation) == 0;
}

void EmptyBin()
{
    ::SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}
