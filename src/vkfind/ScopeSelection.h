#pragma once
// Finding and checking nodes of the network tree from the console tool's scope texts, the way a
// user would: expanding the tree down to the node and ticking it.
//
//   \\SERVER                a server, wherever it is in the network
//   Provider[/Domain[/\\SERVER]]  a path of node texts from the top of the tree ('/' between)
//   \\SERVER\share[\folder]  a share or folder (browse listings only; searches take the path)

#include "engine/SearchEngine.h"

#include <string>
#include <string_view>

namespace vk {

class MemoryScopeTree;

class ScopeSelection {
public:
    ScopeSelection(CSearchEngine& engine, MemoryScopeTree& tree) : engine_(engine), tree_(tree) {}

    // Fills the top level of the tree, every node checked, as the program does at start-up.
    void ShowTopLevel();

    // Narrows the scope to nothing: every top-level node expanded and unchecked, so that none
    // stands for the whole network below it any more. Then Select adds what it names.
    void SelectNothing();

    // Checks the node named by a server or tree-path text, with its branch. Returns false when
    // there is no such node.
    [[nodiscard]] bool Select(std::wstring_view scope);

    // The node of a server (\\SERVER), expanding containers as needed; kNoNode if none.
    [[nodiscard]] TreeNode FindServer(std::wstring_view server);
    // The node of a tree path (Provider/Domain/\\SERVER); kNoNode if none.
    [[nodiscard]] TreeNode FindTreePath(std::wstring_view path);
    // The node of a share or folder path, adding share and folder nodes by browsing as a user
    // double-clicking down the tree would; kNoNode if none.
    [[nodiscard]] TreeNode FindShareOrFolder(std::wstring_view uncPath);

private:
    void Expand(TreeNode node);
    [[nodiscard]] TreeNode FindServerBelow(TreeNode node, std::wstring_view server);
    [[nodiscard]] bool IsServer(TreeNode node) const;

    CSearchEngine& engine_;
    MemoryScopeTree& tree_;
};

// What a scope text names, taken apart once.
struct ScopeText {
    enum class Kind {
        kTreePath,      // Provider[/Domain[/\\SERVER]]: not a UNC path
        kServer,        // \\SERVER
        kShareOrFolder, // \\SERVER\share[\folder...]
        kBadUnc,        // begins with \\ but names none of these
    };
    Kind kind = Kind::kTreePath;
    std::wstring_view server; // \\SERVER of a server, share or folder
    std::wstring_view path;   // share[\folder...] of a share or folder
};

// scope must outlive what the answer refers into.
[[nodiscard]] ScopeText ParseScope(std::wstring_view scope);

} // namespace vk
