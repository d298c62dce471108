// vk_bench [walk|content|network|wholenet|shares|bigshare|tools|memory|scale|all]
//          [--workdir DIR] [--jobs N] [--tree DIR]
//
// Measures the engine against a peer in the same run and prints the ratios. --jobs sets the
// read-ahead threads of the runs "with read-ahead" (default: the engine's); the runs "without"
// walk as the engine always did, one call after another. The data sets are
// generated in the work folder at the first run and reused afterwards; its sub-folders walk,
// content and network are emptied and made again when the recipe of their data changes.
// Exits 0 when every benchmark ran, goals met or not; 1 when one failed or its two sides
// disagreed; 2 on bad usage.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "engine/ReadAheadPool.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: vk_bench [walk|content|network|wholenet|shares|bigshare|tools|memory|scale|all] "
                               "[--workdir DIR] [--jobs N] [--tree DIR]\n";

int Usage(const std::string& problem) {
    std::cerr << "vk_bench: " << problem << '\n' << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string which = "all";
    std::filesystem::path workdir;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--workdir") {
            if (i + 1 == args.size()) {
                return Usage("--workdir needs a folder");
            }
            workdir = args[++i];
        } else if (args[i] == "--jobs") {
            if (i + 1 == args.size()) {
                return Usage("--jobs needs a number");
            }
            const int jobs = std::atoi(args[++i].c_str());
            if (jobs < 0 || jobs > vk::kMaxReadAheadJobs) {
                return Usage("--jobs takes 0 to " + std::to_string(vk::kMaxReadAheadJobs));
            }
            vk::bench::SetBenchReadAheadJobs(jobs);
        } else if (args[i] == "--tree") {
            if (i + 1 == args.size()) {
                return Usage("--tree needs a folder");
            }
            vk::bench::SetScaleTree(args[++i]);
        } else if (args[i] == "--help" || args[i] == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (args[i] == "walk" || args[i] == "content" || args[i] == "network" || args[i] == "wholenet" ||
                   args[i] == "shares" || args[i] == "bigshare" || args[i] == "tools" || args[i] == "memory" ||
                   args[i] == "scale" || args[i] == "all") {
            which = args[i];
        } else {
            return Usage("unknown argument '" + args[i] + "'");
        }
    }

    try {
        if (workdir.empty()) {
            workdir = std::filesystem::temp_directory_path() / "varnokle-bench";
        }
        std::filesystem::create_directories(workdir);
        int failures = 0;
        if (which == "walk" || which == "all") {
            failures += vk::bench::RunWalkBenchmark(workdir);
        }
        if (which == "content" || which == "all") {
            failures += vk::bench::RunContentBenchmark(workdir);
        }
        if (which == "network" || which == "all") {
            failures += vk::bench::RunNetworkBenchmark(workdir);
        }
        if (which == "wholenet" || which == "all") {
            failures += vk::bench::RunWholeNetworkBenchmark(workdir);
        }
        if (which == "shares" || which == "all") {
            failures += vk::bench::RunShareBenchmark(workdir);
        }
        if (which == "bigshare" || which == "all") {
            failures += vk::bench::RunBigShareBenchmark(workdir);
        }
        if (which == "tools" || which == "all") {
            failures += vk::bench::RunToolsBenchmark(workdir);
        }
        if (which == "memory" || which == "all") {
            failures += vk::bench::RunMemoryBenchmark(workdir);
        }
        if (which == "scale" || which == "all") {
            failures += vk::bench::RunScaleBenchmark(workdir);
        }
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "vk_bench: " << error.what() << '\n';
        return 1;
    }
}
