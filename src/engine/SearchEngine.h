#pragma once
// The search engine: one search at a time, run by a controller thread that dispatches the share
// and folder paths of the scope to at most 11 share workers. Each worker walks its path once per
// piece of the file mask and hands every hit to the result store and the result list.
//
// Threads: StartSearch runs on the caller's (user interface) thread; RunController on the
// controller thread; ShareWorker on the workers. Stop is just searchRunning = false: every loop
// checks it, and the search ends with "Search completed" like any other.
//
// The engine also owns the browsing of the tree (NetworkBrowser.h, user interface thread) and the
// network records the tree's nodes refer to (NetResourceTable.h); its browse entry points below
// hand over to them.

#include "engine/AtomicPointer.h"
#include "engine/BrowseJobs.h"
#include "engine/ContentPattern.h"
#include "engine/EngineServices.h"
#include "engine/HitCursors.h"
#include "engine/NetResourceTable.h"
#include "engine/NetworkBrowser.h"
#include "engine/ReadAheadPool.h"
#include "engine/ResultStore.h"
#include "engine/ScopeTree.h"
#include "engine/SearchRequest.h"
#include "engine/WalkFilters.h"
#include "engine/WorkerGate.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vk {

class HitWriter;
struct DirEntryView;

class CSearchEngine {
public:
    explicit CSearchEngine(EngineServices services);
    // Stops a running search and waits for its threads.
    ~CSearchEngine();
    CSearchEngine(const CSearchEngine&) = delete;
    CSearchEngine& operator=(const CSearchEngine&) = delete;

    // What the engine works with. The window program fills in the views' parts as they are set
    // up (see EngineServices for when they may be cleared).
    [[nodiscard]] EngineServices& Services() { return services_; }

    // The request of the next search; change it only while no search is active.
    [[nodiscard]] SearchRequest& Request() { return request_; }
    [[nodiscard]] const ResultStore& Results() const { return resultStore_; }
    [[nodiscard]] ResultStore& Results() { return resultStore_; }

    // The network tree whose checked part the next search walks (null: none). The tree pane
    // registers it when it is set up, and takes it back only once no search thread runs.
    void SetScopeTree(IScopeTree* tree) { tree_ = tree; }
    [[nodiscard]] IScopeTree* ScopeTree() const { return tree_; }
    // Share or folder paths (\\SERVER\share[\folder...]) that the next search walks after the
    // tree, each as a whole.
    void SetScopePaths(std::vector<std::wstring> paths);

    // The read-ahead threads of the next search (see ReadAheadPool.h), at most kMaxReadAheadJobs;
    // 0: each worker walks without read-ahead, one listing after the other. Change it only while
    // no search is active.
    void SetReadAheadJobs(int jobs);
    [[nodiscard]] int ReadAheadJobs() const { return readAheadJobs_.load(); }

    // What the caller shows of the next search's hits: kNamesAndSizes (the default) or, for a
    // caller that shows neither sizes nor times, kNamesOnly, whose hits may then carry none (on
    // systems where they cost a call per entry). A request with a size, time or text filter gets
    // them whatever this says. Change it only while no search is active.
    void SetShownDetail(ListingDetail detail) { shownDetail_ = detail; }

    // Engine state.
    std::atomic<bool> searchRunning{false};
    std::atomic<bool> searchActive{false};
    [[nodiscard]] int ActiveWorkers() const { return gate_.ActiveWorkers(); }

    // Resets the results and starts the controller thread. The caller has switched the buttons
    // (ShowSearchState(true)) and set searchRunning. Returns false, and does nothing, only while
    // a search is active, that is while the form still shows it running. Once a search has
    // dropped searchActive, which its controller does before it switches the buttons back, a new
    // one starts at once: its controller first waits for the old one to return, so the old one's
    // last status text still comes before the new one's first.
    bool StartSearch();

    // Stop as the form's Stop button does it: the search winds down and completes, and the nodes
    // being read are abandoned.
    void StopSearch();

    // Waits until the current search (if any) has completed and its threads have ended. The
    // controller sends its last texts to the user interface: a user interface thread waits with
    // a message pump until SearchThreadsRunning() is false, and only then calls this.
    void WaitForSearchEnd();

    // True from StartSearch until the controller's very last step (after the buttons and
    // "Search completed"); searchActive drops a little earlier. When it is false no engine
    // thread touches the services or the tree any more.
    [[nodiscard]] bool SearchThreadsRunning() const { return controllersRunning_.load() > 0; }

    // Switches the form's buttons; with false then shows "Search completed".
    void ShowSearchState(bool running);

    // Hands a share or folder path to a new share worker, waiting at the gate while 11 run.
    // Returns 1; starts nothing when the file mask is empty or the search was stopped.
    int DispatchShareWorker(const std::wstring& path);

    // Walks dir (no trailing backslash) with one piece of the file mask, depth first; depth is
    // dir's below the walked path.
    void SearchDirectory(const std::wstring& dir, const std::wstring& mask, int depth = 0);
    // The same walk, of the walk's root with its mask, with the read-ahead's helpers listing and
    // testing ahead of it.
    void SearchDirectoryAhead(AheadWalk& walk);

    // The network walk of the controller thread over the checked part of the tree, and live
    // below the nodes that were never expanded.
    void WalkCheckedNode(TreeNode node);
    void SearchUnwalkedNode(TreeNode node);
    void WalkNetwork(const NetResource* resource);
    // Lists a server's shares (\\SERVER): share hits or workers, filtered by the share mask.
    void SearchServerShares(const std::wstring& server);

    // Browsing (user interface thread; see NetworkBrowser.h). ExpandNetworkNode fills the tree
    // below a node (kNoNode and -1: the top level) or, for a server, share or folder node, lists
    // it in the result list. The listings do nothing while a search is active.
    void ExpandNetworkNode(TreeNode node, std::intptr_t index) { browser_.ExpandNetworkNode(node, index); }
    ErrorCode BrowseServerShares(TreeNode node, const std::wstring& server) {
        return browser_.BrowseServerShares(node, server);
    }
    void BrowseFolder(TreeNode node) { browser_.BrowseFolder(node); }
    [[nodiscard]] AddedServerGroup& AddedServers() { return browser_.AddedServers(); }
    // Browsing off the user interface thread (BrowseJobs.h): wake tells that thread that outcomes
    // wait, and it then calls DeliverBrowses, which applies them and returns their nodes.
    void SetBrowseWake(std::function<void()> wake) { browseJobs_.SetWake(std::move(wake)); }
    std::vector<TreeNode> DeliverBrowses() { return browser_.ApplyFinished(); }
    [[nodiscard]] bool IsReading(TreeNode node) const { return browseJobs_.IsReading(node); }
    [[nodiscard]] bool Browsing() const { return browseJobs_.AnyReading(); }
    // Whether a browse thread has not ended, abandoned ones included. Once it is false nothing of
    // the engine reads the network for the tree any more.
    [[nodiscard]] bool BrowseThreadsRunning() const { return browseJobs_.ThreadsRunning(); }
    // Abandons the nodes being read and waits for their threads (their calls to return).
    void StopBrowsingAndWait() {
        browser_.StopBrowsing();
        browseJobs_.Join();
    }
    // The UNC path of a share or folder node of the scope tree, without a trailing backslash.
    [[nodiscard]] std::wstring BuildNodePath(TreeNode node) { return vk::BuildNodePath(*tree_, node); }

    // The record of a network node's data value; null for anything else.
    [[nodiscard]] const NetResource* NetResourceAt(std::intptr_t index) const { return netResources_.At(index); }

private:
    // The controller of the search with the given number (searchNumber_ when it started).
    void RunController(unsigned search);
    void ShareWorker(const std::wstring& path);
    void JoinFinishedWorkers(bool all);
    [[nodiscard]] bool PassesSizeFilter(std::uint64_t size) const;
    [[nodiscard]] bool ContentMatches(const std::wstring& path);
    // Hands an entry of dir over as a hit when it is one: an entry that passes the walk filters
    // (WalkFilters) and then a file that passes the size filter and,
    // with a containing text, holds it (holdsText(fullPath) answers, asked only then); a folder
    // that passes the size filter when no text is asked for. The hand-off holds hitLock, and so
    // does the content test when testUnderHitLock.
    template <class HoldsText>
    void HandOffIfHit(HitWriter& writer, const std::wstring& dir, const DirEntryView& entry, bool testUnderHitLock,
                      HoldsText holdsText);
    void SetStatus(int pane, std::wstring_view text);

    EngineServices services_;
    SearchRequest request_;
    // The request's containing text made ready for the content test, by the controller before
    // the first worker starts.
    ContentPattern contentPattern_;
    // The request's walk filters, made by the controller before the first worker starts.
    WalkFilters walkFilters_;
    ResultStore resultStore_;
    HitCursors hitCursors_; // the insert positions of the walkers adding hits
    WorkerGate gate_;
    std::atomic<int> readAheadJobs_{kDefaultReadAheadJobs};
    std::atomic<ListingDetail> shownDetail_{ListingDetail::kNamesAndSizes};
    // The detail of the running search's hit listings, made by the controller before the first
    // worker starts.
    ListingDetail hitDetail_ = ListingDetail::kNamesAndSizes;
    // Set when the running search's walk or one of its workers failed and gave up its part.
    std::atomic<bool> partFailed_{false};
    // The running search's read-ahead, made by its controller before the first worker starts and
    // ended after the last (null: none).
    ReadAheadPool* readAhead_ = nullptr;
    std::wstring firstPiece_; // the first mask piece a worker walks (the controller's)
    std::vector<std::wstring> scopePaths_;
    AtomicPointer<IScopeTree> tree_;
    TreeNode currentTopLevel_ = kNoNode;
    NetResourceTable netResources_;
    BrowseJobs browseJobs_;
    NetworkBrowser browser_{services_, tree_, netResources_, resultStore_, searchActive, browseJobs_};

    std::mutex threadsLock_;
    std::thread controller_; // the newest controller; it joins the one before it
    std::atomic<int> controllersRunning_{0};
    std::atomic<unsigned> searchNumber_{0}; // counts the searches started
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    std::vector<Worker> workers_; // touched by the controller thread only
};

} // namespace vk
