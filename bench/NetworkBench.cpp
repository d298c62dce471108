// network: 30 small shares on four servers, every listing call delayed by 2 ms, against the
// ideal time of the worker gate: what the walks take when nothing but the delays and the gate
// cost time, two listing calls a folder, one after the other. Measured without read-ahead (the
// walk that ideal describes) and with it.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kServers = 4;
constexpr int kShares = 30;
constexpr int kFilesPerFolder = 3; // matching the mask; one more file per folder does not
constexpr auto kCallDelay = std::chrono::milliseconds(2);
// The walk lists each folder twice: the entries matching the mask, then every subfolder.
constexpr int kCallsPerFolder = 2;

std::string ServerName(int share) {
    return "NODE" + std::to_string(share % kServers + 1);
}

std::string ShareName(int share) {
    char name[16];
    std::snprintf(name, sizeof name, "share%02d", share);
    return name;
}

// The folders of a share, its own included: 14 to 26, so that the walks end at different times
// and the gate's hysteresis shows.
int FoldersOfShare(int share) {
    return 14 + (share * 7) % 13;
}

std::string Recipe() {
    return "network 1: " + std::to_string(kShares) + " shares\n";
}

void Generate(const fs::path& root) {
    for (int share = 0; share < kShares; ++share) {
        // Breadth first, three subfolders a folder, so each share is a few levels deep.
        std::vector<fs::path> folders{SharePath(root, ServerName(share), ShareName(share))};
        fs::create_directories(folders.front());
        for (std::size_t next = 0; static_cast<int>(folders.size()) < FoldersOfShare(share); ++next) {
            for (int i = 0; i < 3 && static_cast<int>(folders.size()) < FoldersOfShare(share); ++i) {
                folders.push_back(folders[next] / ("folder" + std::to_string(i)));
                fs::create_directory(folders.back());
            }
        }
        for (const auto& folder : folders) {
            for (int i = 0; i < kFilesPerFolder; ++i) {
                WriteFile(folder / ("minutes" + std::to_string(i) + ".txt"), "minutes\n");
            }
            WriteFile(folder / "index.dat", "index\n");
        }
    }
}

} // namespace

int RunNetworkBenchmark(const fs::path& workdir) {
    const fs::path dir = workdir / "network";
    const fs::path root = dir / "network";
    if (!ReuseDataSet(dir, Recipe())) {
        Generate(root);
        MarkDataSetReady(dir, Recipe());
    }

    EngineBench engine(root);
    if (!engine.Load()) {
        return 1;
    }
    engine.Network().Faults().callDelay = kCallDelay;

    std::vector<std::wstring> scopes;
    std::vector<ControllerStep> work;
    int folders = 0;
    for (int share = 0; share < kShares; ++share) {
        scopes.push_back(WideFromUtf8("\\\\" + ServerName(share) + "\\" + ShareName(share)));
        folders += FoldersOfShare(share);
        work.push_back(
            {true, FoldersOfShare(share) * kCallsPerFolder * std::chrono::duration<double>(kCallDelay).count()});
    }
    const int calls = folders * kCallsPerFolder;
    const std::size_t expectedHits = static_cast<std::size_t>(folders) * kFilesPerFolder;

    SearchRequest request;
    request.fileMask = L"*.txt";
    std::vector<std::string> hits;
    std::vector<std::string> hitsAhead;
    const double without = TimeBestOfThree([&] { hits = engine.Search(request, scopes, 0); });
    const double with = TimeBestOfThree([&] { hitsAhead = engine.Search(request, scopes, BenchReadAheadJobs()); });
    const double ideal = IdealGateSeconds(work);

    std::cout << "network: " << kShares << " shares on " << kServers << " servers, " << folders << " folders, " << calls
              << " listing calls of " << kCallDelay.count() << " ms; ideal " << SecondsText(ideal)
              << "; engine without read-ahead " << SecondsText(without) << ", " << RatioText(without / ideal, 1.25)
              << "; with " << BenchReadAheadJobs() << " read-ahead threads " << SecondsText(with) << ", "
              << RatioText(with / ideal, 0.5) << std::endl;
    if (hits.size() != expectedHits || hitsAhead.size() != expectedHits) {
        std::cout << "network: WARNING: the engine found " << hits.size() << " and " << hitsAhead.size()
                  << " files, the shares hold " << expectedHits << '\n';
        return 1;
    }
    return 0;
}

} // namespace vk::bench
