// The search forms and the Options dialog.
#pragma once

// The simple search form (a child form in the lower pane)
#define IDD_SIMPLE_FORM 103
#define IDC_MASK 1002          // the file or folder mask; its list is the history
#define IDC_ADVANCED_MODE 1034 // swaps in the advanced form
#define IDC_START 1007
#define IDC_STOP 1008

// The advanced search form (a child form in the lower pane)
#define IDD_ADVANCED_FORM 205
#define IDC_SHARE_MASK_ON 1035
#define IDC_SHARE_MASK 1041 // its list is the share-mask history
#define IDC_FILE_MASK_ON 1036
#define IDC_FILE_MASK 1042 // its list is the file-mask history
#define IDC_TEXT_ON 1048
#define IDC_CONTAINING_TEXT 1049
#define IDC_SIZE_ON 1037
#define IDC_SIZE_MODE 1039   // "at least" or "at most"
#define IDC_SIZE_BOUND 1043  // the bound in kilobytes
#define IDC_SIMPLE_MODE 1040 // swaps in the simple form
#define IDC_START_ADVANCED 1038
#define IDC_STOP_ADVANCED 1044

// The Options dialog (Cancel is IDCANCEL, "Apply" IDOK)
#define IDD_OPTIONS 163
#define IDC_SHOW_TRAY_ICON 1025
#define IDC_MINIMIZE_TO_TRAY 1026
#define IDC_SHOW_TIPS 1028
