// vk_ui_bench [--workdir DIR] [--files N] [--jobs N]
//
// A search that finds N files (default 100,000) on a generated folder network, run twice: into
// the real result view (list view, icon cache, status bar) shown in a window, with this thread
// handling messages as the program's message loop does, and into the in-memory result list,
// which is the engine's own speed. Prints both rates, their ratio, how long the user interface
// thread kept a posted message waiting at worst during the search (a probe thread posts one
// every 5 ms), whether every hit reached each list once and in order, and the time to sort and
// to empty the full list, and the peak memory of the list-view run alone (it runs first).
//
// The network is generated in the work folder at the first run and reused while N is the same.
// Exits 0 when both runs found every file, each once and in order, 1 otherwise, 2 on bad usage.

#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "platform/NetworkEnvironment.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "results/win/Varnokle2View.h"
#include "ui/support/PaneHost.h"

#include <psapi.h>

#include <array>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kShares = 10;
constexpr int kDirsPerShare = 10;
constexpr const wchar_t* kMask = L"file*";
constexpr UINT kProbeMessage = WM_APP + 77;
constexpr auto kProbeInterval = std::chrono::milliseconds(5);
const char* const kExtensions[] = {".txt", ".doc", ".pdf", ".log", ".bin"};

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

std::wstring ShareName(int share) {
    return L"share" + std::to_wstring(share);
}

// ROOT/Bench/BENCH/SRV/shareS/dirD/fileNNNNNN.ext: N empty files in 10 shares of 10 folders.
bool MakeNetwork(const std::filesystem::path& root, int files) {
    const std::string recipe = "files=" + std::to_string(files) + " shares=10 dirs=10 v1";
    const auto ready = root / "ready.txt";
    {
        std::ifstream in(ready);
        std::string line;
        if (std::getline(in, line) && line == recipe) {
            return true;
        }
    }
    std::printf("generating %d files in %s ...\n", files, root.string().c_str());
    std::fflush(stdout);
    std::error_code error;
    std::filesystem::remove_all(root, error);
    const int perDir = files / (kShares * kDirsPerShare);
    int number = 0;
    for (int share = 0; share < kShares; ++share) {
        for (int dir = 0; dir < kDirsPerShare; ++dir) {
            const auto folder =
                root / "Bench" / "BENCH" / "SRV" / ("share" + std::to_string(share)) / ("dir" + std::to_string(dir));
            std::filesystem::create_directories(folder, error);
            if (error) {
                std::fprintf(stderr, "vk_ui_bench: cannot make %s\n", folder.string().c_str());
                return false;
            }
            for (int file = 0; file < perDir; ++file, ++number) {
                char name[32];
                std::snprintf(name, sizeof name, "file%06d%s", number, kExtensions[number % 5]);
                std::ofstream(folder / name, std::ios::binary);
            }
        }
    }
    std::ofstream(ready) << recipe << '\n';
    return true;
}

class DiscardingStatusBar final : public vk::IStatusBar {
public:
    void SetPaneText(int, std::wstring_view) override {}
};

// Every hit listed once, and each walker's rows (those of one folder) in the order it found them.
// Rows are checked one at a time as the list gives them, so that the check itself holds no copy
// of the list (which would count in the peak memory measured after it).
class OrderCheck {
public:
    explicit OrderCheck(std::size_t hits = 0) : seen_(hits, 0) {}

    // A row: its folder (column 2) and its data value, the index of its hit in the store, which
    // counts the hits in the order they were found.
    void Add(const std::wstring& folder, std::intptr_t data) {
        if (data >= 0 && static_cast<std::size_t>(data) < seen_.size()) {
            auto& times = seen_[static_cast<std::size_t>(data)];
            times = static_cast<std::uint8_t>(std::min(times + 1, 2));
        }
        const auto last = lastOfFolder_.find(folder);
        if (last == lastOfFolder_.end()) {
            lastOfFolder_.emplace(folder, data);
            return;
        }
        if (last->second > data) {
            ++outOfOrder_;
        }
        last->second = data;
    }
    void Finish() {
        for (const std::uint8_t times : seen_) {
            missing += times == 0 ? 1 : 0;
            twice += times > 1 ? 1 : 0;
        }
        outOfOrder = outOfOrder_;
        seen_ = {};
    }

    int missing = 0;
    int twice = 0;
    int outOfOrder = 0;
    [[nodiscard]] bool Sound() const { return missing == 0 && twice == 0 && outOfOrder == 0; }

private:
    std::vector<std::uint8_t> seen_;
    std::map<std::wstring, std::intptr_t> lastOfFolder_;
    int outOfOrder_ = 0;
};

std::string Describe(const OrderCheck& check) {
    if (check.Sound()) {
        return "every hit once, each folder's rows in the order found";
    }
    return std::to_string(check.missing) + " hits missing, " + std::to_string(check.twice) + " listed twice, " +
           std::to_string(check.outOfOrder) + " rows out of order";
}

struct Run {
    int hits = 0;
    double seconds = 0;
    OrderCheck order;
};

std::vector<std::wstring> Scope() {
    std::vector<std::wstring> scope;
    for (int share = 0; share < kShares; ++share) {
        scope.push_back(L"\\\\SRV\\" + ShareName(share));
    }
    return scope;
}

// The read-ahead threads of both runs (--jobs; -1: the engine's default, as in the program).
int readAheadJobs = -1;

void UseReadAheadJobs(vk::CSearchEngine& engine) {
    if (readAheadJobs >= 0) {
        engine.SetReadAheadJobs(readAheadJobs);
    }
}

// The engine into the in-memory list, best of three.
Run RunIntoMemory(vk::NetworkEnvironment& environment) {
    Run best;
    for (int round = 0; round < 3; ++round) {
        vk::MemoryResultList list;
        vk::NoIconImages images;
        vk::IconKeyTable icons(images);
        icons.ResetCache();
        DiscardingStatusBar status;
        vk::CSearchEngine engine(
            {&environment.Files(), &list, &status, &icons, nullptr, &environment.Network(), nullptr});
        UseReadAheadJobs(engine);
        engine.Request().fileMask = kMask;
        engine.SetScopePaths(Scope());
        engine.searchRunning = true;
        const auto start = Clock::now();
        engine.StartSearch();
        engine.WaitForSearchEnd();
        const double seconds = Seconds(Clock::now() - start);
        if (round == 0 || seconds < best.seconds) {
            OrderCheck order(engine.Results().Count());
            for (const vk::ResultRow& row : list.Rows()) {
                order.Add(row.columns[2], row.data);
            }
            order.Finish();
            best = {list.GetItemCount(), seconds, order};
        }
    }
    return best;
}

struct ProbeStats {
    std::size_t count = 0;
    double worst = 0;
    double total = 0;
    std::size_t over100ms = 0;
    void Add(double seconds) {
        ++count;
        worst = std::max(worst, seconds);
        total += seconds;
        over100ms += seconds > 0.1 ? 1 : 0;
    }
};

// Handles this thread's messages, as the program's loop does, until done() holds; the probes
// are measured rather than dispatched.
template <class Done> void PumpWithProbes(const Done& done, ProbeStats& probes) {
    MSG msg{};
    while (!done()) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == nullptr && msg.message == kProbeMessage) {
                const Clock::time_point posted{Clock::duration{static_cast<Clock::rep>(msg.lParam)}};
                probes.Add(Seconds(Clock::now() - posted));
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// The process's peak working set so far.
double PeakMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

struct ViewRun {
    Run search;
    ProbeStats probes;
    std::array<double, 4> sortSeconds{}; // by column: name, size, folder, modified
    double clearSeconds = 0;
    int rowsAfterClear = -1;
    double peakAfterSearch = 0; // MiB
};

ViewRun RunIntoView(vk::NetworkEnvironment& environment) {
    ViewRun result;
    vk::testing::PaneHost host(1000, 700);
    vk::CVarnokle2Doc doc(environment);
    vk::CVarnokle2View view(doc);
    if (!host.Host(view)) {
        std::fprintf(stderr, "vk_ui_bench: cannot create the result view\n");
        return result;
    }
    vk::CSearchEngine& engine = doc.Engine();
    UseReadAheadJobs(engine);
    engine.Request().fileMask = kMask;
    engine.SetScopePaths(Scope());

    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> probing{true};
    std::thread prober([&] {
        while (probing) {
            PostThreadMessageW(uiThread, kProbeMessage, 0,
                               static_cast<LPARAM>(Clock::now().time_since_epoch().count()));
            std::this_thread::sleep_for(kProbeInterval);
        }
    });

    // The search has ended when its controller thread has: its last texts are messages to this
    // thread, sent after searchActive has dropped.
    engine.searchRunning = true;
    const auto start = Clock::now();
    engine.StartSearch();
    PumpWithProbes([&] { return !engine.SearchThreadsRunning(); }, result.probes);
    result.search.seconds = Seconds(Clock::now() - start);
    engine.WaitForSearchEnd();
    probing = false;
    prober.join();
    vk::ui::PumpWaitingMessages();
    result.peakAfterSearch = PeakMiB();
    result.search.hits = view.List().GetItemCount();
    result.search.order = OrderCheck(engine.Results().Count());
    for (int row = 0; row < result.search.hits; ++row) {
        result.search.order.Add(view.List().RowText(row, 2), view.List().RowData(row));
    }
    result.search.order.Finish();

    for (std::size_t column = 0; column < result.sortSeconds.size(); ++column) {
        const auto begin = Clock::now();
        view.SortByColumn(static_cast<int>(column));
        result.sortSeconds[column] = Seconds(Clock::now() - begin);
    }

    const auto begin = Clock::now();
    view.List().DeleteAllRows();
    result.clearSeconds = Seconds(Clock::now() - begin);
    result.rowsAfterClear = view.List().GetItemCount();
    return result;
}

int Usage(const char* problem) {
    std::fprintf(stderr, "vk_ui_bench: %s\nusage: vk_ui_bench [--workdir DIR] [--files N] [--jobs N]\n", problem);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path workdir;
    int files = 100000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--workdir" && i + 1 < argc) {
            workdir = argv[++i];
        } else if (arg == "--files" && i + 1 < argc) {
            files = std::atoi(argv[++i]);
        } else if (arg == "--jobs" && i + 1 < argc) {
            readAheadJobs = std::atoi(argv[++i]);
        } else {
            return Usage(("unknown argument '" + arg + "'").c_str());
        }
    }
    if (files <= 0 || files % (kShares * kDirsPerShare) != 0) {
        return Usage("--files must be a positive multiple of 100");
    }
    try {
        if (workdir.empty()) {
            workdir = std::filesystem::temp_directory_path() / "varnokle-ui-bench";
        }
        const auto root = workdir / ("network-" + std::to_string(files));
        if (!MakeNetwork(root, files)) {
            return 1;
        }
        vk::NetworkEnvironment environment;
        if (environment.UseFolderNetwork(root.wstring()) != vk::kErrorSuccess) {
            std::fprintf(stderr, "vk_ui_bench: cannot read the network in %s\n", root.string().c_str());
            return 1;
        }

        // The list view first, and its peak read before the engine-alone run: that is what the
        // program holds at N hits (the result view, the store, the shown list's model, the
        // network), without the in-memory list, which the program does not have.
        const ViewRun view = RunIntoView(environment);
        const double programPeak = PeakMiB();
        const Run memory = RunIntoMemory(environment);

        const double viewRate = view.search.hits / view.search.seconds;
        const double memoryRate = memory.hits / memory.seconds;
        std::printf("list view, shown under Wine: %d hits in %.2f s = %.0f hits/s; user interface kept a posted "
                    "message waiting %.0f ms at worst (mean %.1f ms, %zu probes, %zu over 100 ms)\n",
                    view.search.hits, view.search.seconds, viewRate, view.probes.worst * 1000,
                    view.probes.count ? view.probes.total / static_cast<double>(view.probes.count) * 1000 : 0.0,
                    view.probes.count, view.probes.over100ms);
        std::printf("  %s\n", Describe(view.search.order).c_str());
        std::printf("memory result list (engine alone): %d hits in %.2f s = %.0f hits/s (best of 3)\n", memory.hits,
                    memory.seconds, memoryRate);
        std::printf("  %s\n", Describe(memory.order).c_str());
        std::printf("ratio list view / memory list: %.1f times the time\n", view.search.seconds / memory.seconds);
        const auto& sorts = view.sortSeconds;
        std::printf("full list: sorting by name %.2f s, size %.2f s, folder %.2f s, modified %.2f s (slowest %.2f s); "
                    "emptying %.2f s\n",
                    sorts[0], sorts[1], sorts[2], sorts[3], *std::max_element(sorts.begin(), sorts.end()),
                    view.clearSeconds);
        std::printf("peak memory of the program part: %.0f MiB after the search, %.0f MiB after the sorts and "
                    "emptying (the process's peak working set, read before the engine-alone run starts)\n",
                    view.peakAfterSearch, programPeak);
        std::printf("peak memory of the process after both runs: %.0f MiB\n", PeakMiB());
        const bool complete = view.search.hits == files && memory.hits == files && view.rowsAfterClear == 0 &&
                              view.search.order.Sound() && memory.order.Sound();
        if (!complete) {
            std::fprintf(stderr, "vk_ui_bench: expected %d hits in each run, each once and in order\n", files);
        }
        return complete ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vk_ui_bench: %s\n", error.what());
        return 1;
    }
}
