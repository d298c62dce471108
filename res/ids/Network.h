// The network tree pane.
#pragma once

// A child form filled by the network tree
#define IDD_TREE_VIEW 102
#define IDC_NETWORK_TREE 1000

// Image strips of the network tree, 16 x 15 pixels an image, magenta transparent
#define IDB_NODE_IMAGES 130  // six node pictures: empty, cable, computers, computer, open and closed folder
#define IDB_CHECK_IMAGES 131 // four check states: none, unchecked, checked, partly checked
