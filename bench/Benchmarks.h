#pragma once
// The benchmarks of vk_bench. Each prints one line of figures against its peer and returns
// 0 when it ran (whether or not the goal was met) and 1 when it failed or the two sides disagree.

#include <filesystem>

namespace vk::bench {

// The walk of one large share with one mask, against find.
int RunWalkBenchmark(const std::filesystem::path& workdir);

// The content test over a share of large text files, against grep.
int RunContentBenchmark(const std::filesystem::path& workdir);

// Thirty shares on a network with a delay per call, against the ideal time of the worker gate.
int RunNetworkBenchmark(const std::filesystem::path& workdir);

// A whole-network search (domains, servers, shares) on a network with a delay per call, against
// the ideal time of the controller's calls and the worker gate.
int RunWholeNetworkBenchmark(const std::filesystem::path& workdir);

// The share listing of a server with 30,000 shares (vkfind --shares), against find.
int RunShareBenchmark(const std::filesystem::path& workdir);

} // namespace vk::bench
