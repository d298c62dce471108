// content: the content test of the whole vkfind process, as a user runs it, on 400 text files of
// 512 KiB (210 MB) searched for one word without regard to case, against ripgrep on one thread
// (rg -j1 -l -i -F) and with its own default threads (rg -l -i -F). The files are in the page
// cache (each side runs once untimed first); the figures are medians of runs of vkfind and its
// peer in turn. Every side prints the files it finds; they must agree.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 20;
constexpr int kFilesPerFolder = 20;
constexpr std::size_t kFileSize = 512 * 1024;
constexpr std::size_t kChunk = 300000; // the engine reads files in chunks of this size
constexpr std::uint64_t kSeed = 0xC0A7E47;
constexpr const char* kServer = "ARCHIVE";
constexpr const char* kShare = "texts";
constexpr std::string_view kNeedle = "zephyrquartz";
constexpr int kRounds = 11;

// How the needle is spelt in the files that hold it; the search asks in lower case.
constexpr const char* kNeedleForms[] = {"zephyrquartz", "ZephyrQuartz", "ZEPHYRQUARTZ", "zEpHyRqUaRtZ"};

// Every file whose number leaves this remainder holds the needle once (11 files), alternately in
// the first and the second chunk, never across the border between them.
constexpr int kNeedleEvery = 37;
constexpr int kNeedleRemainder = 5;
// And these hold the two halves of the needle apart, which neither side may report.
constexpr int kNearMissEvery = 53;
constexpr int kNearMissRemainder = 7;

std::string Recipe() {
    return "content 1: " + std::to_string(kFolders * kFilesPerFolder) + " files of " + std::to_string(kFileSize) +
           " bytes, seed " + std::to_string(kSeed) + ", needle " + std::string(kNeedle) + "\n";
}

// Words made of syllables without 'z' or 'q', so that no run of words can spell the needle.
std::vector<std::string> MakeVocabulary(Random& random) {
    constexpr const char* kSyllables[] = {"ka", "lo", "mi", "ne", "tu", "ra", "be", "do", "fi", "go", "hu", "ja", "pe",
                                          "si", "vo", "wa", "te", "ri", "no", "la", "ch", "st", "an", "or", "el", "is"};
    std::vector<std::string> words;
    for (int i = 0; i < 800; ++i) {
        std::string word;
        const int syllables = random.Between(1, 4);
        for (int s = 0; s < syllables; ++s) {
            word += kSyllables[random.Between(0, 25)];
        }
        words.push_back(word);
    }
    return words;
}

// Lines of words of up to 72 characters, exactly size bytes.
std::string MakeText(Random& random, const std::vector<std::string>& words, std::size_t size) {
    std::string text;
    text.reserve(size + 80);
    std::size_t lineStart = 0;
    const int last = static_cast<int>(words.size()) - 1;
    while (text.size() < size) {
        const std::string& word = words[static_cast<std::size_t>(random.Between(0, last))];
        if (text.size() - lineStart + word.size() > 72) {
            text.back() = '\n';
            lineStart = text.size();
        }
        text += word;
        text += ' ';
    }
    text.resize(size);
    text.back() = '\n';
    return text;
}

void Place(std::string& text, std::string_view what, std::size_t position) {
    text.replace(position, what.size(), what);
}

fs::path FilePath(const fs::path& share, int number) {
    char folder[16];
    char file[24];
    std::snprintf(folder, sizeof folder, "vol%02d", number / kFilesPerFolder);
    std::snprintf(file, sizeof file, "page_%03d.txt", number % kFilesPerFolder);
    return share / folder / file;
}

void Generate(const fs::path& share) {
    Random random(kSeed);
    const std::vector<std::string> words = MakeVocabulary(random);
    const auto room = static_cast<int>(kNeedle.size());
    for (int number = 0; number < kFolders * kFilesPerFolder; ++number) {
        const fs::path path = FilePath(share, number);
        fs::create_directories(path.parent_path());
        std::string text = MakeText(random, words, kFileSize);
        if (number % kNeedleEvery == kNeedleRemainder) {
            const int which = number / kNeedleEvery;
            const int position = which % 2 == 0
                                     ? random.Between(0, static_cast<int>(kChunk) - room)
                                     : random.Between(static_cast<int>(kChunk), static_cast<int>(kFileSize) - room - 1);
            Place(text, kNeedleForms[which % 4], static_cast<std::size_t>(position));
        } else if (number % kNearMissEvery == kNearMissRemainder) {
            Place(text, "zephyr quartz", static_cast<std::size_t>(random.Between(0, static_cast<int>(kChunk) - 20)));
        }
        WriteFile(path, text);
    }
}

} // namespace

ContentDataSet MakeContentDataSet(const fs::path& workdir) {
    const fs::path dir = workdir / "content";
    ContentDataSet data{dir / "network", SharePath(dir / "network", kServer, kShare),
                        std::string("\\\\") + kServer + "\\" + kShare, std::string(kNeedle)};
    if (!ReuseDataSet(dir, Recipe())) {
        std::cerr << "content: generating " << kFolders * kFilesPerFolder << " files of " << kFileSize / 1024
                  << " KiB in " << dir.string() << " (once)\n";
        Generate(data.share);
        MarkDataSetReady(dir, Recipe());
    }
    return data;
}

int RunContentBenchmark(const fs::path& workdir) {
    if (!ProgramInstalled("rg")) {
        std::cout << "content: ERROR: rg is needed (scripts/bench.sh installs ripgrep)\n";
        return 1;
    }
    const ContentDataSet data = MakeContentDataSet(workdir);
    std::uintmax_t bytes = 0;
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(data.share)) {
        if (entry.is_regular_file()) {
            bytes += entry.file_size();
            ++files;
        }
    }
    char size[64];
    std::snprintf(size, sizeof size, "%zu files, %.0f MB", files, static_cast<double>(bytes) / 1e6);
    std::cout << "content: " << size << ", one word without regard to case; medians of " << kRounds
              << " runs in turn with each peer" << std::endl;

    const std::string jobs = std::to_string(BenchReadAheadJobs());
    const std::string vkfind = ShellQuote(VkfindPath()) + " -q -j " + jobs + " --network " +
                               ShellQuote(data.root.string()) + " --mask '*.txt' --text " + ShellQuote(data.needle) +
                               " " + ShellQuote(data.uncShare);
    const std::string rg = "rg -l -i -F " + ShellQuote(data.needle) + " ";
    const std::pair<std::string, std::string> peers[] = {
        {"rg -j1", rg + "-j1 " + ShellQuote(data.share.string())},
        {"rg", rg + ShellQuote(data.share.string())},
    };
    int failures = 0;
    for (const auto& [name, command] : peers) {
        std::vector<std::string> vkfindHits;
        std::vector<std::string> peerHits;
        int vkfindStatus = 0;
        int peerStatus = 0;
        const AlternatingTimes times = TimeAlternating([&] { vkfindHits = RunCommand(vkfind, vkfindStatus); },
                                                       [&] { peerHits = RunCommand(command, peerStatus); }, kRounds);
        const auto vkfindSet = RelativePaths(VkfindRowPaths(vkfindHits), data.uncShare, '\\');
        const auto peerSet = RelativePaths(peerHits, data.share.string(), '/');
        if (vkfindStatus != 0 || peerStatus != 0) {
            std::cout << "content: ERROR: vkfind (status " << vkfindStatus << ") or " << name << " (status "
                      << peerStatus << ") failed\n";
            ++failures;
        } else if (vkfindSet != peerSet || vkfindSet.size() != vkfindHits.size() || vkfindSet.empty()) {
            std::cout << "content: WARNING: vkfind found " << vkfindHits.size() << " files, " << name << " "
                      << peerHits.size() << '\n';
            ++failures;
        }
        std::cout << "  content: vkfind -j " << jobs << " / " << name << " " << RatioText(times.ratio, 1.0)
                  << "; vkfind " << SecondsText(times.a) << ", " << name << " " << SecondsText(times.b) << ", "
                  << vkfindSet.size() << " files found by each" << std::endl;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace vk::bench
