// The main frame, start-up and the about box.
#pragma once

// The main frame's shared id: its icon, menu, accelerators, toolbar (with its bitmap of button
// images) and document string
#define IDR_MAINFRAME 128

// The toolbar resource type: the image size and the buttons' commands (0 a separator)
#define RT_TOOLBAR_BUTTONS 241

// The about box: a picture over an "Ok" button
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_PICTURE 1045
#define IDB_ABOUT_PICTURE 140 // 307 x 190 pixels, 24-bit

// Strings
#define IDS_APP_TITLE 57344    // the application's name
#define IDS_IDLE_MESSAGE 57345 // the status bar's message pane when nothing else is said
