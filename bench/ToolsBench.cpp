// tools: the whole vkfind process, as a user runs it, on the walk data set (200,000 entries,
// "*.log") against fd: fd on one thread (-j1) and with its own default threads, and vkfind
// without read-ahead (-j 0) and with it. Every side prints its hits; they must agree. (The
// content test against ripgrep is the content benchmark.)

#include "BenchSupport.h"
#include "Benchmarks.h"

#include <cstdio>
#include <functional>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

// fd writes a folder with a '/' at the end.
std::vector<std::string> WithoutTrailingSlash(std::vector<std::string> paths) {
    for (auto& path : paths) {
        if (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
    }
    return paths;
}

struct Side {
    std::string name;
    std::string command;
    bool isVkfind = false;
    std::vector<std::string> lines;
    int status = 0;
};

// Times the sides in turn and prints vkfind's ratios against each peer; 0 when every side ran and
// all found the same.
int Compare(const std::string& title, const std::string& what, std::vector<Side>& sides, const std::string& uncShare,
            const std::string& share) {
    std::vector<std::function<void()>> runs;
    for (auto& side : sides) {
        runs.push_back([&side] { side.lines = RunCommand(side.command, side.status); });
    }
    const std::vector<double> seconds = TimeBestOfRounds(runs, 5);
    std::cout << title << ": " << what;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        std::cout << (i == 0 ? "; " : ", ") << sides[i].name << " " << SecondsText(seconds[i]);
    }
    std::cout << std::endl;
    int failures = 0;
    std::set<std::string> expected;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const auto found = sides[i].isVkfind ? RelativePaths(VkfindRowPaths(sides[i].lines), uncShare, '\\')
                                             : RelativePaths(WithoutTrailingSlash(sides[i].lines), share, '/');
        if (sides[i].status != 0) {
            std::cout << title << ": ERROR: '" << sides[i].command << "' failed (status " << sides[i].status << ")\n";
            ++failures;
        } else if (i == 0) {
            expected = found;
        } else if (found != expected || found.size() != sides[i].lines.size()) {
            std::cout << title << ": WARNING: " << sides[i].name << " found " << sides[i].lines.size() << ", "
                      << sides[0].name << " " << expected.size() << '\n';
            ++failures;
        }
    }
    // The first two sides are vkfind without and with read-ahead; the rest its peers, each with a goal.
    for (std::size_t peer = 2; peer < sides.size(); ++peer) {
        char without[32];
        std::snprintf(without, sizeof without, "%.2f", seconds[0] / seconds[peer]);
        std::cout << "  " << title << ": " << sides[1].name << " / " << sides[peer].name << " "
                  << RatioText(seconds[1] / seconds[peer], 1.0) << "; without read-ahead " << without << std::endl;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int RunToolsBenchmark(const std::filesystem::path& workdir) {
    if (!ProgramInstalled("fdfind")) {
        std::cout << "tools: ERROR: fdfind is needed (scripts/bench.sh installs fd-find)\n";
        return 1;
    }
    const std::string vkfind = ShellQuote(VkfindPath()) + " -q -j ";
    const std::string jobs = std::to_string(BenchReadAheadJobs());
    int failures = 0;

    const WalkDataSet walk = MakeWalkDataSet(workdir);
    const std::string walkArgs =
        " --network " + ShellQuote(walk.root.string()) + " --mask '*.log' " + ShellQuote(walk.uncShare);
    const std::string fd = "fdfind -u -i -g '*.log' ";
    std::vector<Side> walkSides = {
        {"vkfind -j 0", vkfind + "0" + walkArgs, true},
        {"vkfind -j " + jobs, vkfind + jobs + walkArgs, true},
        {"fd -j1", fd + "-j1 " + ShellQuote(walk.share.string())},
        {"fd", fd + ShellQuote(walk.share.string())},
    };
    failures += Compare("tools walk", "200,000 entries, *.log", walkSides, walk.uncShare, walk.share.string());

    return failures;
}

} // namespace vk::bench
