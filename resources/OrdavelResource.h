// Resource numbers of Ordavel.EXE.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_ORDAVEL_DIALOG 102

// Strings
#define IDS_ABOUTBOX 101
#define IDS_SCHEDULE_STARTED 200
#define IDS_SCHEDULE_START_FAILED 201
#define IDS_SCHEDULE_STOPPED 202
#define IDS_SCHEDULE_STOP_FAILED 203

// Pictures
#define IDR_MAINFRAME 128
#define IDB_BACKGROUND 129

// The About item of the system menu (system commands keep the low four bits clear)
#define IDM_ABOUTBOX 0x0010

// Controls of the main dialog
#define IDC_START_DATE 1006
#define IDC_START_TIME 1007
#define IDC_END_DATE 1008
#define IDC_START_TASK 1009
#define IDC_FREQUENCY_ONCE 1010
#define IDC_FREQUENCY_DAILY 1011
#define IDC_FREQUENCY_WEEKLY 1012
#define IDC_FREQUENCY_MONTHLY 1013
#define IDC_STOP_TASK 1015
#define IDC_FREQUENCY_GROUP 1016

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
