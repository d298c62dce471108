#pragma once
// What the screenshot tools do to the panes before the picture is taken: find nodes of the
// network tree by their texts, browse them with a double-click and click their check boxes, as a
// user would; and the tools' command lines.

#include "framework/MessageLoop.h"
#include "network/win/CheckTreeCtrl.h"

#include <shellapi.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace vk {

// The child of parent (kNoNode: the top level) with the given text; kNoNode if there is none.
inline TreeNode Child(CCheckTreeCtrl& tree, TreeNode parent, const std::wstring& text) {
    for (TreeNode node = tree.FirstChild(parent); node != kNoNode; node = tree.NextSibling(node)) {
        if (tree.Text(node) == text) {
            return node;
        }
    }
    return kNoNode;
}

inline TreeNode At(CCheckTreeCtrl& tree, std::initializer_list<const wchar_t*> path) {
    TreeNode node = kNoNode;
    for (const wchar_t* text : path) {
        node = Child(tree, node, text);
        if (node == kNoNode) {
            std::fwprintf(stderr, L"screenshot: no node %ls\n", text);
            return kNoNode;
        }
    }
    return node;
}

// The user's double-click on a node's text: it selects the node and browses it.
inline void DoubleClick(CCheckTreeCtrl& tree, TreeNode node) {
    if (node == kNoNode) {
        return;
    }
    const HTREEITEM item = CCheckTreeCtrl::Item(node);
    tree.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    const RECT text = tree.ItemRect(item, true);
    const LPARAM point = MAKELPARAM((text.left + text.right) / 2, (text.top + text.bottom) / 2);
    tree.Select(item);
    PostMessageW(tree.Handle(), WM_LBUTTONUP, 0, point);
    tree.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ui::PumpWaitingMessages();
}

// A press on a node's check box, found by the hit test left of its text.
inline void ClickCheckBox(CCheckTreeCtrl& tree, TreeNode node) {
    if (node == kNoNode) {
        return;
    }
    const HTREEITEM item = CCheckTreeCtrl::Item(node);
    const RECT text = tree.ItemRect(item, true);
    const int y = (text.top + text.bottom) / 2;
    for (int x = 0; x < text.left; ++x) {
        UINT flags = 0;
        if (tree.HitTest({x, y}, &flags) == item && (flags & TVHT_ONITEMSTATEICON) != 0) {
            tree.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 4, y));
            tree.Send(WM_LBUTTONUP, 0, MAKELPARAM(x + 4, y));
            return;
        }
    }
}

inline bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the user does on the demo network before the picture: open a few nodes, leave out a share
// and a domain, and list a folder.
inline void BrowseTheDemoNetwork(CCheckTreeCtrl& tree) {
    const wchar_t* network = L"Microsoft Windows Network";
    DoubleClick(tree, At(tree, {network}));
    DoubleClick(tree, At(tree, {network, L"WORKGROUP"}));
    DoubleClick(tree, At(tree, {network, L"ACME"}));
    DoubleClick(tree, At(tree, {network, L"WORKGROUP", L"\\\\ATLAS"}));
    ClickCheckBox(tree, At(tree, {network, L"WORKGROUP", L"\\\\ATLAS", L"Music"}));
    ClickCheckBox(tree, At(tree, {network, L"ACME"}));
    DoubleClick(tree, At(tree, {network, L"WORKGROUP", L"\\\\ATLAS", L"Projects"}));
}

// The program's command line, split as the system splits it.
inline std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 0; i < count; ++i) {
        args.emplace_back(arguments[i]);
    }
    LocalFree(arguments);
    return args;
}

} // namespace vk
