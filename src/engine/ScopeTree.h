#pragma once
// The network tree as the engine sees it: the scope of a search and the place where browsing
// adds nodes. The window program implements it over the tree-view control (engine threads send
// synchronous messages to the user interface thread); the console tool and tests use a model.
//
// Node conventions:
//   network node (provider, domain, server, other container): text = the resource's remote
//     name, data = its index in the engine's NetResourceTable (NetResourceTable.h), images 1 (other), 2 (domain),
//     3 (server), with an expand button
//   share node: text = the share name, data = NODE_IS_PATH, images 5 / selected 4, expand button
//   folder node: text = the folder name, data = NODE_IS_PATH, images 5 / 4, no expand button
//   added servers' group: text "Added servers", data = NODE_IS_GROUP, image 2, under a provider;
//     its children are server nodes of servers the user added by name (AddedServerGroup.h)

#include <cstdint>
#include <string>

namespace vk {

using TreeNode = std::intptr_t;
constexpr TreeNode kNoNode = 0;

// The data value of share and folder nodes.
constexpr std::intptr_t NODE_IS_PATH = -2;
// The data value of the added servers' group.
constexpr std::intptr_t NODE_IS_GROUP = -3;

// Check states, kept as the node's state image.
enum CheckState : int { kNoCheckBox = 0, Unchecked = 1, Checked = 2, PartlyChecked = 3 };

// Node images.
constexpr int kImageNetwork = 1;
constexpr int kImageDomain = 2;
constexpr int kImageServer = 3;
constexpr int kImageOpenFolder = 4;
constexpr int kImageFolder = 5;

struct NewTreeNode {
    std::wstring text;
    std::intptr_t data = 0;
    int image = 0;
    int selectedImage = 0;
    bool hasChildren = false; // shows an expand button
    int checkState = Checked;
};

class IScopeTree {
public:
    virtual ~IScopeTree() = default;
    // Navigation; kNoNode where there is none. FirstChild(kNoNode) is the first top-level node.
    [[nodiscard]] virtual TreeNode FirstChild(TreeNode node) = 0;
    [[nodiscard]] virtual TreeNode NextSibling(TreeNode node) = 0;
    [[nodiscard]] virtual TreeNode Parent(TreeNode node) = 0;
    [[nodiscard]] virtual std::wstring Text(TreeNode node) = 0;
    [[nodiscard]] virtual std::intptr_t Data(TreeNode node) = 0;
    [[nodiscard]] virtual int GetCheckState(TreeNode node) = 0;
    virtual void SetCheckState(TreeNode node, int state) = 0;
    // Appends a node after the last child of parent (kNoNode: at the top level).
    virtual TreeNode InsertNode(TreeNode parent, const NewTreeNode& node) = 0;
    // Removes a node with its branch. Only while no search walks the tree.
    virtual void DeleteNode(TreeNode node) = 0;
};

// Each ancestor of node, from the parent up to the top level, becomes Checked or Unchecked when
// all its children are, and PartlyChecked otherwise.
void BringAncestorsInLine(IScopeTree& tree, TreeNode node);

// Whether the network listed anything below node: a child other than the added servers' group.
[[nodiscard]] bool HasListedChildren(IScopeTree& tree, TreeNode node);

// The UNC path of a share or folder node, without a trailing backslash: the texts of the node and
// of its share and folder ancestors below the first network node (normally the server, whose
// text is its remote name).
[[nodiscard]] std::wstring BuildNodePath(IScopeTree& tree, TreeNode node);

} // namespace vk
