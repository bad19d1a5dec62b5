// Every message box goes through AfxMessageBox: the program's name as caption, texts by number.
#include "app/CCleanerApp.h"
#include "framework/MessageBox.h"
#include "resources/DustoraResource.h"
#include "support/RecordedBoxes.h"

#include <gtest/gtest.h>

namespace {

CString ExecutableBaseName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    CString name(path);
    name = name.Mid(name.ReverseFind('\\') + 1);
    return name.Left(name.ReverseFind('.'));
}

TEST(MessageBoxFunnel, CaptionIsTheProgramNameAndTextComesFromTheStringTable)
{
    RecordedBoxes boxes(IDRETRY);
    EXPECT_EQ(IDRETRY, AfxMessageBox(IDS_OLE_INIT_FAILED, MB_ICONSTOP));
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(0, lstrcmpiA(ExecutableBaseName(), boxes.shown[0].caption.c_str())) << boxes.shown[0].caption;
    EXPECT_EQ("Error: Can't initalize OLE embedding.\nPlease update your OLE DLL files or contact us at "
              "support@halvex.example",
              boxes.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.shown[0].type);
}

TEST(MessageBoxFunnel, TextsAndTypesPassUnchanged)
{
    RecordedBoxes boxes;
    const struct { const char* text; UINT type; } cases[] = {
        {"Error: Cannot Execute C:\\Program Files\\Dustora\\Ordavel.EXE\nSome of Dustora files are missing.", MB_ICONEXCLAMATION},
        {"plain", MB_OK},
        {"", MB_ICONINFORMATION | MB_OKCANCEL},
    };
    for (const auto& c : cases)
        AfxMessageBox(c.text, c.type);
    ASSERT_EQ(3u, boxes.shown.size());
    for (size_t i = 0; i < boxes.shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].text, boxes.shown[i].text);
        EXPECT_EQ(cases[i].type, boxes.shown[i].type);
        EXPECT_EQ(nullptr, boxes.shown[i].owner);
    }
}

TEST(MessageBoxFunnel, AnUnknownStringNumberGivesAnEmptyText)
{
    RecordedBoxes boxes;
    AfxMessageBox(31998u, MB_ICONINFORMATION);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("", boxes.shown[0].text);
}

TEST(MessageBoxFunnel, RecordersNestAndRestoreThePreviousFunction)
{
    RecordedBoxes outer(IDYES);
    {
        RecordedBoxes inner(IDNO);
        EXPECT_EQ(IDNO, AfxMessageBox("inner"));
    }
    EXPECT_EQ(IDYES, AfxMessageBox("outer"));
    ASSERT_EQ(1u, outer.shown.size());
    EXPECT_EQ("outer", outer.shown[0].text);
}

}  // namespace
