// walk: one share of 200,000 entries searched with "*.log", against find -iname.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "platform/Utf8.h"

#include <iostream>
#include <string>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFolders = 20000;
constexpr std::size_t kFiles = 180000;
constexpr std::uint64_t kSeed = 0x57A1C0DE;
constexpr const char* kServer = "FILESRV";
constexpr const char* kShare = "projects";

struct Extension {
    const char* text;
    int weight;
};

// About one file in eight is a log, a few with the extension in capitals.
constexpr Extension kExtensions[] = {
    {".txt", 14}, {".log", 10}, {".doc", 8}, {".xls", 6}, {".pdf", 8}, {".jpg", 10}, {".png", 6},
    {".cpp", 6},  {".h", 5},    {".exe", 3}, {".dll", 4}, {".zip", 4}, {".ini", 3},  {".xml", 5},
    {".htm", 3},  {".LOG", 1},  {".Log", 1}, {".bak", 2}, {"", 3},
};

constexpr const char* kFileStems[] = {"report", "data",   "notes", "backup",  "invoice", "setup", "readme", "photo",
                                      "draft",  "budget", "trace", "summary", "letter",  "scan",  "build",  "install"};
constexpr const char* kFolderStems[] = {"projects", "archive", "users", "common", "release", "docs", "src", "images"};

const char* PickExtension(Random& random) {
    int total = 0;
    for (const auto& extension : kExtensions) {
        total += extension.weight;
    }
    int pick = random.Between(0, total - 1);
    for (const auto& extension : kExtensions) {
        if (pick < extension.weight) {
            return extension.text;
        }
        pick -= extension.weight;
    }
    return "";
}

std::string Recipe() {
    return "walk 1: " + std::to_string(kFolders) + " folders, " + std::to_string(kFiles) + " files, seed " +
           std::to_string(kSeed) + "\n";
}

void Generate(const fs::path& share) {
    Random random(kSeed);
    fs::create_directories(share);

    // Breadth first: each folder takes up to six subfolders until the budget is spent, which
    // gives a bushy tree about nine levels deep.
    std::vector<fs::path> folders{share};
    for (std::size_t next = 0; folders.size() - 1 < kFolders && next < folders.size(); ++next) {
        const int wanted = next == 0 ? 8 : random.Between(0, 6);
        for (int i = 0; i < wanted && folders.size() - 1 < kFolders; ++i) {
            // One folder in a hundred has a name the mask matches.
            const std::string name = random.Between(0, 99) == 0
                                         ? "old_" + std::to_string(i) + ".log"
                                         : std::string(kFolderStems[random.Between(0, 7)]) + "_" + std::to_string(i);
            folders.push_back(folders[next] / name);
            fs::create_directory(folders.back());
        }
    }

    // Four to fourteen files a folder, evened out to the exact total.
    std::vector<std::size_t> counts(folders.size());
    std::size_t total = 0;
    for (auto& count : counts) {
        count = static_cast<std::size_t>(random.Between(4, 14));
        total += count;
    }
    for (std::size_t i = 0; total != kFiles; i = (i + 1) % counts.size()) {
        if (total < kFiles) {
            ++counts[i];
            ++total;
        } else if (counts[i] > 0) {
            --counts[i];
            --total;
        }
    }

    std::string content;
    for (std::size_t f = 0; f < folders.size(); ++f) {
        for (std::size_t i = 0; i < counts[f]; ++i) {
            const std::string name =
                std::string(kFileStems[random.Between(0, 15)]) + "_" + std::to_string(i) + PickExtension(random);
            content.assign(static_cast<std::size_t>(random.Between(0, 300)), 'x');
            WriteFile(folders[f] / name, content);
        }
    }
}

} // namespace

WalkDataSet MakeWalkDataSet(const fs::path& workdir) {
    const fs::path dir = workdir / "walk";
    WalkDataSet data{dir / "network", SharePath(dir / "network", kServer, kShare),
                     std::string("\\\\") + kServer + "\\" + kShare};
    if (!ReuseDataSet(dir, Recipe())) {
        std::cerr << "walk: generating " << kFolders + kFiles << " entries in " << dir.string() << " (once)\n";
        Generate(data.share);
        MarkDataSetReady(dir, Recipe());
    }
    return data;
}

int RunWalkBenchmark(const fs::path& workdir) {
    const WalkDataSet data = MakeWalkDataSet(workdir);
    const fs::path& root = data.root;
    const fs::path& share = data.share;
    const std::size_t entries = CountEntries(share);

    EngineBench engine(root);
    if (!engine.Load()) {
        return 1;
    }
    SearchRequest request;
    request.fileMask = L"*.log";
    const std::string& uncShare = data.uncShare;
    const std::vector<std::wstring> scopes{WideFromUtf8(uncShare)};
    const std::string command = "find " + ShellQuote(share.string()) + " -iname '*.log'";

    std::vector<std::string> engineHits;
    std::vector<std::string> findHits;
    int findStatus = 0;
    const PairTimes times = TimeBestOfThree([&] { engineHits = engine.Search(request, scopes); },
                                            [&] { findHits = RunCommand(command, findStatus); });
    if (findStatus != 0) {
        std::cout << "walk: ERROR: '" << command << "' failed (status " << findStatus << ")\n";
        return 1;
    }

    const auto engineSet = RelativePaths(engineHits, uncShare, '\\');
    const auto findSet = RelativePaths(findHits, share.string(), '/');
    std::cout << "walk: " << entries << " entries, ";
    if (engineHits.size() == findHits.size()) {
        std::cout << engineHits.size() << " hits";
    } else {
        std::cout << "hits engine " << engineHits.size() << " / find " << findHits.size();
    }
    std::cout << "; engine " << SecondsText(times.engine) << ", find " << SecondsText(times.peer) << "; "
              << RatioText(times.engine / times.peer, 2.0) << std::endl;
    if (engineSet != findSet || engineHits.size() != findHits.size()) {
        std::cout << "walk: WARNING: the engine and find report different hits\n";
        return 1;
    }
    return 0;
}

} // namespace vk::bench
