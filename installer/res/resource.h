#pragma once
// Resource ids of the installer Ostrel.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_OSTREL_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_VERSION_LIST 1001
#define IDC_ABOUT_PROGRAM 1002

// The About item of the window's system menu.
#define IDM_ABOUTBOX 0x0010
