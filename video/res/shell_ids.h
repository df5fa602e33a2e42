// Resource identifiers of the application shell: main frame, tray, about box
// and full-screen dialog (the recording view's own are in resource.h).
#pragma once

#define IDR_MAINFRAME 128  // menu, accelerators, icon and document string
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
