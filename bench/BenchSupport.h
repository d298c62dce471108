#pragma once
// What the benchmarks share: a deterministic random source, the generated data sets (made once
// and reused while their recipe is unchanged), timing of the engine against its peer, running a
// peer command, and the engine run over a folder network.

#include "engine/SearchRequest.h"
#include "platform/FolderNetwork.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vk::bench {

// xorshift64*: the same sequence on every platform and standard library, so a data set is the
// same wherever it is generated.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed == 0 ? 0x9E3779B97F4A7C15ULL : seed) {}
    std::uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    // Uniform enough in [low, high] for generating test data.
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

// A data set lives in dir and is complete when dir/ready.txt holds its recipe. Returns true when
// it can be reused; otherwise dir is emptied for a fresh generation.
[[nodiscard]] bool ReuseDataSet(const std::filesystem::path& dir, std::string_view recipe);
// Marks a generated data set as complete.
void MarkDataSetReady(const std::filesystem::path& dir, std::string_view recipe);

void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// Entries (folders and files) below dir, dir itself not counted.
[[nodiscard]] std::size_t CountEntries(const std::filesystem::path& dir);

// Native path of a network folder: ROOT/provider/domain/server[/share].
[[nodiscard]] std::filesystem::path SharePath(const std::filesystem::path& root, std::string_view server,
                                              std::string_view share);
inline constexpr std::string_view kProvider = "Bench Network";
inline constexpr std::string_view kDomain = "BENCH";

// The read-ahead threads of the searches measured "with read-ahead" (vk_bench --jobs; the
// engine's default unless set). "Without" is always 0: the walk as it was, one call after another.
[[nodiscard]] int BenchReadAheadJobs();
void SetBenchReadAheadJobs(int jobs);

// Best times of the two sides in seconds.
struct PairTimes {
    double engine = 0;
    double peer = 0;
};

// Medians of runs of two sides in turn.
struct AlternatingTimes {
    double a = 0;
    double b = 0;
    double ratio = 0; // the median of a's time over b's, taken run by run
};

// Runs each side once untimed (to warm the caches), then rounds of a and b in turn: a ratio of
// two runs next to each other keeps its meaning while the machine's speed drifts.
[[nodiscard]] AlternatingTimes TimeAlternating(const std::function<void()>& a, const std::function<void()>& b,
                                               int rounds);

// Runs each side once untimed (to warm the caches), then three rounds of engine and peer in
// turn, and keeps the best time of each.
[[nodiscard]] PairTimes TimeBestOfThree(const std::function<void()>& engine, const std::function<void()>& peer);

// The best of three timed runs of one side, after an untimed one; for a peer that is computed
// rather than run.
[[nodiscard]] double TimeBestOfThree(const std::function<void()>& run);

// Runs every side once untimed, then rounds of all sides in turn; returns the best time of each.
[[nodiscard]] std::vector<double> TimeBestOfRounds(const std::vector<std::function<void()>>& sides, int rounds);

// Runs a shell command; returns its standard output as lines. exitStatus is the command's status
// (-1 when it could not be started).
[[nodiscard]] std::vector<std::string> RunCommand(const std::string& command, int& exitStatus);

// Runs a program with its output thrown away and returns its peak resident memory in kilobytes,
// as GNU time (/usr/bin/time) reports it; -1 when it could not be run or failed.
[[nodiscard]] long PeakMemoryKilobytes(const std::vector<std::string>& argv);

// The console tool built beside the benchmarks.
[[nodiscard]] std::string VkfindPath();

// The full paths of vkfind's TSV rows (name, size, folder), in UTF-8.
[[nodiscard]] std::vector<std::string> VkfindRowPaths(const std::vector<std::string>& rows);

// True when the program is on the PATH.
[[nodiscard]] bool ProgramInstalled(const char* program);

// Quotes a word for the POSIX shell.
[[nodiscard]] std::string ShellQuote(std::string_view word);

// The relative paths below prefix (separators made '/'); paths outside it are kept whole.
[[nodiscard]] std::set<std::string> RelativePaths(const std::vector<std::string>& paths, std::string_view prefix,
                                                  char separator);

// A folder network loaded once, and searches run on it as the console tool runs them: the
// in-memory result list, icons without images, a status bar that discards its texts.
class EngineBench {
public:
    explicit EngineBench(const std::filesystem::path& root);
    EngineBench(const EngineBench&) = delete;
    EngineBench& operator=(const EngineBench&) = delete;
    ~EngineBench();

    // False (with a message on standard error) when the network folder cannot be read.
    [[nodiscard]] bool Load();
    [[nodiscard]] FolderNetwork& Network() { return *network_; }

    // Runs one search over scopes (UNC paths) with that many read-ahead threads (-1: the
    // engine's default; 0: the walk without read-ahead) and waits for its end. Returns the full
    // paths of the hits in list order, in UTF-8.
    std::vector<std::string> Search(const SearchRequest& request, const std::vector<std::wstring>& scopes,
                                    int readAheadJobs = -1);

private:
    std::filesystem::path root_;
    std::unique_ptr<FileSystem> system_;
    std::unique_ptr<FolderNetwork> network_;
    std::unique_ptr<FileSystem> files_;
};

// One step of a search's controller: an enumeration call that costs callSeconds, or a share
// handed to a worker whose walk costs workSeconds.
struct ControllerStep {
    bool dispatch = false;
    double seconds = 0;
};

// The ideal time of a search: the controller's steps one after another; a share starts as soon
// as the worker gate lets it (the 11th active worker closes the gate, and it opens again only when
// the count has fallen to 9) and costs exactly its walk.
[[nodiscard]] double IdealGateSeconds(const std::vector<ControllerStep>& steps);

// The ratio and its goal, with MISSED when the goal is not met: "ratio 1.37 (goal <= 2.0)".
[[nodiscard]] std::string RatioText(double ratio, double goal);

// Seconds with two decimals, or three below a tenth.
[[nodiscard]] std::string SecondsText(double seconds);

} // namespace vk::bench
