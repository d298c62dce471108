// The walk with read-ahead gives what the walk without it gives, and Stop ends it within one call.

#include "engine/ReadAheadPool.h"
#include "support/EngineHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

namespace vk::testing {
namespace {

using namespace std::chrono_literals;

const std::wstring kShare = L"\\\\SRV\\share";

// A share of random folders: deep chains and wide folders, empty ones, directory links, folders
// that refuse listing, files and folders that vanish between their listing and their use, files
// that hold the word "Needle" (in any case) or not, folder names a mask matches.
void MakeRandomShare(FakeFileSystem& files, std::uint32_t seed, const std::wstring& share = kShare) {
    std::mt19937 random(seed);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const wchar_t* const kExtensions[] = {L".txt", L".TXT", L".log", L"", L".t"};
    std::vector<std::pair<std::wstring, int>> folders{{share, 0}};
    files.AddDir(share);
    for (std::size_t next = 0; next < folders.size() && folders.size() < 400; ++next) {
        const auto [folder, depth] = folders[next];
        const int wide = chance(10) ? 12 : 4;
        const int subfolders = depth > 9 ? 0 : static_cast<int>(random() % wide);
        for (int i = 0; i < subfolders; ++i) {
            const std::wstring path = folder + L"\\d" + std::to_wstring(i) + (chance(10) ? L".txt" : L"");
            if (chance(5)) {
                files.AddLink(path);
                continue;
            }
            files.AddDir(path);
            if (chance(5)) {
                files.Deny(path);
            } else if (chance(3)) {
                files.Vanish(path);
            }
            folders.push_back({path, depth + 1});
        }
        const int fileCount = chance(20) ? 0 : static_cast<int>(random() % 6);
        for (int i = 0; i < fileCount; ++i) {
            const std::wstring path = folder + L"\\f" + std::to_wstring(i) + kExtensions[random() % 5];
            std::string bytes(random() % 40, 'x');
            if (chance(40)) {
                bytes.insert(random() % (bytes.size() + 1), chance(50) ? "Needle" : "nEEDLE");
            }
            files.AddFile(path, bytes);
            if (chance(5)) {
                files.Vanish(path);
            }
        }
    }
}

// What a search shows: every row with all it carries, the store, the status texts.
struct Seen {
    std::vector<std::wstring> rows;
    std::vector<std::wstring> status;
    bool operator==(const Seen&) const = default;
};

Seen Search(int jobs, bool bothAtOnce, std::uint32_t seed, const SearchRequest& request) {
    EngineHarness h(jobs);
    MakeRandomShare(h.files, seed);
    h.files.readsBothPassesAtOnce = bothAtOnce;
    h.engine.Request() = request;
    h.Run({kShare});
    Seen seen;
    const auto store = h.engine.Results().Copy();
    for (const auto& row : h.list.Rows()) {
        const auto index = static_cast<std::size_t>(row.data);
        seen.rows.push_back(row.columns[0] + L"|" + row.columns[1] + L"|" + row.columns[2] + L"|" +
                            std::to_wstring(row.image) + L"|" + store.resultPaths.at(index) + L"|" +
                            std::to_wstring(store.resultSizes.at(index)));
    }
    seen.status = h.status.Texts(kPaneMessage);
    return seen;
}

TEST(ReadAhead, RandomTreesGiveTheSameRowsInTheSameOrderAsTheWalkWithout) {
    std::vector<SearchRequest> requests(5);
    requests[0].fileMask = L"*";
    requests[1].fileMask = L"*.txt;*.log";
    requests[2].fileMask = L"*.;d?";
    requests[3].fileMask = L"*";
    requests[3].textFilterOn = true;
    requests[3].containingText = L"needle";
    requests[4].fileMask = L"*.txt";
    requests[4].sizeFilterOn = true;
    requests[4].sizeLimit = 20;
    std::size_t rows = 0;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        for (const auto& request : requests) {
            const Seen without = Search(0, false, seed, request);
            rows += without.rows.size();
            for (const bool bothAtOnce : {false, true}) {
                for (const int jobs : {1, 4}) {
                    EXPECT_EQ(Search(jobs, bothAtOnce, seed, request), without)
                        << "seed " << seed << ", mask " << request.fileMask << ", jobs " << jobs
                        << (bothAtOnce ? ", one read per folder" : "");
                }
            }
        }
    }
    EXPECT_GT(rows, 1000u); // the trees are not trivial
}

// The helpers also ask for the share lists of the servers the controller meets and begin the
// shares before their workers start: each share's rows stay those of the search without.
TEST(ReadAhead, AWholeNetworkSearchGivesEachShareItsRowsInTheirOrder) {
    const auto search = [](int jobs) {
        EngineHarness h(jobs);
        h.network.AddContainer(L"", L"Net", kDisplayTypeNetwork);
        h.network.AddContainer(L"Net", L"DOM", kDisplayTypeDomain);
        h.network.recordsPerCall = 10; // all servers in one answer: the helpers ask ahead of the walk
        std::uint32_t seed = 10;
        for (int server = 0; server < 6; ++server) {
            const std::wstring name = L"\\\\S" + std::to_wstring(server);
            h.network.AddServer(L"DOM", name, {L"a", L"b", L"c"});
            for (const auto* share : {L"\\a", L"\\b", L"\\c"}) {
                MakeRandomShare(h.files, ++seed, name + share);
            }
        }
        h.UseTree();
        h.engine.Request().fileMask = L"*";
        h.Run({});
        // Workers of different shares interleave their rows; each share's stand in its walk's order,
        // in the list as in the store.
        std::map<std::wstring, std::vector<std::wstring>> rowsOfShare;
        const auto add = [&](const std::wstring& path, const wchar_t* where) {
            const std::size_t shareEnd = path.find(L'\\', path.find(L'\\', 2) + 1);
            rowsOfShare[path.substr(0, shareEnd) + where].push_back(path);
        };
        for (const auto& row : h.list.Rows()) {
            add(row.columns[2] + L"\\" + row.columns[0], L" (list)");
        }
        for (const auto& path : h.engine.Results().Copy().resultPaths) {
            add(path, L" (store)");
        }
        return std::make_pair(rowsOfShare, h.network.shareCalls.load());
    };
    const auto without = search(0);
    EXPECT_GE(without.first.size(), 2 * 15u);
    EXPECT_EQ(search(3), without);
}

// Holds every listing call until the test lets them go, and says which are held.
class HeldCalls {
public:
    explicit HeldCalls(FakeFileSystem& files) {
        files.onFindFirst = [this](const std::wstring& dir) {
            std::unique_lock lock(lock_);
            ++started_;
            held_.insert({dir, std::this_thread::get_id()});
            changed_.notify_all();
            changed_.wait(lock, [&] { return released_.count(dir) > 0 || all_; });
            held_.erase(held_.find(dir));
            changed_.notify_all();
        };
    }
    using Held = std::multimap<std::wstring, std::thread::id>; // folder -> thread in the call

    // Waits (generously) until the condition holds over the calls being held.
    template <typename Condition> bool WaitFor(Condition condition) {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, 20s, [&] { return condition(held_); });
    }
    void Release(const std::wstring& dir) {
        std::lock_guard lock(lock_);
        released_.insert(dir);
        changed_.notify_all();
    }
    void ReleaseAll() {
        std::lock_guard lock(lock_);
        all_ = true;
        changed_.notify_all();
    }
    [[nodiscard]] int Started() {
        std::lock_guard lock(lock_);
        return started_;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    Held held_;
    std::set<std::wstring> released_;
    int started_ = 0;
    bool all_ = false;
};

// Passes the status texts on and notes the walker: the thread that writes "Search in".
class WalkerWatch final : public IStatusBar {
public:
    explicit WalkerWatch(IStatusBar& inner) : inner_(inner) {}
    void SetPaneText(int pane, std::wstring_view text) override {
        if (text.starts_with(kTextSearchIn)) {
            std::lock_guard lock(lock_);
            walker_ = std::this_thread::get_id();
        }
        inner_.SetPaneText(pane, text);
    }
    [[nodiscard]] std::thread::id Walker() {
        std::lock_guard lock(lock_);
        return walker_;
    }

private:
    IStatusBar& inner_;
    std::mutex lock_;
    std::thread::id walker_;
};

// With every thread of the walk in a listing call, or the walker waiting for the helper that
// lists its folder, Stop ends the search as those calls return: not one more listing starts.
TEST(ReadAhead, StopEndsTheWalkWithinOneCallAndStartsNoListingAfterIt) {
    constexpr int kHelpers = 2;
    EngineHarness h(kHelpers);
    WalkerWatch watch(h.status);
    h.engine.Services().statusBar = &watch;
    h.files.readsBothPassesAtOnce = true;
    for (int i = 0; i < 20; ++i) {
        h.files.AddFile(kShare + L"\\c" + std::to_wstring(i / 10) + std::to_wstring(i % 10) + L"\\x\\f.txt");
    }
    HeldCalls calls(h.files);
    struct EndSearch {
        EngineHarness& h;
        HeldCalls& calls;
        ~EndSearch() {
            h.engine.StopSearch();
            calls.ReleaseAll();
            h.engine.WaitForSearchEnd();
        }
    } endSearchWhateverHappens{h, calls};
    h.engine.Request().fileMask = L"*.txt";
    h.Start({kShare});

    // Nothing below the share is known before it is listed.
    using Held = HeldCalls::Held;
    ASSERT_TRUE(calls.WaitFor([](const Held& held) { return held.size() == 1; }));
    EXPECT_EQ(calls.Started(), 1);
    calls.Release(kShare);

    // Then the helpers list the folders ahead while the walker lists the first, or waits for
    // the helper that does.
    const std::wstring first = kShare + L"\\c00";
    ASSERT_TRUE(calls.WaitFor([&](const Held& held) {
        const std::thread::id walker = watch.Walker();
        const auto byHelpers =
            std::count_if(held.begin(), held.end(), [&](const auto& call) { return call.second != walker; });
        return walker != std::thread::id() && held.count(first) == 1 && byHelpers == kHelpers;
    }));
    const int startedBeforeStop = calls.Started();
    EXPECT_GE(startedBeforeStop, 1 + kHelpers);
    h.engine.StopSearch();
    calls.ReleaseAll();
    h.engine.WaitForSearchEnd();

    EXPECT_EQ(calls.Started(), startedBeforeStop);
    EXPECT_TRUE(h.list.Rows().empty());
    EXPECT_EQ(h.status.Last(kPaneMessage), kTextSearchCompleted);
    EXPECT_FALSE(h.engine.SearchThreadsRunning());
}

// A walk expected after Stop is never begun: nothing is read ahead for it, and no worker takes it.
TEST(ReadAhead, AfterStopAnExpectedWalkMakesNoWork) {
    FakeFileSystem files;
    files.AddFile(kShare + L"\\a.txt");
    const SearchRequest request;
    const ContentPattern content;
    for (const bool stopped : {false, true}) {
        std::atomic<bool> running{true};
        ReadAheadPool pool(files, request, content, ListingDetail::kNamesAndSizes, running, 1);
        if (stopped) {
            running = false;
        }
        pool.Expect(kShare, L"*");
        const std::unique_ptr<AheadWalk> walk = pool.TakeExpected(kShare, L"*");
        EXPECT_EQ(walk == nullptr, stopped);
    }
}

// While listings answer at once the walker does them itself and the helpers rest; a listing that
// waits sets helpers to work again.
TEST(ReadAhead, HelpersRestWhileListingsAnswerAtOnceAndWorkWhenOneWaits) {
    FakeFileSystem files;
    for (int i = 0; i < 400; ++i) {
        files.AddFile(kShare + L"\\quick\\d" + std::to_wstring(i) + L"\\f.txt");
    }
    files.AddFile(kShare + L"\\slow\\f.txt");
    files.onFindFirst = [](const std::wstring& dir) {
        if (dir.ends_with(L"slow")) {
            std::this_thread::sleep_for(kWaitingListing);
        }
    };
    const SearchRequest request;
    const ContentPattern content;
    const std::atomic<bool> running{true};
    ReadAheadPool pool(files, request, content, ListingDetail::kNamesAndSizes, running, 4);
    // The fewest helpers at work seen during the walk: a listing that a busy machine holds up for
    // a millisecond counts as one that waited, and sets some to work again for a while.
    const auto walkAll = [&](const std::wstring& root) {
        int fewest = pool.ActiveHelpers();
        AheadWalk walk(pool, root, L"*.txt");
        while (walk.NextFolder()) {
            static_cast<void>(walk.Matching());
            walk.FinishFolder();
            fewest = std::min(fewest, pool.ActiveHelpers());
        }
        return fewest;
    };
    EXPECT_EQ(walkAll(kShare + L"\\quick"), 0);
    walkAll(kShare + L"\\slow");
    EXPECT_GE(pool.ActiveHelpers(), 1);
}

} // namespace
} // namespace vk::testing
