#include "vkfind/ScopeSelection.h"

#include "network/CheckStateLogic.h"
#include "network/MemoryScopeTree.h"
#include "platform/UncPath.h"
#include "platform/WildcardName.h"

#include <vector>

namespace vk {
namespace {

std::vector<std::wstring_view> SplitAt(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        const std::wstring_view part = text.substr(0, end);
        if (!part.empty()) {
            parts.push_back(part);
        }
        if (end == std::wstring_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return parts;
}

std::wstring ServerRemoteName(std::wstring_view server) {
    return L"\\\\" + std::wstring(TrimLeadingBackslashes(server));
}

} // namespace

ScopeText ParseScope(std::wstring_view scope) {
    using Kind = ScopeText::Kind;
    if (!scope.starts_with(L"\\\\")) {
        return {Kind::kTreePath};
    }
    const std::size_t serverEnd = scope.find(L'\\', 2);
    if (serverEnd == std::wstring_view::npos) {
        return scope.size() > 2 ? ScopeText{Kind::kServer, scope} : ScopeText{Kind::kBadUnc};
    }
    if (serverEnd > 2 && serverEnd + 1 < scope.size() && scope[serverEnd + 1] != L'\\') {
        return {Kind::kShareOrFolder, scope.substr(0, serverEnd), scope.substr(serverEnd + 1)};
    }
    return {Kind::kBadUnc};
}

void ScopeSelection::ShowTopLevel() {
    engine_.SetScopeTree(&tree_);
    if (tree_.FirstChild(kNoNode) == kNoNode) {
        engine_.ExpandNetworkNode(kNoNode, -1);
    }
}

void ScopeSelection::SelectNothing() {
    for (TreeNode top = tree_.FirstChild(kNoNode); top != kNoNode; top = tree_.NextSibling(top)) {
        if (tree_.GetCheckState(top) != Unchecked) {
            ToggleCheckState(tree_, top);
        }
        Expand(top);
    }
}

bool ScopeSelection::Select(std::wstring_view scope) {
    const TreeNode node = ParseScope(scope).kind == ScopeText::Kind::kServer ? FindServer(scope) : FindTreePath(scope);
    if (node == kNoNode) {
        return false;
    }
    if (tree_.GetCheckState(node) != Checked) {
        if (tree_.GetCheckState(node) == PartlyChecked) {
            ToggleCheckState(tree_, node); // to Unchecked first: a click on a partly checked node clears it
        }
        ToggleCheckState(tree_, node);
    }
    return true;
}

void ScopeSelection::Expand(TreeNode node) {
    if (tree_.FirstChild(node) == kNoNode) {
        engine_.ExpandNetworkNode(node, tree_.Data(node));
    }
}

bool ScopeSelection::IsServer(TreeNode node) const {
    const NetResource* resource = engine_.NetResourceAt(tree_.Data(node));
    return resource && resource->displayType == kDisplayTypeServer;
}

TreeNode ScopeSelection::FindServerBelow(TreeNode node, std::wstring_view server) {
    for (TreeNode child = tree_.FirstChild(node); child != kNoNode; child = tree_.NextSibling(child)) {
        if (tree_.Data(child) == NODE_IS_PATH) {
            continue;
        }
        if (IsServer(child)) {
            if (EqualNamesNoCase(tree_.Text(child), server)) {
                return child;
            }
            continue;
        }
        Expand(child);
        if (const TreeNode found = FindServerBelow(child, server); found != kNoNode) {
            return found;
        }
    }
    return kNoNode;
}

TreeNode ScopeSelection::FindServer(std::wstring_view server) {
    const std::wstring name = ServerRemoteName(server);
    return FindServerBelow(kNoNode, name);
}

TreeNode ScopeSelection::FindTreePath(std::wstring_view path) {
    TreeNode node = kNoNode;
    for (const std::wstring_view part : SplitAt(path, L'/')) {
        if (node != kNoNode && !IsServer(node)) {
            Expand(node);
        }
        node = tree_.FindChildByText(node, part);
        if (node == kNoNode) {
            return kNoNode;
        }
    }
    return node;
}

TreeNode ScopeSelection::FindShareOrFolder(std::wstring_view uncPath) {
    const ScopeText scope = ParseScope(uncPath);
    if (scope.kind != ScopeText::Kind::kShareOrFolder) {
        return kNoNode;
    }
    TreeNode node = FindServer(scope.server);
    for (const std::wstring_view part : SplitAt(scope.path, L'\\')) {
        if (node == kNoNode) {
            break;
        }
        if (tree_.FirstChild(node) == kNoNode) {
            engine_.ExpandNetworkNode(node, tree_.Data(node));
        }
        node = tree_.FindChildByText(node, part);
    }
    return node;
}

} // namespace vk
