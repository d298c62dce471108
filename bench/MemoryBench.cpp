// memory: the peak memory of the whole vkfind process walking 200,000 entries (the walk data set)
// and 1,000,000 entries, with a mask that finds nothing, so that only the walk holds memory. With
// read-ahead it is bounded by the read-ahead window, not by the tree: the larger walk may take
// little more than the smaller.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 50000;
constexpr int kEntries = 1000000;
constexpr std::uint64_t kSeed = 0x3E30111;
constexpr const char* kServer = "HUGE";
constexpr const char* kShare = "everything";

std::string Recipe() {
    return "memory 1: " + std::to_string(kEntries) + " entries, " + std::to_string(kFolders) + " folders, seed " +
           std::to_string(kSeed) + "\n";
}

// Breadth first, up to eight subfolders a folder; then empty files spread evenly over the folders.
void Generate(const fs::path& share) {
    Random random(kSeed);
    std::vector<fs::path> folders{share};
    fs::create_directories(share);
    for (std::size_t next = 0; static_cast<int>(folders.size()) < kFolders; ++next) {
        const int wanted = next == 0 ? 10 : random.Between(1, 8);
        for (int i = 0; i < wanted && static_cast<int>(folders.size()) < kFolders; ++i) {
            folders.push_back(folders[next] / ("dir" + std::to_string(i)));
            fs::create_directory(folders.back());
        }
    }
    const int files = kEntries - (kFolders - 1);
    for (int i = 0; i < files; ++i) {
        WriteFile(folders[static_cast<std::size_t>(i) % folders.size()] / ("file" + std::to_string(i) + ".dat"), "");
    }
}

double Megabytes(long kilobytes) {
    return static_cast<double>(kilobytes) / 1024.0;
}

} // namespace

int RunMemoryBenchmark(const fs::path& workdir) {
    const WalkDataSet walk = MakeWalkDataSet(workdir);
    const fs::path dir = workdir / "memory";
    const fs::path root = dir / "network";
    if (!ReuseDataSet(dir, Recipe())) {
        std::cerr << "memory: generating " << kEntries << " entries in " << dir.string() << " (once, a few minutes)\n";
        Generate(SharePath(root, kServer, kShare));
        MarkDataSetReady(dir, Recipe());
    }
    const std::string bigShare = std::string("\\\\") + kServer + "\\" + kShare;
    const auto peak = [](int jobs, const fs::path& network, const std::string& share) {
        return PeakMemoryKilobytes(
            {VkfindPath(), "-q", "-j", std::to_string(jobs), "--network", network.string(), "--mask", "*.none", share});
    };
    const int jobs = BenchReadAheadJobs();
    const long small = peak(jobs, walk.root, walk.uncShare);
    const long big = peak(jobs, root, bigShare);
    const long smallWithout = peak(0, walk.root, walk.uncShare);
    const long bigWithout = peak(0, root, bigShare);
    if (small <= 0 || big <= 0 || smallWithout <= 0 || bigWithout <= 0) {
        std::cout << "memory: ERROR: vkfind failed\n";
        return 1;
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "memory: peak of vkfind -j %d: 200,000 entries %.1f MB, 1,000,000 entries %.1f MB; "
                  "without read-ahead %.1f MB and %.1f MB; ",
                  jobs, Megabytes(small), Megabytes(big), Megabytes(smallWithout), Megabytes(bigWithout));
    std::cout << text << "1,000,000 against 200,000 " << RatioText(static_cast<double>(big) / small, 1.5) << std::endl;
    return 0;
}

} // namespace vk::bench
