// Resource numbers of Dustora.exe.
#pragma once

#define IDS_OLE_INIT_FAILED 57674
#define IDS_FREE_SPACE_FAILED 57675

#define IDD_DUSTORA_DIALOG 102
#define IDB_BACKGROUND 130
