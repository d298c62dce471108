#pragma once
// The small network that the engine's network tests search and browse (drawn below), with the
// engine's tree filled at its top level as the tree pane fills it at start-up.

#include "support/EngineHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace vk::testing {

using Names = std::vector<std::wstring>;

// Net
//   DOM
//     \\ALPHA: pub, data, C$
//     \\BETA: docs
// Other
//   \\GAMMA: misc, ADMIN$
class SmallNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.network.AddContainer(L"", L"Net", kDisplayTypeNetwork);
        h.network.AddContainer(L"Net", L"DOM", kDisplayTypeDomain);
        h.network.AddServer(L"DOM", L"\\\\ALPHA", {L"pub", L"data", L"C$"});
        h.network.AddServer(L"DOM", L"\\\\BETA", {L"docs"});
        h.network.AddContainer(L"", L"Other", kDisplayTypeNetwork);
        h.network.AddServer(L"Other", L"\\\\GAMMA", {L"misc", L"ADMIN$"});
        for (const auto* share : {L"\\\\ALPHA\\pub", L"\\\\ALPHA\\data", L"\\\\ALPHA\\C$", L"\\\\BETA\\docs",
                                  L"\\\\GAMMA\\misc", L"\\\\GAMMA\\ADMIN$"}) {
            h.files.AddFile(std::wstring(share) + L"\\f.txt", "x");
        }
        h.files.AddFile(L"\\\\ALPHA\\pub\\sub\\deep\\g.txt", "y");
        h.UseTree();
    }

    // Paths of the rows, sorted (workers of different shares interleave).
    Names HitPaths() {
        Names paths;
        for (const auto& row : h.list.Rows()) {
            paths.push_back(row.columns[2] + L"\\" + row.columns[0]);
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    // Double-clicks down the tree to \\ALPHA and on it, which lists its shares; returns its node.
    TreeNode BrowseAlpha() {
        h.Expand(Node({L"Net"}));
        h.Expand(Node({L"Net", L"DOM"}));
        const TreeNode alpha = Node({L"Net", L"DOM", L"\\\\ALPHA"});
        h.Expand(alpha);
        return alpha;
    }
    TreeNode Node(std::initializer_list<const wchar_t*> path) {
        TreeNode node = kNoNode;
        for (const auto* text : path) {
            node = h.tree.FindChildByText(node, text);
        }
        return node;
    }

    EngineHarness h;
};

} // namespace vk::testing
