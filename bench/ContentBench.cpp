// content: 400 text files of 512 KiB searched for a word without regard to case, against
// grep -rli -F.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <iostream>
#include <string>
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
    const ContentDataSet data = MakeContentDataSet(workdir);
    const fs::path& root = data.root;
    const fs::path& share = data.share;
    std::uintmax_t bytes = 0;
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(share)) {
        if (entry.is_regular_file()) {
            bytes += entry.file_size();
            ++files;
        }
    }

    EngineBench engine(root);
    if (!engine.Load()) {
        return 1;
    }
    SearchRequest request;
    request.fileMask = L"*.txt";
    request.textFilterOn = true;
    request.containingText = WideFromUtf8(kNeedle);
    const std::string& uncShare = data.uncShare;
    const std::vector<std::wstring> scopes{WideFromUtf8(uncShare)};
    // The C locale: the files are ASCII, and the engine reads them as 8-bit text too.
    const std::string command = "LC_ALL=C grep -rli -F " + ShellQuote(kNeedle) + " " + ShellQuote(share.string());

    std::vector<std::string> engineHits;
    std::vector<std::string> grepHits;
    int grepStatus = 0;
    const PairTimes times = TimeBestOfThree([&] { engineHits = engine.Search(request, scopes); },
                                            [&] { grepHits = RunCommand(command, grepStatus); });
    if (grepStatus != 0) {
        std::cout << "content: ERROR: '" << command << "' failed (status " << grepStatus << ")\n";
        return 1;
    }

    const auto engineSet = RelativePaths(engineHits, uncShare, '\\');
    const auto grepSet = RelativePaths(grepHits, share.string(), '/');
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.0f MB", static_cast<double>(bytes) / 1e6);
    std::cout << "content: " << files << " files, " << megabytes << ", ";
    if (engineSet == grepSet && engineHits.size() == grepHits.size()) {
        std::cout << engineHits.size() << " files found by each";
    } else {
        std::cout << "found engine " << engineHits.size() << " / grep " << grepHits.size();
    }
    std::cout << "; engine " << SecondsText(times.engine) << ", grep " << SecondsText(times.peer) << "; "
              << RatioText(times.engine / times.peer, 3.0) << std::endl;
    if (engineSet != grepSet || engineHits.size() != grepHits.size()) {
        std::cout << "content: WARNING: the engine and grep found different files\n";
        for (const auto& path : engineSet) {
            if (!grepSet.contains(path)) {
                std::cout << "  engine only: " << path << '\n';
            }
        }
        for (const auto& path : grepSet) {
            if (!engineSet.contains(path)) {
                std::cout << "  grep only: " << path << '\n';
            }
        }
        return 1;
    }
    return 0;
}

} // namespace vk::bench
