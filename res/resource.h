// Resource ids of Varnokle.rc. Included by the resource compiler and by C++ code, so this file
// holds nothing but #define lines.
//
// Ranges: 100-127 dialog templates, 128 the main frame's shared id (icon; later also its menu,
// accelerators, toolbar and document string), 130-167 bitmaps, 168-199 menu icons,
// 1000-1999 controls, 32768 and up menu commands.
#pragma once

// Main frame
#define IDR_MAINFRAME 128 // the program icon

// Result view: a child form filled by the result list
#define IDD_RESULT_VIEW 101
#define IDC_RESULT_LIST 1001

// Network tree view: a child form filled by the network tree
#define IDD_TREE_VIEW 102
#define IDC_NETWORK_TREE 1000

// Image strips of the network tree, 16 x 15 pixels an image, magenta transparent
#define IDB_NODE_IMAGES 130  // six node pictures: empty, cable, computers, computer, open and closed folder
#define IDB_CHECK_IMAGES 131 // four check states: none, unchecked, checked, partly checked

// Result list commands
#define ID_EDIT_DELETE_ITEMS 32782
#define ID_OPEN 32806
#define ID_PROPERTIES 32807
#define ID_OPEN_CONTAINING_FOLDER 32811
#define ID_ARRANGE_BY_NAME 32812
#define ID_ARRANGE_BY_SIZE 32813
#define ID_ARRANGE_BY_FOLDER 32814
