// Resource ids of the forms that user-interface tests put in the lower pane.
#pragma once

#define IDD_TEST_FORM_SIMPLE 9001
#define IDD_TEST_FORM_ADVANCED 9002
#define IDC_TEST_EDIT 9010
#define IDC_TEST_BUTTON 9011
