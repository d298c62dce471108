#include "BenchSupport.h"

#include "engine/SearchEngine.h"
#include "engine/WorkerGate.h"
#include "platform/Utf8.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <queue>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReadyFile = "ready.txt";

int benchReadAheadJobs = kDefaultReadAheadJobs;

class DiscardStatus final : public IStatusBar {
public:
    void SetPaneText(int, std::wstring_view) override {}
};

struct PipeCloser {
    void operator()(std::FILE* pipe) const {
#ifdef _WIN32
        _pclose(pipe);
#else
        pclose(pipe);
#endif
    }
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeOnce(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return SecondsSince(start);
}

} // namespace

int BenchReadAheadJobs() {
    return benchReadAheadJobs;
}

void SetBenchReadAheadJobs(int jobs) {
    benchReadAheadJobs = jobs;
}

bool ReuseDataSet(const fs::path& dir, std::string_view recipe) {
    std::ifstream ready(dir / kReadyFile, std::ios::binary);
    if (ready) {
        std::stringstream text;
        text << ready.rdbuf();
        if (text.str() == recipe) {
            return true;
        }
    }
    std::error_code error;
    fs::remove_all(dir, error);
    fs::create_directories(dir);
    return false;
}

void MarkDataSetReady(const fs::path& dir, std::string_view recipe) {
    WriteFile(dir / kReadyFile, recipe);
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::size_t CountEntries(const fs::path& dir) {
    std::size_t count = 0;
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
        ++count;
    }
    return count;
}

fs::path SharePath(const fs::path& root, std::string_view server, std::string_view share) {
    return root / kProvider / kDomain / server / share;
}

AlternatingTimes TimeAlternating(const std::function<void()>& a, const std::function<void()>& b, int rounds) {
    a();
    b();
    std::vector<double> as;
    std::vector<double> bs;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        as.push_back(TimeOnce(a));
        bs.push_back(TimeOnce(b));
        ratios.push_back(as.back() / bs.back());
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const std::size_t middle = values.size() / 2;
        return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    };
    return {median(as), median(bs), median(ratios)};
}

PairTimes TimeBestOfThree(const std::function<void()>& engine, const std::function<void()>& peer) {
    engine();
    peer();
    PairTimes best{1e300, 1e300};
    for (int round = 0; round < 3; ++round) {
        best.engine = std::min(best.engine, TimeOnce(engine));
        best.peer = std::min(best.peer, TimeOnce(peer));
    }
    return best;
}

std::vector<double> TimeBestOfRounds(const std::vector<std::function<void()>>& sides, int rounds) {
    for (const auto& side : sides) {
        side();
    }
    std::vector<double> best(sides.size(), 1e300);
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < sides.size(); ++i) {
            best[i] = std::min(best[i], TimeOnce(sides[i]));
        }
    }
    return best;
}

double TimeBestOfThree(const std::function<void()>& run) {
    run();
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        best = std::min(best, TimeOnce(run));
    }
    return best;
}

std::vector<std::string> RunCommand(const std::string& command, int& exitStatus) {
    std::vector<std::string> lines;
#ifdef _WIN32
    std::unique_ptr<std::FILE, PipeCloser> pipe(_popen(command.c_str(), "r"));
#else
    std::unique_ptr<std::FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
#endif
    if (!pipe) {
        exitStatus = -1;
        return lines;
    }
    std::string line;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        for (std::size_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                lines.push_back(std::move(line));
                line.clear();
            } else {
                line.push_back(buffer[i]);
            }
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
#ifdef _WIN32
    exitStatus = _pclose(pipe.release());
#else
    const int status = pclose(pipe.release());
    exitStatus = status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return lines;
}

long PeakMemoryKilobytes(const std::vector<std::string>& argv) {
    // GNU time measures it: a process forked from this one would count this one's memory too, as
    // the peak survives the exec.
    const fs::path report = fs::temp_directory_path() / "vk-bench-peak.txt";
    std::string command = "/usr/bin/time -f %M -o ";
    command += ShellQuote(report.string());
    for (const auto& arg : argv) {
        command += ' ';
        command += ShellQuote(arg);
    }
    command += " >/dev/null 2>&1";
    int status = 0;
    static_cast<void>(RunCommand(command, status));
    std::ifstream in(report);
    long kilobytes = -1;
    if (status != 0 || !(in >> kilobytes)) {
        return -1;
    }
    return kilobytes;
}

std::string VkfindPath() {
    return VKFIND_PATH;
}

std::vector<std::string> VkfindRowPaths(const std::vector<std::string>& rows) {
    std::vector<std::string> paths;
    for (const auto& row : rows) {
        const std::size_t nameEnd = row.find('\t');
        const std::size_t folderStart = row.find('\t', nameEnd + 1);
        if (nameEnd == std::string::npos || folderStart == std::string::npos) {
            continue;
        }
        paths.push_back(row.substr(folderStart + 1) + "\\" + row.substr(0, nameEnd));
    }
    return paths;
}

bool ProgramInstalled(const char* program) {
    int status = 0;
    static_cast<void>(RunCommand(std::string("command -v ") + program + " >/dev/null", status));
    return status == 0;
}

std::string ShellQuote(std::string_view word) {
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

std::set<std::string> RelativePaths(const std::vector<std::string>& paths, std::string_view prefix, char separator) {
    std::set<std::string> relative;
    for (const auto& path : paths) {
        std::string rest = path;
        if (rest.size() > prefix.size() && rest.compare(0, prefix.size(), prefix) == 0 &&
            rest[prefix.size()] == separator) {
            rest.erase(0, prefix.size() + 1);
        }
        std::replace(rest.begin(), rest.end(), separator, '/');
        relative.insert(std::move(rest));
    }
    return relative;
}

EngineBench::EngineBench(const fs::path& root) : root_(root) {}

EngineBench::~EngineBench() = default;

bool EngineBench::Load() {
    // Below the root the native paths are longer than the UNC paths the network checks.
    system_ = MakeSystemFileSystem(kMaxLongPathLength);
    network_ = std::make_unique<FolderNetwork>(WideFromUtf8(root_.string()), *system_);
    if (network_->Load() != kErrorSuccess) {
        std::cerr << "vk_bench: cannot read the network folder " << root_.string() << '\n';
        return false;
    }
    files_ = std::make_unique<FolderNetworkFileSystem>(*network_);
    return true;
}

std::vector<std::string> EngineBench::Search(const SearchRequest& request, const std::vector<std::wstring>& scopes,
                                             int readAheadJobs) {
    MemoryResultList list;
    DiscardStatus status;
    NoIconImages images;
    IconKeyTable icons(images);
    icons.ResetCache();
    CSearchEngine engine({files_.get(), &list, &status, &icons, nullptr});
    if (readAheadJobs >= 0) {
        engine.SetReadAheadJobs(readAheadJobs);
    }
    engine.Request() = request;
    engine.SetScopePaths(scopes);
    engine.ShowSearchState(true);
    engine.searchRunning = true;
    engine.StartSearch();
    engine.WaitForSearchEnd();

    std::vector<std::string> hits;
    for (const auto& path : engine.Results().Copy().resultPaths) {
        hits.push_back(Utf8FromWide(path));
    }
    return hits;
}

std::string RatioText(double ratio, double goal) {
    char goalText[32];
    std::snprintf(goalText, sizeof goalText, "%g", goal);
    std::string goalString = goalText;
    if (goalString.find('.') == std::string::npos) {
        goalString += ".0";
    }
    char text[96];
    std::snprintf(text, sizeof text, "ratio %.2f (goal <= %s)%s", ratio, goalString.c_str(),
                  ratio <= goal ? "" : " MISSED");
    return text;
}

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, seconds < 0.1 ? "%.3f s" : "%.2f s", seconds);
    return text;
}

double IdealGateSeconds(const std::vector<ControllerStep>& steps) {
    std::priority_queue<double, std::vector<double>, std::greater<>> ends;
    double now = 0;
    double finish = 0;
    bool open = true;
    for (const ControllerStep& step : steps) {
        if (!step.dispatch) {
            now += step.seconds;
            continue;
        }
        for (;;) {
            while (!ends.empty() && ends.top() <= now) {
                ends.pop();
                if (static_cast<int>(ends.size()) < WorkerGate::kMaxWorkers - 1) {
                    open = true;
                }
            }
            if (open) {
                break;
            }
            now = ends.top();
        }
        ends.push(now + step.seconds);
        finish = std::max(finish, now + step.seconds);
        if (static_cast<int>(ends.size()) > WorkerGate::kMaxWorkers - 1) {
            open = false;
        }
    }
    return std::max(finish, now);
}

} // namespace vk::bench
