// The network tree pane.
#pragma once

// A child form filled by the network tree
#define IDD_TREE_VIEW 102
#define IDC_NETWORK_TREE 1000

// Image strips of the network tree, 16 x 15 pixels an image, magenta transparent
#define IDB_NODE_IMAGES 130  // six node pictures: empty, cable, computers, computer, open and closed folder
#define IDB_CHECK_IMAGES 131 // four check states: none, unchecked, checked, partly checked

// The tree's pop-up menu (its first pop-up is shown): adding servers by name, removing one
#define IDR_TREE_POPUP 155
#define ID_TREE_REMOVE_SERVER 32815

// "Add Server": a box for names or addresses, one or several
#define IDD_ADD_SERVER 104
#define IDC_SERVER_NAMES 1050
#define IDC_SERVER_NAMES_LABEL 1051
