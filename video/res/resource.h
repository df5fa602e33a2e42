// Resource identifiers of the video recorder, shared by its resource scripts
// and its code.
#pragma once

// Dialogs.
#define IDD_VIDEO_FORM 101
#define IDD_OPTIONS 130
#define IDD_WAIT 148

// Menus.
#define IDR_VIEW_CONTEXT 135

// Bitmaps of the state picture.
#define IDB_RECORDING 146
#define IDB_IDLE 147
#define IDB_WAITING 151

// Controls of the recording form.
#define IDC_PHOTO 1000
#define IDC_RECORD 1001
#define IDC_PREVIEW 1002
#define IDC_TIMED_PHOTO 1003
#define IDC_TIMED_RECORD 1004
#define IDC_STOP 1013
#define IDC_STATE_PICTURE 1019
#define IDC_BROWSER 1026

// Controls of the options dialog.
#define IDC_PHOTO_FOLDER 1030
#define IDC_PHOTO_BROWSE 1031
#define IDC_VIDEO_FOLDER 1032
#define IDC_VIDEO_BROWSE 1033
#define IDC_DELAY 1034

// Controls of the countdown dialog.
#define IDC_WAIT_TEXT 1040

// Commands.
#define ID_OPTIONS 32772
#define ID_VIDEO_FORMAT 32784
#define ID_FULL_SCREEN 32785
#define ID_VIDEO_COMPRESSION 32791
#define ID_APP_EXIT_VIEW 32802
#define ID_SHOW_HIDE 32809

// Status-bar panes of the main frame.
#define ID_INDICATOR_PHOTOS 61447
#define ID_INDICATOR_RECORDED 61448

// The application shell: main frame (menu, accelerators, icon and document
// string 128), tray menu, about box and full-screen dialog.
#define IDR_MAINFRAME 128
#define IDR_TRAY_MENU 153
#define IDD_ABOUTBOX 100
#define IDD_FULLSCREEN 140

// Commands of the main frame.
#define ID_HOME_PAGE 32773
#define ID_ONLINE_UPDATE 32787
#define ID_WRITE_TO_AUTHOR 32788
#define ID_FEEDBACK 32789

// The tray icon's callback message (WM_USER + 10).
#define WM_TRAY_NOTIFY 1034
