#include "network/MemoryScopeTree.h"

#include "platform/WildcardName.h"

namespace vk {
namespace {

const wchar_t* CheckBoxText(int state) {
    switch (state) {
    case Unchecked:
        return L"[ ] ";
    case Checked:
        return L"[x] ";
    case PartlyChecked:
        return L"[~] ";
    default:
        return L"[?] ";
    }
}

} // namespace

const MemoryScopeTree::Node* MemoryScopeTree::Find(TreeNode node) const {
    if (node <= 0 || static_cast<std::size_t>(node) > nodes_.size()) {
        return nullptr;
    }
    return &nodes_[static_cast<std::size_t>(node) - 1];
}

MemoryScopeTree::Node* MemoryScopeTree::Find(TreeNode node) {
    return const_cast<Node*>(static_cast<const MemoryScopeTree*>(this)->Find(node));
}

TreeNode MemoryScopeTree::FirstChild(TreeNode node) {
    std::lock_guard lock(lock_);
    if (node == kNoNode) {
        return firstTop_;
    }
    const Node* found = Find(node);
    return found ? found->firstChild : kNoNode;
}

TreeNode MemoryScopeTree::NextSibling(TreeNode node) {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->nextSibling : kNoNode;
}

TreeNode MemoryScopeTree::Parent(TreeNode node) {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->parent : kNoNode;
}

std::wstring MemoryScopeTree::Text(TreeNode node) {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->text : std::wstring();
}

std::intptr_t MemoryScopeTree::Data(TreeNode node) {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->data : 0;
}

int MemoryScopeTree::GetCheckState(TreeNode node) {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->checkState : kNoCheckBox;
}

void MemoryScopeTree::SetCheckState(TreeNode node, int state) {
    std::lock_guard lock(lock_);
    if (Node* found = Find(node)) {
        found->checkState = state;
    }
}

TreeNode MemoryScopeTree::InsertNode(TreeNode parent, const NewTreeNode& node) {
    std::lock_guard lock(lock_);
    if (parent != kNoNode && !Find(parent)) {
        return kNoNode;
    }
    Node added;
    added.text = node.text;
    added.data = node.data;
    added.image = node.image;
    added.selectedImage = node.selectedImage;
    added.hasChildren = node.hasChildren;
    added.checkState = node.checkState;
    added.parent = parent;
    nodes_.push_back(std::move(added));
    const auto handle = static_cast<TreeNode>(nodes_.size());

    // Linked in only after push_back, which may move the nodes.
    TreeNode* first = &firstTop_;
    TreeNode* last = &lastTop_;
    std::size_t* count = &topCount_;
    if (parent != kNoNode) {
        Node* parentNode = Find(parent);
        first = &parentNode->firstChild;
        last = &parentNode->lastChild;
        count = &parentNode->childCount;
    }
    if (*last == kNoNode) {
        *first = handle;
    } else {
        Find(*last)->nextSibling = handle;
    }
    *last = handle;
    ++*count;
    return handle;
}

void MemoryScopeTree::DeleteNode(TreeNode node) {
    std::lock_guard lock(lock_);
    Node* found = Find(node);
    if (!found || found->removed) {
        return;
    }
    found->removed = true;
    Node* parent = Find(found->parent);
    TreeNode* first = parent ? &parent->firstChild : &firstTop_;
    TreeNode* last = parent ? &parent->lastChild : &lastTop_;
    std::size_t* count = parent ? &parent->childCount : &topCount_;
    TreeNode before = kNoNode;
    for (TreeNode at = *first; at != node; at = Find(at)->nextSibling) {
        before = at;
    }
    (before == kNoNode ? *first : Find(before)->nextSibling) = found->nextSibling;
    if (*last == node) {
        *last = before;
    }
    --*count;
}

int MemoryScopeTree::Image(TreeNode node) const {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->image : 0;
}

int MemoryScopeTree::SelectedImage(TreeNode node) const {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found ? found->selectedImage : 0;
}

bool MemoryScopeTree::HasChildren(TreeNode node) const {
    std::lock_guard lock(lock_);
    const Node* found = Find(node);
    return found && found->hasChildren;
}

std::size_t MemoryScopeTree::ChildCount(TreeNode node) const {
    std::lock_guard lock(lock_);
    if (node == kNoNode) {
        return topCount_;
    }
    const Node* found = Find(node);
    return found ? found->childCount : 0;
}

std::size_t MemoryScopeTree::NodeCount() const {
    std::lock_guard lock(lock_);
    return nodes_.size();
}

TreeNode MemoryScopeTree::FindChildByText(TreeNode parent, std::wstring_view text) const {
    std::lock_guard lock(lock_);
    TreeNode child = firstTop_;
    if (parent != kNoNode) {
        const Node* found = Find(parent);
        child = found ? found->firstChild : kNoNode;
    }
    for (; child != kNoNode; child = Find(child)->nextSibling) {
        if (EqualNamesNoCase(Find(child)->text, text)) {
            return child;
        }
    }
    return kNoNode;
}

std::wstring MemoryScopeTree::Dump() const {
    std::lock_guard lock(lock_);
    std::wstring out;
    DumpBranch(firstTop_, 0, out);
    return out;
}

void MemoryScopeTree::DumpBranch(TreeNode first, int depth, std::wstring& out) const {
    for (TreeNode child = first; child != kNoNode;) {
        const Node& node = *Find(child);
        out.append(static_cast<std::size_t>(depth) * 2, L' ');
        if (node.checkState != kNoCheckBox) {
            out += CheckBoxText(node.checkState);
        }
        out += node.text;
        out += L'\n';
        DumpBranch(node.firstChild, depth + 1, out);
        child = node.nextSibling;
    }
}

} // namespace vk
