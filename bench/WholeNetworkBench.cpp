// wholenet: a whole-network search of 3 domains x 10 servers x 5 shares with every call delayed
// by 2 ms (enumerations, share lists and listings alike), against the ideal time of the worker
// gate: the controller's enumeration calls one after another, each share handed to a worker as
// soon as the gate lets it, and each walk costing exactly its listings' delays (two a folder).
// Measured without read-ahead (the walk that ideal describes) and with it.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "engine/SearchEngine.h"
#include "network/MemoryScopeTree.h"
#include "platform/FolderNetworkServices.h"
#include "platform/Utf8.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kDomains = 3;
constexpr int kServersPerDomain = 10;
constexpr int kSharesPerServer = 5;
constexpr auto kCallDelay = std::chrono::milliseconds(2);
constexpr int kCallsPerFolder = 2; // the walk lists each folder twice

std::string Recipe() {
    return "wholenet 1\n";
}

int FoldersOfShare(int server, int share) {
    return 3 + (server * 5 + share * 3) % 6;
}

void Generate(const fs::path& root) {
    for (int domain = 0; domain < kDomains; ++domain) {
        for (int server = 0; server < kServersPerDomain; ++server) {
            const int serverNumber = domain * kServersPerDomain + server;
            for (int share = 0; share < kSharesPerServer; ++share) {
                fs::path folder = root / "Bench Network" / ("DOMAIN" + std::to_string(domain)) /
                                  ("SRV" + std::to_string(serverNumber)) / ("share" + std::to_string(share));
                for (int level = 0; level < FoldersOfShare(serverNumber, share); ++level) {
                    fs::create_directories(folder);
                    WriteFile(folder / "report.txt", "report\n");
                    folder /= "sub";
                }
            }
        }
    }
}

// What the controller did, in order: an enumeration call, or a share handed to a worker.
struct Event {
    bool dispatch = false;
    std::wstring share;
};

// The controller's events, written down while recording is on (the read-ahead's helpers ask for
// share lists too, from their own threads).
struct EventLog {
    void Add(Event event) {
        std::lock_guard lock(mutex);
        if (recording) {
            events.push_back(std::move(event));
        }
    }
    std::mutex mutex;
    std::vector<Event> events;
    bool recording = true;
};

// Passes the calls on and writes down the controller's events.
class RecordingNetwork final : public NetworkServices {
public:
    RecordingNetwork(NetworkServices& inner, EventLog& events) : inner_(inner), events_(events) {}

    std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* parent, ErrorCode& error) override {
        events_.Add(Event{});
        auto enumeration = inner_.OpenEnum(parent, error);
        return enumeration ? std::make_unique<Enumeration>(std::move(enumeration), events_) : nullptr;
    }
    ErrorCode ShareEnum(const std::wstring& server, std::vector<ShareInfo>& shares,
                        std::uint32_t& resumeHandle) override {
        events_.Add(Event{});
        const ErrorCode status = inner_.ShareEnum(server, shares, resumeHandle);
        for (const auto& share : shares) {
            events_.Add(Event{true, server + L"\\" + share.name});
        }
        return status;
    }

private:
    struct Enumeration final : ResourceEnumeration {
        Enumeration(std::unique_ptr<ResourceEnumeration> inner, EventLog& events)
            : inner_(std::move(inner)), events_(events) {}
        ErrorCode Next(std::uint32_t& count, std::size_t bufferSize, std::vector<NetResource>& out) override {
            events_.Add(Event{});
            return inner_->Next(count, bufferSize, out);
        }
        std::unique_ptr<ResourceEnumeration> inner_;
        EventLog& events_;
    };

    NetworkServices& inner_;
    EventLog& events_;
};

} // namespace

int RunWholeNetworkBenchmark(const fs::path& workdir) {
    const fs::path dir = workdir / "wholenet";
    const fs::path root = dir / "network";
    if (!ReuseDataSet(dir, Recipe())) {
        Generate(root);
        MarkDataSetReady(dir, Recipe());
    }

    auto system = MakeSystemFileSystem(kMaxLongPathLength);
    FolderNetwork network(WideFromUtf8(root.string()), *system);
    if (network.Load() != kErrorSuccess) {
        std::cerr << "wholenet: cannot read " << root.string() << '\n';
        return 1;
    }
    FolderNetworkFileSystem files(network);
    FolderNetworkServices services(network);
    EventLog log;
    RecordingNetwork recording(services, log);

    MemoryResultList list;
    NoIconImages images;
    IconKeyTable icons(images);
    icons.ResetCache();
    MemoryScopeTree tree;
    CSearchEngine engine({&files, &list, nullptr, &icons, nullptr, &recording, nullptr});
    engine.SetScopeTree(&tree);
    engine.ExpandNetworkNode(kNoNode, -1); // the tree as the program shows it at start-up
    engine.Request().fileMask = L"*.txt";

    const auto search = [&] {
        engine.searchRunning = true;
        engine.StartSearch();
        engine.WaitForSearchEnd();
    };

    // A run without delays (nor read-ahead) writes down what the controller does; the ideal follows
    // from it.
    engine.SetReadAheadJobs(0);
    log.events.clear(); // the tree's own enumeration above is no part of the search
    search();
    const std::vector<Event> events = [&] {
        std::lock_guard lock(log.mutex);
        log.recording = false;
        return std::move(log.events);
    }();
    std::map<std::wstring, double> work;
    int folders = 0;
    const double delay = std::chrono::duration<double>(kCallDelay).count();
    for (int domain = 0; domain < kDomains; ++domain) {
        for (int server = 0; server < kServersPerDomain; ++server) {
            const int serverNumber = domain * kServersPerDomain + server;
            for (int share = 0; share < kSharesPerServer; ++share) {
                const int count = FoldersOfShare(serverNumber, share);
                folders += count;
                work[WideFromUtf8("\\\\SRV" + std::to_string(serverNumber) + "\\share" + std::to_string(share))] =
                    count * kCallsPerFolder * delay;
            }
        }
    }
    const std::size_t expectedHits = static_cast<std::size_t>(folders);
    if (list.Rows().size() != expectedHits) {
        std::cout << "wholenet: WARNING: the engine found " << list.Rows().size() << " files, the network holds "
                  << expectedHits << '\n';
        return 1;
    }
    std::vector<ControllerStep> steps;
    for (const Event& event : events) {
        const auto found = work.find(event.share);
        steps.push_back({event.dispatch, !event.dispatch ? delay : found == work.end() ? 0.0 : found->second});
    }
    const double ideal = IdealGateSeconds(steps);
    const auto calls = std::count_if(events.begin(), events.end(), [](const Event& e) { return !e.dispatch; });

    network.Faults().callDelay = kCallDelay;
    engine.SetReadAheadJobs(0);
    const double without = TimeBestOfThree(search);
    const std::size_t rowsWithout = list.Rows().size();
    engine.SetReadAheadJobs(BenchReadAheadJobs());
    const double with = TimeBestOfThree(search);
    std::cout << "wholenet: " << kDomains << " domains x " << kServersPerDomain << " servers x " << kSharesPerServer
              << " shares, " << folders << " folders, " << calls << " enumeration calls, every call "
              << kCallDelay.count() << " ms; ideal " << SecondsText(ideal) << "; engine without read-ahead "
              << SecondsText(without) << ", " << RatioText(without / ideal, 1.25) << "; with " << BenchReadAheadJobs()
              << " read-ahead threads " << SecondsText(with) << ", " << RatioText(with / ideal, 0.5) << std::endl;
    if (rowsWithout != expectedHits || list.Rows().size() != expectedHits) {
        std::cout << "wholenet: WARNING: the engine found " << rowsWithout << " and " << list.Rows().size()
                  << " files, the network holds " << expectedHits << '\n';
        return 1;
    }
    return 0;
}

} // namespace vk::bench
