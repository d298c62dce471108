#include "network/win/CheckTreeCtrl.h"

#include "network/CheckStateLogic.h"

#include <windowsx.h>

namespace vk {

TreeNode CCheckTreeCtrl::FirstChild(TreeNode node) {
    return Node(node == kNoNode ? Root() : Child(Item(node)));
}

TreeNode CCheckTreeCtrl::NextSibling(TreeNode node) {
    return node == kNoNode ? kNoNode : Node(ui::TreeViewCtrl::NextSibling(Item(node)));
}

TreeNode CCheckTreeCtrl::Parent(TreeNode node) {
    return node == kNoNode ? kNoNode : Node(ParentItem(Item(node)));
}

std::wstring CCheckTreeCtrl::Text(TreeNode node) {
    return node == kNoNode ? std::wstring() : ItemText(Item(node));
}

std::intptr_t CCheckTreeCtrl::Data(TreeNode node) {
    return node == kNoNode ? 0 : ItemData(Item(node));
}

int CCheckTreeCtrl::GetCheckState(TreeNode node) {
    if (node == kNoNode) {
        return kNoCheckBox;
    }
    return static_cast<int>((ItemState(Item(node), TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

void CCheckTreeCtrl::SetCheckState(TreeNode node, int state) {
    if (node == kNoNode || state < Unchecked || state > PartlyChecked) {
        return;
    }
    SetItemState(Item(node), INDEXTOSTATEIMAGEMASK(static_cast<UINT>(state)), TVIS_STATEIMAGEMASK);
}

TreeNode CCheckTreeCtrl::InsertNode(TreeNode parent, const NewTreeNode& node) {
    return Node(InsertItem(Item(parent), node.text, node.image, node.selectedImage, node.data, node.hasChildren,
                           static_cast<UINT>(node.checkState)));
}

void CCheckTreeCtrl::DeleteNode(TreeNode node) {
    if (node != kNoNode) {
        DeleteItem(Item(node));
    }
}

void CCheckTreeCtrl::SetBranchState(TreeNode node, int state) {
    vk::SetBranchState(*this, node, state);
}

void CCheckTreeCtrl::ToggleCheckState(TreeNode node) {
    vk::ToggleCheckState(*this, node);
}

bool CCheckTreeCtrl::PressedOnCheckBox(LPARAM point) {
    UINT flags = 0;
    const HTREEITEM item = HitTest({GET_X_LPARAM(point), GET_Y_LPARAM(point)}, &flags);
    if (!item || (flags & TVHT_ONITEMSTATEICON) == 0) {
        return false;
    }
    ToggleCheckState(Node(item));
    return true;
}

bool CCheckTreeCtrl::ReflectedMessage(ui::Message& m) {
    if (m.message != WM_NOTIFY) {
        return false;
    }
    switch (m.Notify()->code) {
    case NM_CLICK:
    case NM_RCLICK:
    case TVN_ITEMEXPANDINGW:
    case TVN_GETDISPINFOW:
        m.result = 0;
        return true;
    default:
        return false;
    }
}

bool CCheckTreeCtrl::ProcessMessage(ui::Message& m) {
    switch (m.message) {
    case WM_LBUTTONDOWN:
    // The second press of a double-click is a press too: without this the control would answer
    // it with its own toggle (after asking the parent about the double-click).
    case WM_LBUTTONDBLCLK:
        if (PressedOnCheckBox(m.lParam)) {
            m.result = 0;
            return true;
        }
        break;
    case WM_KEYDOWN:
        if (m.wParam == VK_SPACE) {
            ToggleCheckState(Node(Selection()));
            m.result = 0;
            return true;
        }
        break;
    case WM_CHAR:
        // The space that follows the key press: no search by typed letters for it.
        if (m.wParam == L' ') {
            m.result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return ui::TreeViewCtrl::ProcessMessage(m);
}

} // namespace vk
