// shares: the share listing of one server with 30,000 shares, as `vkfind --shares` prints it,
// against find listing the same server folder.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "platform/Utf8.h"
#include "vkfind/Vkfind.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kShares = 30000;
constexpr const char* kServer = "CROWDED";

std::string Recipe() {
    return "shares 1: " + std::to_string(kShares) + " shares\n";
}

void Generate(const fs::path& root) {
    for (int share = 0; share < kShares; ++share) {
        fs::create_directories(SharePath(root, kServer, "share" + std::to_string(share)));
    }
}

} // namespace

int RunShareBenchmark(const fs::path& workdir) {
    const fs::path dir = workdir / "shares";
    const fs::path root = dir / "network";
    if (!ReuseDataSet(dir, Recipe())) {
        Generate(root);
        MarkDataSetReady(dir, Recipe());
    }

    std::size_t rows = 0;
    int status = 0;
    const auto listShares = [&] {
        std::ostringstream out;
        std::ostringstream err;
        status = RunVkfind({L"--shares", L"\\\\" + WideFromUtf8(kServer)}, WideFromUtf8(root.string()), out, err);
        const std::string text = out.str();
        rows = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    };
    std::vector<std::string> found;
    int findStatus = 0;
    const std::string command =
        "find " + ShellQuote(SharePath(root, kServer, "").string()) + " -mindepth 1 -maxdepth 1 -type d";
    const PairTimes times = TimeBestOfThree(listShares, [&] { found = RunCommand(command, findStatus); });

    std::cout << "shares: " << kShares << " shares of one server, vkfind --shares " << SecondsText(times.engine)
              << " (goal < 0.5 s), find " << SecondsText(times.peer) << "; "
              << RatioText(times.engine / times.peer, 2.0) << std::endl;
    if (status != kExitSearchRan || rows != static_cast<std::size_t>(kShares) || found.size() != rows) {
        std::cout << "shares: WARNING: vkfind listed " << rows << " shares (exit " << status << "), find "
                  << found.size() << '\n';
        return 1;
    }
    return 0;
}

} // namespace vk::bench
