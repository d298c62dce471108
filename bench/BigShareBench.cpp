// bigshare: one share of 2,000 folders, every call delayed by 2 ms, as a company's one big file
// server over a slow link: the walk with read-ahead against the walk without it (one worker, two
// listing calls a folder one after the other), with the same rows in the same order.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "platform/Utf8.h"

#include <chrono>
#include <iostream>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 2000;
constexpr auto kCallDelay = std::chrono::milliseconds(2);
constexpr const char* kServer = "BIGFILER";
constexpr const char* kShare = "company";
constexpr std::uint64_t kSeed = 0xB165A4E;

std::string Recipe() {
    return "bigshare 1: " + std::to_string(kFolders) + " folders, seed " + std::to_string(kSeed) + "\n";
}

// Departments, projects, years, ...: breadth first, up to five subfolders a folder, a few files
// in each (one of them a report the mask finds).
void Generate(const fs::path& share) {
    Random random(kSeed);
    std::vector<fs::path> folders{share};
    fs::create_directories(share);
    for (std::size_t next = 0; static_cast<int>(folders.size()) < kFolders; ++next) {
        const int wanted = next == 0 ? 8 : random.Between(0, 5);
        for (int i = 0; i < wanted && static_cast<int>(folders.size()) < kFolders; ++i) {
            folders.push_back(folders[next] / ("folder" + std::to_string(i)));
            fs::create_directory(folders.back());
        }
    }
    for (const auto& folder : folders) {
        WriteFile(folder / "report.txt", "report\n");
        WriteFile(folder / "data.bin", "data\n");
    }
}

} // namespace

int RunBigShareBenchmark(const fs::path& workdir) {
    const fs::path dir = workdir / "bigshare";
    const fs::path root = dir / "network";
    if (!ReuseDataSet(dir, Recipe())) {
        Generate(SharePath(root, kServer, kShare));
        MarkDataSetReady(dir, Recipe());
    }
    EngineBench engine(root);
    if (!engine.Load()) {
        return 1;
    }
    engine.Network().Faults().callDelay = kCallDelay;
    SearchRequest request;
    request.fileMask = L"*.txt";
    const std::vector<std::wstring> scopes{WideFromUtf8(std::string("\\\\") + kServer + "\\" + kShare)};

    // The walk without read-ahead takes seconds and varies little: once is enough.
    std::vector<std::string> without;
    std::vector<std::string> with;
    const auto start = std::chrono::steady_clock::now();
    without = engine.Search(request, scopes, 0);
    const double withoutSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double withSeconds = TimeBestOfThree([&] { with = engine.Search(request, scopes, BenchReadAheadJobs()); });

    std::cout << "bigshare: 1 share, " << kFolders << " folders, every call " << kCallDelay.count()
              << " ms; without read-ahead " << SecondsText(withoutSeconds) << ", with " << BenchReadAheadJobs()
              << " read-ahead threads " << SecondsText(withSeconds) << "; "
              << RatioText(withSeconds / withoutSeconds, 1.0 / 6) << std::endl;
    if (with != without || without.size() != static_cast<std::size_t>(kFolders)) {
        std::cout << "bigshare: WARNING: " << without.size() << " rows without read-ahead, " << with.size() << " with"
                  << (with.size() == without.size() ? ", in another order" : "") << '\n';
        return 1;
    }
    return 0;
}

} // namespace vk::bench
