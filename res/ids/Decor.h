// Owner-drawn menus and the flat look of controls: the menu icons.
#pragma once

// The menu icons, 16 x 16; the main frame loads them into the menu image list in the order
// 168, 169, 170, 173, 171, 172, 174, 175, 176, 182.
#define IDI_MENU_SAVE_RESULT 168
#define IDI_MENU_COPY_FILES 169
#define IDI_MENU_OPTIONS 170
#define IDI_MENU_DELETE_ITEMS 171
#define IDI_MENU_MAP_NETWORK_DRIVE 172
#define IDI_MENU_ABOUT 173
#define IDI_MENU_HELP 174
#define IDI_MENU_TIP_OF_THE_DAY 175
#define IDI_MENU_ONLINE 176
#define IDI_MENU_EMAIL 182
