#pragma once
// The benchmarks of vk_bench. Each prints one line of figures against its peer and returns
// 0 when it ran (whether or not the goal was met) and 1 when it failed or the two sides disagree.

#include <filesystem>
#include <string>

namespace vk::bench {

// The data sets of the walk and content benchmarks (made at their first use): the network
// folder, the share's folder in it, the share's UNC path; for content, the word searched for.
struct WalkDataSet {
    std::filesystem::path root;
    std::filesystem::path share;
    std::string uncShare;
};
struct ContentDataSet {
    std::filesystem::path root;
    std::filesystem::path share;
    std::string uncShare;
    std::string needle;
};
WalkDataSet MakeWalkDataSet(const std::filesystem::path& workdir);
ContentDataSet MakeContentDataSet(const std::filesystem::path& workdir);

// The walk of one large share with one mask, against find.
int RunWalkBenchmark(const std::filesystem::path& workdir);

// The whole vkfind process testing the contents of a share of large text files, against ripgrep
// on one thread and with its own threads.
int RunContentBenchmark(const std::filesystem::path& workdir);

// Thirty shares on a network with a delay per call, against the ideal time of the worker gate.
int RunNetworkBenchmark(const std::filesystem::path& workdir);

// A whole-network search (domains, servers, shares) on a network with a delay per call, against
// the ideal time of the controller's calls and the worker gate.
int RunWholeNetworkBenchmark(const std::filesystem::path& workdir);

// The share listing of a server with 30,000 shares (vkfind --shares), against find.
int RunShareBenchmark(const std::filesystem::path& workdir);

// One share of 2,000 folders on a network with a delay per call: the walk with read-ahead
// against the walk without it, the same rows in the same order.
int RunBigShareBenchmark(const std::filesystem::path& workdir);

// The whole vkfind process on the walk data set, against fd.
int RunToolsBenchmark(const std::filesystem::path& workdir);

// The peak memory of vkfind walking 200,000 and 1,000,000 entries.
int RunMemoryBenchmark(const std::filesystem::path& workdir);

// The whole vkfind process with many hits: a real tree (default /usr) against find and fd, and a
// million hits over ten shares against fd; times and peak memory.
int RunScaleBenchmark(const std::filesystem::path& workdir);
// The real tree of the scale benchmark (vk_bench --tree DIR).
void SetScaleTree(const std::filesystem::path& tree);

} // namespace vk::bench
