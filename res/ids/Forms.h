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
// Its filter group, below the controls above (and after them in the tab order)
#define IDC_MODIFIED_MODE 1052  // "any time", "after", "before" or "between"
#define IDC_MODIFIED_FIRST 1053 // the time of "after" or "before", the start of "between"
#define IDC_MODIFIED_UNTIL 1054 // the end of "between"
#define IDC_EXCLUDE_MASK 1055   // its list is the exclude-mask history
#define IDC_DEPTH 1056          // folders below each share or folder; empty for no limit
#define IDC_DEPTH_SPIN 1057     // the depth box's up-down
#define IDC_FIND_KIND 1058      // files and folders, files only or folders only

// The Options dialog (Cancel is IDCANCEL, "Apply" IDOK)
#define IDD_OPTIONS 163
#define IDC_SHOW_TRAY_ICON 1025
#define IDC_MINIMIZE_TO_TRAY 1026
#define IDC_SHOW_TIPS 1028
