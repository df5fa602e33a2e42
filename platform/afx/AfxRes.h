// Identifiers the framework reserves: frame panes and bars, its private
// messages and its standard strings. Usable from resource scripts.
#pragma once

#define ID_SEPARATOR 0

// Child windows of a frame.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_STATUS_BAR 0xE801  // 59393
#define AFX_IDW_PANE_FIRST 0xE900  // 59648: the frame's view

// Standard strings.
#define AFX_IDS_APP_TITLE 0xE000  // 57344
#define AFX_IDS_IDLEMESSAGE 0xE001

// Sent to every view of a frame when the frame first shows its document.
#define WM_INITIALUPDATE 0x0364
