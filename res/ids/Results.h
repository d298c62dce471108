// The result pane.
#pragma once

// A child form filled by the result list
#define IDD_RESULT_VIEW 101
#define IDC_RESULT_LIST 1001

// The result list's pop-up menu (its first pop-up is shown)
#define IDR_RESULT_POPUP 154
