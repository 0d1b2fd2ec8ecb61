#pragma once
// Resource ids of Mirando.exe (the mark-offset tool).

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MIRANDO_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_BACKGROUND 130

// The system menu's About item (below 0xF000, low four bits clear).
#define IDM_ABOUTBOX 0x0010

#define IDC_UPPER_OFFSET 1000
#define IDC_LOWER_OFFSET 1002
#define IDC_LEFT_OFFSET 1003
#define IDC_RIGHT_OFFSET 1004
#define IDC_PORT 1006
#define IDC_INSTRUCTIONS 1007
#define IDC_SAVE_TO_FILE 1009
// Labels, given ids only so that the dialog can place them.
#define IDC_UPPER_MM 1020
#define IDC_LOWER_MM 1021
#define IDC_LEFT_MM 1022
#define IDC_RIGHT_MM 1023
#define IDC_PORT_LABEL 1024
#define IDC_VERSION 1025
