// The tray icon and the tip of the day.
#pragma once

// The tip of the day's dialog and its controls
#define IDD_TIP 204
#define IDC_TIP_PICTURE 102  // invisible: marks where the picture goes
#define IDC_TIP_NEXT 170     // "Next tip"
#define IDC_TIP_STARTUP 171  // "&Show tips on startup"
#define IDC_TIP_TEXT 172     // invisible: marks the rectangle of the tip text
#define IDC_TIP_PANEL 1022   // the white panel everything is drawn on

// Its picture: a light bulb, 25 x 32, 16 colours, on white
#define IDB_TIP_BULB 167

// Its texts
#define IDS_TIP_FILE_ABSENT 32780
#define IDS_TIP_FILE_TROUBLE 32781
#define IDS_TIP_DID_YOU_KNOW 32792
