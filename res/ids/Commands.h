// Command ids: menu items, toolbar buttons, accelerators and the handlers they reach.
#pragma once

// File
#define ID_FILE_SAVE_RESULT 32772
#define ID_APP_EXIT 57665

// Edit
#define ID_EDIT_COPY_FILES 32773
#define ID_EDIT_SELECT_ALL 32778
#define ID_EDIT_COPY_PATH 32779
#define ID_EDIT_DELETE_ITEMS 32782
#define ID_EDIT_INVERT_SELECTION 32798

// View
#define ID_VIEW_OPTIONS 32802
#define ID_ARRANGE_BY_NAME 32812
#define ID_ARRANGE_BY_SIZE 32813
#define ID_ARRANGE_BY_FOLDER 32814
#define ID_ARRANGE_BY_MODIFIED 32817
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Tools
#define ID_TOOLS_MAP_NETWORK_DRIVE 32790
#define ID_TOOLS_ADD_SERVER 32816

// Help
#define ID_HELP_ONLINE 32804
#define ID_HELP_EMAIL 32808
#define ID_HELP_TIP_OF_THE_DAY 32803
#define ID_HELP_CONTENTS 57670
#define ID_APP_ABOUT 57664

// Panes (accelerators)
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// Tray menu
#define ID_TRAY_SHOW 32799

// Result list pop-up menu
#define ID_OPEN 32806
#define ID_PROPERTIES 32807
#define ID_OPEN_CONTAINING_FOLDER 32811
