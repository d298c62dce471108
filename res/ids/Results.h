// The result pane.
#pragma once

// A child form filled by the result list
#define IDD_RESULT_VIEW 101
#define IDC_RESULT_LIST 1001
