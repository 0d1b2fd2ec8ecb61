// Resource ids of the job sender. The program's own resources (Chinese) and
// the English resource library use the same ids. Plain defines, so the
// resource compiler and the portable code can both read this file.
#pragma once

// Dialogs and the notification icon's menu.
#define IDD_ABOUTBOX 100
#define IDD_TARNIK_DIALOG 102
#define IDD_CFG_DIALOG 129
#define IDD_PLTFILECFG 132
#define IDR_TRAY_MENU 173

// Icons.
#define IDR_MAINFRAME 128
#define IDI_CANCEL_WORK 134
#define IDI_OPTION 151
#define IDI_SPARE 154
#define IDI_CUT_FROM_FILE 155
#define IDI_EXIT 157
#define IDI_SENDING_A 186
#define IDI_SENDING_B 187

// Bitmaps: the combo boxes' drop-down arrows (images 9 pixels wide).
#define IDB_DROPDOWN_ARROWS 166

// String table.
#define IDS_ABOUTBOX 101
#define IDS_CHOOSE_EXPORT_FOLDER 102
#define IDS_STARTED_BALLOON 103
#define IDS_STARTED_TITLE 104
#define IDS_TRAY_TIP 106
#define IDS_PORT_OPEN_FAILED 107
#define IDS_READY 108
#define IDS_ON_LINE 109
#define IDS_OFF_LINE 110
#define IDS_WATCH_FAILED 111
#define IDS_SEND_FINISHED 112
#define IDS_DONE_TIP 113
#define IDS_SENDING 115
#define IDS_PORT_OPENED 121
#define IDS_CUTTING_IN_PROGRESS 123
#define IDS_JOB_ABORTED 124
#define IDS_SIGNAL_LOST 125
#define IDS_PORT_NOT_READY 126
#define IDS_PRINT_FILE_MISSING 127
#define IDS_SEND_STOPPED 135
// Said when the settings file refused a write; the file's path follows it.
#define IDS_SETTINGS_NOT_SAVED 136
// The settings dialog's mark colour list: none, blue, red.
#define IDS_MARK_COLOUR_NONE 140
#define IDS_MARK_COLOUR_BLUE 141
#define IDS_MARK_COLOUR_RED 142

// The file settings dialog's cut-order list and the job's time on the
// line; the time left in the tip during a send.
#define IDS_ORDER_DRAWN 150
#define IDS_ORDER_INSIDE 151
#define IDS_ORDER_SHORTEST 152
#define IDS_LINE_TIME 153
#define IDS_TIME_LEFT 154

// The file settings dialog's media lists (turn; weed line directions) and
// the question between the strips of a job cut in strips.
#define IDS_ROTATE_NONE 160
#define IDS_ROTATE_QUARTER 161
#define IDS_ROTATE_AUTO 162
#define IDS_WEED_BOTH 163
#define IDS_WEED_ACROSS 164
#define IDS_WEED_ALONG 165
#define IDS_NEXT_STRIP 166

// Main window controls.
#define IDC_CANCEL_WORK 1000
#define IDC_OPTION 1001
#define IDC_CUT_FROM_FILE 1002
#define IDC_SPARE 1003
#define IDC_STATUS_TEXT 1006
#define IDC_PORT_TEXT 1007
#define IDC_MODEL_TEXT 1008
#define IDC_SIGNAL_LAMP 1009
#define IDC_AUTO_MODE 1017
#define IDC_FILE_MODE 1018
#define IDC_PROGRESS 1019
#define IDC_MAIN_GROUP 1034

// File settings dialog controls.
#define IDC_FILE_WIDTH 1007
#define IDC_FILE_HEIGHT 1008
#define IDC_LEFT_MARGIN 1009
#define IDC_TOP_MARGIN 1010
#define IDC_FILE_SIZE_GROUP 1041
#define IDC_MARGIN_GROUP 1042
#define IDC_CUT_TO_FILE 1060
#define IDC_CUT_ORDER_GROUP 1100
#define IDC_CUT_ORDER 1101
#define IDC_PANEL_LENGTH 1102
#define IDC_LINE_TIME 1103
#define IDC_MEDIA_GROUP 1104
#define IDC_MEDIA_WIDTH 1105
#define IDC_ROTATE 1106
#define IDC_MIRROR 1107
#define IDC_COPIES 1108
#define IDC_COPY_GAP 1109
#define IDC_WEED_BORDER 1110
#define IDC_WEED_LINES 1111
#define IDC_WEED_DIRECTION 1112
#define IDC_WEED_GAP 1113
#define IDC_TILE_OVERLAP 1114

// Settings dialog controls (visible).
#define IDC_CFG_EXPORT_BROWSE 1000
#define IDC_CFG_EXPORT_PATH 1006
#define IDC_CFG_EXPORT_FILENAME 1007
#define IDC_CFG_CLOSE_OFFSET 1008
#define IDC_CFG_SHARP_OFFSET 1009
#define IDC_CFG_X_STEPS 1010
#define IDC_CFG_X_DESIGN_SIZE 1011
#define IDC_CFG_WAIT_SECOND 1012
#define IDC_CFG_REDUCE_POINT 1013
#define IDC_CFG_Y_TRUE_SIZE 1014
#define IDC_CFG_Y_DESIGN_SIZE 1015
#define IDC_CFG_CANCEL 1020
#define IDC_CFG_BAUD_RATE 1026
#define IDC_CFG_PARITY 1027
#define IDC_CFG_DATA_BITS 1028
#define IDC_CFG_STOP_BITS 1029
#define IDC_CFG_PORT 1030
#define IDC_CFG_MODEL 1031
#define IDC_CFG_MARK_COLOUR 1033
#define IDC_CFG_SHARP_ENABLE 1034
#define IDC_CFG_CLOSE_ENABLE 1035
#define IDC_CFG_MODEL_GROUP 1036
#define IDC_CFG_NEW_SERIAL 1037
#define IDC_CFG_PORT_GROUP 1038
#define IDC_CFG_CUT_GROUP 1039
#define IDC_CFG_EXPORT_GROUP 1040
#define IDC_CFG_REDUCE_ENABLE 1041
#define IDC_CFG_CONTOUR_MODE 1042
#define IDC_CFG_BUFFER 1043
#define IDC_CFG_CONTOUR_GROUP 1045
#define IDC_CFG_SIZE_GROUP 1046
#define IDC_CFG_X_TRUE_SIZE 1047
#define IDC_CFG_MEASURE 1048
#define IDC_CFG_DASHED_GROUP 1059
#define IDC_CFG_DASHED_MODE 1061
#define IDC_CFG_SOLID_LENGTH 1062
#define IDC_CFG_JUMP_LENGTH 1063
#define IDC_CFG_FEED_PAPER 1075
#define IDC_CFG_Y_STEPS 1076
#define IDC_CFG_FEED_GROUP 1078
#define IDC_CFG_USB_PORT 1079

// About dialog controls.
#define IDC_ABOUT_PROGRAM 1050
#define IDC_ABOUT_WEB 1051

// Notification icon menu commands.
#define ID_TRAY_ABOUT 32771
#define ID_TRAY_OPTIONS 32772
#define ID_TRAY_EXIT 32773
#define ID_TRAY_CANCEL 32774
#define ID_TRAY_HELP 32775

// System menu item of the About box (a multiple of 16, as system menu
// commands must be).
#define IDM_ABOUTBOX 0x0010
