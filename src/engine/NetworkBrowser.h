#pragma once
// Browsing the network tree: what the tree's first fill and a double-click on a node show. A
// container node (provider, domain, other) gets its network children as nodes, once; a server
// node's shares and a share or folder node's entries are listed in the result list, replacing
// its rows, and the first time also added to the tree below the node.
//
// Each browse takes three steps, so that the slow one can run apart from the other two:
//   Identify   user interface thread: reads the node from the tree and the resource table and
//              says what is to be enumerated (or that nothing is).
//   Enumerate  any thread: asks the network or the file system. It touches neither the tree, the
//              list, the store nor the table; its outcome is a value.
//   Apply      user interface thread: puts the outcome into the tree, the table, the list and
//              the store, or shows the failure.
// ExpandNetworkNode, BrowseServerShares and BrowseFolder run the three one after the other on the
// user interface thread, unless the browse jobs (BrowseJobs.h) are enabled: then ExpandNetworkNode
// hands Enumerate to a thread of its own and shows "Reading NODE..." in the status bar, and
// ApplyFinished applies the outcomes once they have come. While a node below the top is being
// read, and no search is active, the search form's Stop is the browse's (StopBrowsing) and Start
// waits.
//
// What browsing shares with a search (CSearchEngine, which owns the browser):
//   - the tree: the search's controller reads it while browsing adds nodes (each call one
//     synchronous message to the tree control, or the model's own lock);
//   - the resource table: browsing appends while the controller reads, under the table's lock;
//   - the result list and the store: browsing empties and fills them only while no search is
//     active (searchActive false). Expanding a container touches neither and is never held back.

#include "engine/AddedServerGroup.h"
#include "engine/AtomicPointer.h"
#include "engine/EngineServices.h"
#include "engine/NetResourceTable.h"
#include "engine/ResultStore.h"
#include "engine/ScopeTree.h"
#include "platform/ErrorCodes.h"
#include "platform/FileSystem.h"
#include "platform/NetworkServices.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vk {

class BrowseJobs;

// What a browse enumerates: a node of the tree, read from it by Identify.
struct BrowseTarget {
    enum class Kind {
        kContainer, // the network children of resource (none: the top of the network)
        kServer,    // the shares of the server named path (\\SERVER)
        kFolder,    // the entries of the share or folder at path (\\SERVER\share[\folder...])
    };
    Kind kind = Kind::kContainer;
    TreeNode node = kNoNode;
    std::optional<NetResource> resource;
    std::wstring path;
};

// What an enumeration found. error: kErrorSuccess, or why it ended early (what it found before
// stays). For a folder, an error means the listing could not start.
struct BrowseOutcome {
    ErrorCode error = kErrorSuccess;
    std::vector<NetResource> children; // a container's, shares left out
    std::vector<std::wstring> shares;  // a server's share names, page after page
    std::vector<DirEntry> entries;     // a folder's, without "." and ".."
};

class NetworkBrowser {
public:
    // Everything is the engine's and outlives the browser; tree is the engine's scope tree.
    NetworkBrowser(EngineServices& services, const AtomicPointer<IScopeTree>& tree, NetResourceTable& table,
                   ResultStore& store, const std::atomic<bool>& searchActive, BrowseJobs& jobs)
        : services_(services), tree_(tree), table_(table), store_(store), searchActive_(searchActive), jobs_(jobs) {}

    // The tree below a node (kNoNode and -1: the top level), or for a server, share or folder
    // node its listing; index is the node's data value. Nothing without a tree.
    void ExpandNetworkNode(TreeNode node, std::intptr_t index);
    // A server's shares: in the result list, and as share nodes the first time. Returns the
    // enumeration's status (kErrorSuccess when the last page came). Nothing while a search is
    // active or without a network.
    ErrorCode BrowseServerShares(TreeNode node, const std::wstring& server);
    // A share or folder's entries: in the result list, subfolders as nodes the first time. A
    // listing that cannot start is shown in the system's words, and nothing changes. Nothing
    // while a search is active.
    void BrowseFolder(TreeNode node);

    // The three steps (see above). Apply shows a failed enumeration in the status bar, naming the
    // node; a provider that lists nothing gets the hint that servers can be added by name. Identify: nothing when the
    // node needs no enumeration (a container that has children), the engine has no network to ask, or a listing would
    // replace the rows of an active search.
    [[nodiscard]] std::optional<BrowseTarget> Identify(TreeNode node, std::intptr_t index);
    // stop (when given) is checked before each call: once it is set the enumeration ends with
    // what it has.
    [[nodiscard]] static BrowseOutcome Enumerate(const BrowseTarget& target, NetworkServices* network,
                                                 FileSystem& files, const std::atomic<bool>* stop = nullptr);
    void Apply(const BrowseTarget& target, BrowseOutcome outcome);

    // Applies the outcomes of the enumerations that finished on their threads (user interface
    // thread); returns the nodes applied. A listing that finished while a search took the result
    // list is dropped.
    std::vector<TreeNode> ApplyFinished();
    // Abandons every node being read, showing so; returns whether there was one.
    bool StopBrowsing();

    // The servers added by name; shown in the tree once the top level is filled.
    [[nodiscard]] AddedServerGroup& AddedServers() { return addedServers_; }

private:
    [[nodiscard]] std::optional<BrowseTarget> ServerTarget(TreeNode node, const std::wstring& server) const;
    [[nodiscard]] std::optional<BrowseTarget> FolderTarget(TreeNode node) const;
    // Runs the three steps for a target that Identify or its callers made.
    ErrorCode Browse(const std::optional<BrowseTarget>& target);
    void AddChildren(const BrowseTarget& target, std::vector<NetResource> children);
    void ShowOutcome(const BrowseTarget& target, const BrowseOutcome& outcome) const;
    void SetStatus(const std::wstring& text) const;
    // While nodes are being read outside a search, the form shows Stop as during a search.
    void TakeButtons();
    void ReleaseButtons();
    void ListShares(const BrowseTarget& target, const std::vector<std::wstring>& shares);
    void ListFolder(const BrowseTarget& target, const std::vector<DirEntry>& entries);

    EngineServices& services_;
    const AtomicPointer<IScopeTree>& tree_;
    NetResourceTable& table_;
    ResultStore& store_;
    const std::atomic<bool>& searchActive_;
    BrowseJobs& jobs_;
    bool buttonsTaken_ = false;
    AddedServerGroup addedServers_{tree_, table_};
};

} // namespace vk
