#include "engine/ScopeTree.h"

namespace vk {

std::wstring BuildNodePath(IScopeTree& tree, TreeNode node) {
    TreeNode parent = tree.Parent(node);
    std::wstring path = tree.Text(parent);
    // Up through the share and folder nodes to the first network node, normally the server,
    // whose text is its remote name.
    while (parent != kNoNode && tree.Data(parent) == NODE_IS_PATH) {
        parent = tree.Parent(parent);
        path = tree.Text(parent) + L"\\" + path;
    }
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) {
        path.push_back(L'\\');
    }
    return path + tree.Text(node);
}

} // namespace vk
