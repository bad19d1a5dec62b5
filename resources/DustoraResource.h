// Resource numbers of Dustora.exe: dialog templates, strings, pictures, menus and control ids.
#pragma once

// ----- Strings
#define IDS_STATUS_TITLE 104             // "Dustora Status..."
#define IDS_TIP_EMPTY_RECYCLE_BIN 107
#define IDS_CREDITS 57667
#define IDS_TIP_DOC_HISTORY 57668
#define IDS_TIP_WIN_TEMP 57669
#define IDS_TIP_APP_LOG 57670
#define IDS_TIP_IE_ITEMS 57671
#define IDS_NOTE_RUN_HISTORY 57672
#define IDS_NOTE_REG_BACKUP 57673
#define IDS_OLE_INIT_FAILED 57674
#define IDS_FREE_SPACE_FAILED 57675
#define IDS_OUTLOOK_NOT_INSTALLED 57677
#define IDS_RUN_KEY_FAILED 57680
#define IDS_ABOUTBOX 57681               // "&About Dustora..."
#define IDS_OFFICE_NOT_INSTALLED 57682
#define IDS_NETSCAPE_NO_CACHE 57686
#define IDS_PREVIEW_CLEAN 57687          // "&Preview Clean..."

// ----- Pictures
#define IDR_MAINFRAME 128                // the program's icon
#define IDB_BACKGROUND 130               // 217 x 180 tile behind every dialog
#define IDB_SPLASH 139                   // 369 x 365 splash picture
#define IDB_SPLASH_MASK 140              // 369 x 365, 1 bit: black is outside the splash
#define IDB_BANNER 143                   // 468 x 49 banner
#define IDB_REPORT_LOGO 163              // 160 x 36, pure red where the background shows
#define IDB_PROGRESS_BANNER 166          // 500 x 23
// Icons of the main dialog's buttons.
#define IDI_EXIT 136
#define IDI_HELP 137
#define IDI_START 138
#define IDI_IE_ITEMS 144
#define IDI_NETSCAPE_ITEMS 146
#define IDI_NOTE 149
#define IDI_OUTLOOK_ITEMS 153
#define IDI_SCHEDULE 156
#define IDI_ADVANCED_SCHEDULER 157
#define IDI_FOLDERS 158
#define IDI_OFFICE_ITEMS 161

// ----- Menus and commands
#define IDR_TRAY_MENU 132                // also the notification icon's identifier
#define IDM_ABOUTBOX 0x0010              // system menu and notification menu
#define IDM_PREVIEW_CLEAN 0x0020         // system menu
#define ID_APP_EXIT 32771
#define ID_SHOW_OPTIONS 32774
#define ID_HELP_CONTENTS 32776
#define ID_HELP_GETTING_STARTED 32777
#define ID_HELP_LICENSE 32779

// ----- The About box
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1033
#define IDC_ABOUT_NAME 622
#define IDC_ABOUT_VERSION 623
#define IDC_ABOUT_COPYRIGHT 624
#define IDC_ABOUT_BUILD_STAMP 625
#define IDC_ABOUT_FRAME 627
#define IDC_ABOUT_BUILD 683
#define IDC_ABOUT_HOME_PAGE 1031
#define IDC_ABOUT_SUPPORT_MAIL 1032
#define IDC_ABOUT_MAKER_PAGE 1034

// ----- The main dialog
#define IDD_DUSTORA_DIALOG 102
// Tick boxes.
#define IDC_DEL_WINDOWS_DOC_HISTORY 1000
#define IDC_DEL_INVALID_SHORTCUTS 1001
#define IDC_EMPTY_RECYCLE_BIN 1002
#define IDC_DEL_WIN_TEMP 1004
#define IDC_DEL_WIN_RUN_HISTORY 1006
#define IDC_CLEAN_REG_UNINSTALL 1007
#define IDC_DEL_CHK_FILES 1008
#define IDC_MSIE 1017
#define IDC_OUTLOOK 1018
#define IDC_NETSCAPE 1019
#define IDC_DEL_APP_LOG 1029
#define IDC_DEL_REG_BACKUP 1030
#define IDC_OFFICE 1051
#define IDC_DEL_REG_INVALID_OLE 1067
// Buttons.
#define IDC_ADVANCED_SCHEDULER 1016
#define IDC_IE_ITEMS 1041
#define IDC_NETSCAPE_ITEMS 1042
#define IDC_RUN_HISTORY_NOTE 1045
#define IDC_REG_BACKUP_NOTE 1046
#define IDC_OUTLOOK_ITEMS 1047
#define IDC_SCHEDULE 1049
#define IDC_OFFICE_ITEMS 1050
#define IDC_FOLDERS 1065
#define IDC_HELP_BUTTON 57670
// Labels, groups and the drive list.
#define IDC_DRIVE_LIST 1021
#define IDC_IE_GROUP 1022
#define IDC_NETSCAPE_GROUP 1023
#define IDC_GENERAL_GROUP 1024
#define IDC_STANDARD_GROUP 1025
#define IDC_REGISTRY_GROUP 1026
#define IDC_BANNER 1035
#define IDC_LAST_CLEANED 1036
#define IDC_AUTOMATIC_GROUP 1039
#define IDC_OUTLOOK_GROUP 1048
#define IDC_OFFICE_GROUP 1052
#define IDC_DRIVES_LABEL 1058

// ----- The clean progress dialog
#define IDD_CLEAN_PROGRESS 103
#define IDC_PROGRESS_BAR 1006
#define IDC_PROGRESS_ACTION 1013
#define IDC_PROGRESS_ITEM 1014
#define IDC_PROGRESS_BANNER 1063
#define IDC_PROGRESS_SECOND_BANNER 1064

// ----- The clean report dialog
#define IDD_CLEAN_REPORT 148
#define IDC_REPORT_TEXT 1044
#define IDC_REPORT_TOTAL 1046
#define IDC_REPORT_REGISTRY 1047
#define IDC_REPORT_BANNER 1057

// ----- The folder settings dialog
#define IDD_FOLDER_SETTINGS 129
#define IDC_FOLDER_RECENT_DOCS 1005
#define IDC_FOLDER_TEMP 1006
#define IDC_FOLDER_IE_CACHE 1009
#define IDC_FOLDER_IE_COOKIES 1010
#define IDC_FOLDER_NS_CACHE 1011
#define IDC_BROWSE_RECENT_DOCS 1050
#define IDC_BROWSE_TEMP 1051
#define IDC_BROWSE_IE_CACHE 1052
#define IDC_BROWSE_IE_COOKIES 1053
#define IDC_BROWSE_NS_CACHE 1054
#define IDC_DETECT_FOLDERS 1066

// ----- The item dialogs and their tick boxes
#define IDC_ITEMS_GROUP 1056

#define IDD_IE_ITEMS 145
#define IDC_IE_CLEAN_CACHE 1009
#define IDC_IE_DELETE_TYPED_URLS 1019
#define IDC_IE_EMPTY_COOKIES 1028

#define IDD_NETSCAPE_ITEMS 147
#define IDC_NS_CLEAN_CACHE 1013
#define IDC_NS_DELETE_COOKIES 1017

#define IDD_OUTLOOK_ITEMS 162
#define IDC_OUTLOOK_EMPTY_DELETED_ITEMS 1054

#define IDD_OFFICE_ITEMS 165
#define IDC_OFFICE_WORD_MRU 1017
#define IDC_OFFICE_EXCEL_MRU 1018
#define IDC_OFFICE_ACCESS_MRU 1019
#define IDC_OFFICE_POWERPOINT_MRU 1020

// ----- The Schedule dialog
#define IDD_SCHEDULE 154
#define IDC_LOAD_AT_STARTUP 1017
#define IDC_CLEAN_AT_SHUTDOWN 1037
#define IDC_CLEAN_AT_STARTUP 1038
