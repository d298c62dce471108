#include "support/EngineHarness.h"
#include "support/ThreadWatch.h"
#include "support/WatchedResultList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <new>
#include <set>
#include <thread>

namespace vk::testing {
namespace {

using namespace std::chrono_literals;

// Holds every worker at its first listing until the test lets it go, so the test decides
// exactly when workers end.
class WorkerValve {
public:
    explicit WorkerValve(FakeFileSystem& files) {
        files.onFindFirst = [this](const std::wstring& dir) {
            std::unique_lock lock(lock_);
            if (!held_.insert(dir).second) {
                return; // only a share's first listing is held
            }
            ++waiting_;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_ > 0 || openAll_; });
            if (!openAll_) {
                --released_;
            }
            --waiting_;
            ++passed_;
            changed_.notify_all();
        };
    }
    // Waits until n workers are held (or fails after a generous time).
    bool WaitForHeld(int n) {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, 20s, [&] { return waiting_ == n; });
    }
    void Release(int n) {
        std::lock_guard lock(lock_);
        released_ += n;
        changed_.notify_all();
    }
    void OpenAll() {
        std::lock_guard lock(lock_);
        openAll_ = true;
        changed_.notify_all();
    }
    int Held() {
        std::lock_guard lock(lock_);
        return waiting_;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    int waiting_ = 0;
    int released_ = 0;
    int passed_ = 0;
    bool openAll_ = false;
    std::set<std::wstring> held_;
};

std::vector<std::wstring> Shares(FakeFileSystem& files, int count) {
    std::vector<std::wstring> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(L"\\\\SRV\\share" + std::to_wstring(i));
        files.AddFile(paths.back() + L"\\f.txt");
    }
    return paths;
}

// Polls until the condition holds or a generous time has passed.
template <typename Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 2000; ++i) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

TEST(SearchEngine, TheGateAdmitsElevenAndReopensOnlyAtNine) {
    EngineHarness h;
    WorkerValve valve(h.files);
    h.engine.Request().fileMask = L"*.txt";
    h.Start(Shares(h.files, 14));

    ASSERT_TRUE(valve.WaitForHeld(11));
    std::this_thread::sleep_for(50ms); // the controller now waits at the closed gate
    EXPECT_EQ(h.engine.ActiveWorkers(), 11);
    EXPECT_EQ(valve.Held(), 11);

    valve.Release(1); // 10 remain: the gate stays closed
    ASSERT_TRUE(Eventually([&] { return h.engine.ActiveWorkers() == 10; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(h.engine.ActiveWorkers(), 10);
    EXPECT_EQ(valve.Held(), 10);

    valve.Release(1); // 9: the gate opens and the controller fills it up to 11 again
    ASSERT_TRUE(valve.WaitForHeld(11));
    EXPECT_EQ(h.engine.ActiveWorkers(), 11);

    valve.OpenAll();
    h.engine.WaitForSearchEnd();
    EXPECT_EQ(h.list.Rows().size(), 14u);
    EXPECT_EQ(h.engine.ActiveWorkers(), 0);
    EXPECT_FALSE(h.engine.searchActive);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
    EXPECT_EQ(h.form.States(), (std::vector<bool>{true, false}));
}

TEST(SearchEngine, StopWhileTheControllerWaitsAtTheGateCompletesTheSearch) {
    EngineHarness h;
    WorkerValve valve(h.files);
    h.engine.Request().fileMask = L"*.txt";
    h.Start(Shares(h.files, 30));
    ASSERT_TRUE(valve.WaitForHeld(11));

    h.engine.StopSearch();
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextWaitingForThreads);
    valve.OpenAll();
    h.engine.WaitForSearchEnd();

    // The workers that were running end at their next check; at most the one dispatch that had
    // passed the gate starts a worker, which ends at once. Nothing is found after Stop.
    EXPECT_TRUE(h.list.Rows().empty());
    EXPECT_LE(h.files.ListedDirectories().size(), 12u);
    EXPECT_EQ(h.engine.ActiveWorkers(), 0);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

TEST(SearchEngine, StopDuringADeepWalkListsNoFurtherDirectory) {
    EngineHarness h;
    std::wstring path = L"\\\\SRV\\s";
    for (int depth = 0; depth < 30; ++depth) {
        path += L"\\d";
        h.files.AddFile(path + L"\\x.txt");
    }
    std::atomic<int> listings{0};
    h.files.onFindFirst = [&](const std::wstring&) {
        if (++listings == 10) {
            h.engine.StopSearch();
        }
    };
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(listings.load(), 10);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

TEST(SearchEngine, AnEmptyScopeCompletesAtOnceWithNoItems) {
    EngineHarness h;
    h.list.InsertRow(0, L"old", 0);
    h.engine.Results().Append(L"\\\\old", 1);
    h.engine.Request().fileMask = L"*";
    h.Run({});
    EXPECT_TRUE(h.list.Rows().empty());
    EXPECT_EQ(h.engine.Results().Count(), 0u);
    EXPECT_EQ(h.status.Texts(kPaneItemCount), (std::vector<std::wstring>{kTextZeroItems}));
    EXPECT_EQ(h.status.Texts(kPaneMessage), (std::vector<std::wstring>{kTextPleaseWait, kTextSearchCompleted}));
}

TEST(SearchEngine, AnEmptyFileMaskStartsNoWorker) {
    EngineHarness h;
    h.engine.Request().shareMask = L"*";
    h.Run(Shares(h.files, 3));
    EXPECT_TRUE(h.files.ListedDirectories().empty());
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

TEST(SearchEngine, ManySharesNeverRunMoreThanElevenWorkersAndAllAreSearched) {
    EngineHarness h;
    std::atomic<int> inside{0};
    std::atomic<int> most{0};
    h.files.onFindFirst = [&](const std::wstring&) {
        const int now = ++inside;
        int seen = most.load();
        while (now > seen && !most.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(1ms);
        --inside;
    };
    h.engine.Request().fileMask = L"*.txt";
    h.Run(Shares(h.files, 60));
    EXPECT_EQ(h.list.Rows().size(), 60u);
    EXPECT_LE(most.load(), WorkerGate::kMaxWorkers);
    EXPECT_GT(most.load(), 1);
}

TEST(SearchEngine, ASecondSearchStartsAfreshAndStartDuringASearchIsIgnored) {
    EngineHarness h;
    WorkerValve valve(h.files);
    h.engine.Request().fileMask = L"*.txt";
    const auto shares = Shares(h.files, 2);
    h.Start(shares);
    ASSERT_TRUE(valve.WaitForHeld(2));
    EXPECT_FALSE(h.engine.StartSearch()); // ignored: a search is active
    EXPECT_TRUE(h.engine.SearchThreadsRunning());
    valve.OpenAll();
    h.engine.WaitForSearchEnd();
    EXPECT_EQ(h.list.Rows().size(), 2u);
    EXPECT_FALSE(h.engine.SearchThreadsRunning());

    h.Run(shares);
    EXPECT_EQ(h.list.Rows().size(), 2u);
    EXPECT_EQ(h.engine.Results().Count(), 2u);
}

TEST(SearchEngine, DestroyingTheEngineStopsARunningSearchAndEndsItsThreads) {
    ThreadWatch watch;
    FakeFileSystem files;
    std::wstring path = L"\\\\SRV\\s";
    for (int i = 0; i < 50; ++i) {
        files.AddFile(path + L"\\d" + std::to_wstring(i) + L"\\x.txt");
    }
    files.onFindFirst = [&](const std::wstring&) {
        watch.Touch();
        std::this_thread::sleep_for(2ms);
    };
    WatchedResultList list(watch);
    NoIconImages images;
    IconKeyTable icons(images);
    icons.ResetCache();
    {
        CSearchEngine engine({&files, &list, nullptr, &icons, nullptr});
        engine.Request().fileMask = L"*";
        engine.SetScopePaths({path, path, path});
        engine.searchRunning = true;
        ASSERT_TRUE(engine.StartSearch());
        ASSERT_TRUE(Eventually([&] { return !list.rows.Rows().empty(); }));
        EXPECT_GT(watch.LiveThreads(), 0);
    }
    // The list and the file system go with the engine: no thread of the search may be left to
    // use them.
    watch.Release();
    EXPECT_EQ(watch.LiveThreads(), 0);
    EXPECT_LT(list.rows.Rows().size(), 300u); // a whole search would find 3 x 100
    EXPECT_EQ(watch.TouchesAfterRelease(), 0);
}

// The form's Start is enabled again by the controller's last steps. A user who presses it at
// once, before the controller has returned, starts the next search.
TEST(SearchEngine, StartPressedAsSoonAsTheButtonsSwitchBackStartsTheNextSearch) {
    EngineHarness h;
    const auto shares = Shares(h.files, 2);
    h.engine.Request().fileMask = L"*.txt";
    std::mutex lock;
    std::condition_variable changed;
    bool buttonsBack = false;
    bool startHandled = false;
    std::wstring statusWhenButtonsSwitched;
    h.form.onSetButtons = [&](bool running) {
        std::unique_lock held(lock);
        if (running || buttonsBack) {
            return;
        }
        statusWhenButtonsSwitched = h.status.Last(kPaneMessage);
        buttonsBack = true;
        changed.notify_all();
        // The controller is held here, as inside its message to the form, while the user
        // interface thread handles the click on Start.
        changed.wait(held, [&] { return startHandled; });
    };
    h.Start(shares);
    {
        std::unique_lock held(lock);
        ASSERT_TRUE(changed.wait_for(held, 20s, [&] { return buttonsBack; }));
    }
    // The Start handler: buttons, flag, engine.
    h.engine.ShowSearchState(true);
    h.engine.searchRunning = true;
    const bool started = h.engine.StartSearch();
    {
        std::lock_guard held(lock);
        startHandled = true;
        changed.notify_all();
    }
    h.engine.WaitForSearchEnd();

    EXPECT_TRUE(started);
    EXPECT_EQ(h.form.States(), (std::vector<bool>{true, false, true, false}));
    EXPECT_NE(statusWhenButtonsSwitched, kTextSearchCompleted) << "the buttons come first";
    // The first search's last text comes before the second's first.
    const auto texts = h.status.Texts(kPaneMessage);
    const auto firstCompleted = std::find(texts.begin(), texts.end(), kTextSearchCompleted);
    const auto secondStart = std::find(firstCompleted, texts.end(), kTextPleaseWait);
    EXPECT_NE(secondStart, texts.end());
    EXPECT_EQ(texts.back(), kTextSearchCompleted);
    EXPECT_EQ(h.list.Rows().size(), 2u);
    EXPECT_FALSE(h.engine.SearchThreadsRunning());
}

// Nothing more is asked of the user interface once Stop has come during a system call.
TEST(SearchEngine, StopDuringAListingTakesEffectAsSoonAsTheListingReturns) {
    EngineHarness h;
    ThreadWatch watch;
    WatchedResultList list(watch);
    h.engine.Services().resultList = &list;
    h.files.AddFile(L"\\\\SRV\\s\\sub\\f.txt");
    h.files.onFindFirst = [&](const std::wstring&) { h.engine.StopSearch(); };
    h.engine.Request().fileMask = L"*.txt";
    h.Run({L"\\\\SRV\\s"});
    EXPECT_EQ(list.Calls(), 1); // emptying it at the start
    EXPECT_EQ(h.files.ListedDirectories().size(), 1u);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
}

// A worker that fails (here for want of memory at a listing) gives up its share; the others go on,
// the search completes, and the user is told that the list may lack hits.
TEST(SearchEngine, AWorkerThatFailsGivesUpItsShareAndTheSearchSaysSo) {
    EngineHarness h;
    const auto shares = Shares(h.files, 3);
    h.files.onFindFirst = [](const std::wstring& dir) {
        if (dir == L"\\\\SRV\\share1") {
            throw std::bad_alloc();
        }
    };
    h.engine.Request().fileMask = L"f.txt";
    h.Run(shares);
    EXPECT_EQ(h.Names().size(), 2u);
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
    const std::vector<std::wstring> told{std::wstring(kProgramName) + L": " + kTextSearchFailedInPart};
    EXPECT_EQ(h.messages.Shown(), told);

    // A search that goes well says nothing.
    h.files.onFindFirst = nullptr;
    h.Run(shares);
    EXPECT_EQ(h.Names().size(), 3u);
    EXPECT_EQ(h.messages.Shown(), told);
}

} // namespace
} // namespace vk::testing
