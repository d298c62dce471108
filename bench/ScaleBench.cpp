// scale: the whole vkfind process with many hits, against find and fd, for time and peak memory.
//  1. A real tree (default /usr; vk_bench --tree DIR), shared as \\REAL\tree through a link in a
//     folder network: --mask '*' against find -printf '%f\t%s\t%h\n' (every entry with its size),
//     time and peak memory, the rows checked entry by entry (sizes of files too); --mask '*.h'
//     against fd on one thread.
//  2. A million hits: one server with 10 shares of 100,000 empty files each, --mask 'file*',
//     each against a peer that prints the same fields over the same folders, the rows checked
//     entry by entry: with --columns name,folder (paths only) against fd on one thread, and with
//     the default rows (name, size, folder: every hit needs its stat) against find -printf with
//     the same fields; times and peak memory.
//     Beside them, the floor of any search that gives every hit its size and time: the same
//     folders listed with one stat per entry and nothing else, in this process, against fd.
// Times are medians of alternating runs; the ratio is the median of the run-by-run ratios.

#include "BenchSupport.h"
#include "Benchmarks.h"

#include <algorithm>
#include <cstdio>

#include <iostream>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace vk::bench {
namespace {

namespace fs = std::filesystem;

fs::path& TreeSetting() {
    static fs::path tree = "/usr";
    return tree;
}

constexpr int kShares = 10;
constexpr int kFilesPerShare = 100000;
constexpr const char* kMillionServer = "MILLION";

std::string MillionRecipe() {
    return "scale 1: " + std::to_string(kShares) + " shares of " + std::to_string(kFilesPerShare) + " empty files\n";
}

double Mebibytes(long kilobytes) {
    return static_cast<double>(kilobytes) / 1024.0;
}

std::string Figure(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Runs a command with its output thrown away; false when it failed.
bool RunQuietly(const std::string& command) {
    int status = 0;
    static_cast<void>(RunCommand(command + " >/dev/null", status));
    return status == 0;
}

// The rows of vkfind (name, size, folder under uncRoot) and of find (name, size, folder under
// root) as relative path -> size ("" for folders, which vkfind gives no size).
std::map<std::string, std::string> VkfindEntries(const std::vector<std::string>& rows, const std::string& uncRoot) {
    std::map<std::string, std::string> entries;
    for (const auto& row : rows) {
        const std::size_t nameEnd = row.find('\t');
        const std::size_t sizeEnd = row.find('\t', nameEnd + 1);
        if (sizeEnd == std::string::npos) {
            continue;
        }
        std::string folder = row.substr(sizeEnd + 1);
        folder = folder.size() > uncRoot.size() ? folder.substr(uncRoot.size() + 1) + "/" : "";
        for (char& c : folder) {
            c = c == '\\' ? '/' : c;
        }
        entries[folder + row.substr(0, nameEnd)] = row.substr(nameEnd + 1, sizeEnd - nameEnd - 1);
    }
    return entries;
}

// find's check rows end in the entry's type; a link's size is the link's own, while vkfind
// shows what it points to, so a link's size is not compared.
std::map<std::string, std::string> FindEntries(const std::vector<std::string>& rows, const std::string& root,
                                               const std::map<std::string, std::string>& vkfind) {
    std::map<std::string, std::string> entries;
    for (const auto& row : rows) {
        const std::size_t nameEnd = row.find('\t');
        const std::size_t sizeEnd = row.find('\t', nameEnd + 1);
        const std::size_t folderEnd = row.rfind('\t');
        if (sizeEnd == std::string::npos || folderEnd <= sizeEnd) {
            continue;
        }
        const std::string folder = row.substr(sizeEnd + 1, folderEnd - sizeEnd - 1);
        const std::string relative =
            (folder.size() > root.size() ? folder.substr(root.size() + 1) + "/" : "") + row.substr(0, nameEnd);
        // find gives folders a size too: compare sizes where vkfind shows one.
        const auto shown = vkfind.find(relative);
        const bool sized = shown != vkfind.end() && !shown->second.empty();
        const bool link = row.substr(folderEnd + 1) == "l";
        entries[relative] = !sized ? "" : link ? shown->second : row.substr(nameEnd + 1, sizeEnd - nameEnd - 1);
    }
    return entries;
}

int RealTree(const fs::path& workdir) {
    const fs::path tree = fs::canonical(TreeSetting());
    const fs::path root = workdir / "scale" / "real";
    const fs::path share = SharePath(root, "REAL", "tree");
    fs::create_directories(share.parent_path());
    std::error_code ignored;
    fs::remove(share, ignored);
    fs::create_directory_symlink(tree, share);
    const std::string unc = "\\\\REAL\\tree";
    const std::string vkfind = ShellQuote(VkfindPath()) + " -q --network " + ShellQuote(root.string());
    const std::string all = vkfind + " --mask '*' " + ShellQuote(unc);
    const std::string find = "find " + ShellQuote(tree.string()) + " -mindepth 1 -printf '%f\\t%s\\t%h\\n'";

    int status = 0;
    const auto vkRows = RunCommand(all, status);
    int findStatus = 0;
    const auto findRows =
        RunCommand("find " + ShellQuote(tree.string()) + " -mindepth 1 -printf '%f\\t%s\\t%h\\t%y\\n'", findStatus);
    if (status != 0 || findStatus != 0) {
        std::cout << "scale tree: ERROR: vkfind (" << status << ") or find (" << findStatus << ") failed\n";
        return 1;
    }
    const auto vkEntries = VkfindEntries(vkRows, unc);
    const auto findEntries = FindEntries(findRows, tree.string(), vkEntries);
    int failures = 0;
    if (vkEntries != findEntries || vkRows.size() != findRows.size()) {
        std::cout << "scale tree: WARNING: vkfind listed " << vkRows.size() << " entries, find " << findRows.size()
                  << (vkRows.size() == findRows.size() ? " (names or sizes differ)" : "") << '\n';
        ++failures;
    }
    const auto times = TimeAlternating([&] { RunQuietly(all); }, [&] { RunQuietly(find); }, 5);
    const long vkPeak = PeakMemoryKilobytes({"sh", "-c", all});
    const long findPeak = PeakMemoryKilobytes({"sh", "-c", find});
    const double rows = static_cast<double>(vkRows.size());
    const double allowed = 4.0 * Mebibytes(findPeak) + rows * 120.0 / (1024.0 * 1024.0);
    std::cout << "scale tree: " << tree.string() << ", " << vkRows.size() << " entries, --mask '*'; vkfind "
              << SecondsText(times.a) << ", find -printf " << SecondsText(times.b) << "; "
              << RatioText(times.ratio, 1.0) << std::endl;
    std::cout << "  scale tree: peak memory vkfind " << Figure("%.1f MiB", Mebibytes(vkPeak)) << ", find "
              << Figure("%.1f MiB", Mebibytes(findPeak))
              << "; allowed 4x find + 120 B a row = " << Figure("%.1f MiB", allowed) << "; "
              << Figure("%.0f B a row over 4x find",
                        (Mebibytes(vkPeak) - 4.0 * Mebibytes(findPeak)) * 1024.0 * 1024.0 / rows)
              << (Mebibytes(vkPeak) <= allowed ? "" : " MISSED") << std::endl;

    const std::string headers = vkfind + " --mask '*.h' " + ShellQuote(unc);
    const std::string fd = "fdfind -u -j1 -g '*.h' " + ShellQuote(tree.string());
    const auto hRows = RunCommand(headers, status);
    const auto fdRows = RunCommand(fd, findStatus);
    if (status != 0 || findStatus != 0 || hRows.size() != fdRows.size()) {
        std::cout << "scale tree: WARNING: --mask '*.h': vkfind " << hRows.size() << " hits, fd " << fdRows.size()
                  << '\n';
        ++failures;
    }
    const auto hTimes = TimeAlternating([&] { RunQuietly(headers); }, [&] { RunQuietly(fd); }, 5);
    std::cout << "scale tree: --mask '*.h', " << hRows.size() << " hits; vkfind " << SecondsText(hTimes.a)
              << ", fd -u -j1 " << SecondsText(hTimes.b) << "; " << RatioText(hTimes.ratio, 1.0) << std::endl;
    return failures;
}

#ifndef _WIN32
// Lists each folder and stats every entry in it, relative to the open folder: what a search must
// do at least to show each hit's size and time. Returns the number of entries stated.
std::size_t ListAndStat(const std::vector<fs::path>& folders) {
    std::size_t stated = 0;
    for (const auto& folder : folders) {
        DIR* dir = opendir(folder.c_str());
        if (dir == nullptr) {
            continue;
        }
        while (const dirent* entry = readdir(dir)) {
            struct stat info; // read only where the call filled it
            if (entry->d_name[0] != '.' && fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
                ++stated;
            }
        }
        closedir(dir);
    }
    return stated;
}
#else
// Windows listings carry each entry's size and time: listing the folders is the whole floor.
std::size_t ListAndStat(const std::vector<fs::path>& folders) {
    std::size_t stated = 0;
    for (const auto& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            ++stated;
        }
    }
    return stated;
}
#endif

// The million's rows as "share/file" paths relative to the server (with "\tsize" where the row
// has a size), sorted: vkfind's (name[, size], folder), fd's paths, find's (name, size, folder).
std::vector<std::string> MillionEntries(const std::vector<std::string>& rows, bool vkfind, bool sized) {
    const std::string unc = std::string("\\\\") + kMillionServer + "\\";
    const std::string native = std::string("/") + kMillionServer + "/";
    std::vector<std::string> entries;
    entries.reserve(rows.size());
    for (const auto& row : rows) {
        std::string name;
        std::string size;
        std::string folder;
        const std::size_t nameEnd = row.find('\t');
        const std::size_t sizeEnd = sized ? row.find('\t', nameEnd + 1) : nameEnd;
        if (nameEnd == std::string::npos) {
            const std::size_t slash = row.rfind('/');
            folder = row.substr(0, slash);
            name = row.substr(slash + 1);
        } else if (sizeEnd != std::string::npos) {
            name = row.substr(0, nameEnd);
            size = sized ? row.substr(nameEnd, sizeEnd - nameEnd) : std::string(); // the tab and the size
            folder = row.substr(sizeEnd + 1);
        }
        const std::string& server = vkfind ? unc : native;
        const std::size_t at = (folder + (vkfind ? "\\" : "/")).rfind(server);
        folder = at == std::string::npos ? "?" + folder : folder.substr(at + server.size());
        for (char& c : folder) {
            c = c == '\\' ? '/' : c;
        }
        entries.push_back(folder + "/" + name + size);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Runs vkfind and its peer once, checks that they give the same entries, then times them in
// alternating runs. False, with a warning, when they differ.
bool CompareMillion(const std::string& what, const std::string& vkfind, const std::string& peer, bool sized,
                    AlternatingTimes& times) {
    int status = 0;
    int peerStatus = 0;
    const auto vkRows = RunCommand(vkfind, status);
    const auto peerRows = RunCommand(peer, peerStatus);
    const std::size_t expected = static_cast<std::size_t>(kShares) * kFilesPerShare;
    if (status != 0 || peerStatus != 0 || vkRows.size() != expected || peerRows.size() != expected ||
        MillionEntries(vkRows, true, sized) != MillionEntries(peerRows, false, sized)) {
        std::cout << "scale million: WARNING: " << what << ": vkfind " << vkRows.size() << " hits, the peer "
                  << peerRows.size() << ", expected " << expected << " (or the entries differ)\n";
        return false;
    }
    times = TimeAlternating([&] { RunQuietly(vkfind); }, [&] { RunQuietly(peer); }, 3);
    return true;
}

int MillionHits(const fs::path& workdir) {
    const fs::path dir = workdir / "scale" / "million";
    const fs::path root = dir / "network";
    const fs::path server = SharePath(root, kMillionServer, "");
    if (!ReuseDataSet(dir, MillionRecipe())) {
        std::cerr << "scale: generating " << kShares * kFilesPerShare << " files in " << dir.string()
                  << " (once, a few minutes)\n";
        for (int s = 0; s < kShares; ++s) {
            const fs::path share = SharePath(root, kMillionServer, "share" + std::to_string(s));
            fs::create_directories(share);
            for (int f = 0; f < kFilesPerShare; ++f) {
                WriteFile(share / ("file" + std::to_string(f) + ".dat"), "");
            }
        }
        MarkDataSetReady(dir, MillionRecipe());
    }
    const std::string vkfind = ShellQuote(VkfindPath()) + " -q --network " + ShellQuote(root.string());
    const std::string search = " --mask 'file*' '\\\\" + std::string(kMillionServer) + "'";
    const std::string paths = vkfind + " --columns name,folder" + search;
    const std::string rows = vkfind + search;
    const std::string fd = "fdfind -u -j1 -g 'file*' " + ShellQuote(server.string());
    const std::string find = "find " + ShellQuote(server.string()) + " -name 'file*' -printf '%f\\t%s\\t%h\\n'";
    const std::size_t expected = static_cast<std::size_t>(kShares) * kFilesPerShare;
    AlternatingTimes times;
    if (!CompareMillion("--columns name,folder", paths, fd, false, times)) {
        return 1;
    }
    std::cout << "scale million: " << expected << " hits over " << kShares
              << " shares, --columns name,folder (paths, as fd prints them); vkfind " << SecondsText(times.a)
              << ", fd -u -j1 -g " << SecondsText(times.b) << "; " << RatioText(times.ratio, 2.0) << std::endl;
    if (!CompareMillion("default rows", rows, find, true, times)) {
        return 1;
    }
    const long peak = PeakMemoryKilobytes({"sh", "-c", rows});
    std::cout << "scale million: the default rows (name, size, folder: a stat per hit); vkfind " << SecondsText(times.a)
              << ", find -printf '%f\\t%s\\t%h\\n' " << SecondsText(times.b) << "; " << RatioText(times.ratio, 2.0)
              << "; peak memory vkfind " << Figure("%.1f MiB", Mebibytes(peak)) << " (goal <= 400 MiB)"
              << (Mebibytes(peak) <= 400.0 ? "" : " MISSED") << std::endl;

    std::vector<fs::path> shares;
    for (int s = 0; s < kShares; ++s) {
        shares.push_back(SharePath(root, kMillionServer, "share" + std::to_string(s)));
    }
    const auto floor = TimeAlternating([&] { static_cast<void>(ListAndStat(shares)); }, [&] { RunQuietly(fd); }, 3);
    std::cout << "  scale million: the same folders listed with one stat per entry and nothing else "
              << SecondsText(floor.a) << ", fd -u -j1 " << SecondsText(floor.b) << "; ratio "
              << Figure("%.2f", floor.ratio) << " (the floor of a search that shows every hit's size and time)"
              << std::endl;
    return 0;
}

} // namespace

void SetScaleTree(const std::filesystem::path& tree) {
    TreeSetting() = tree;
}

int RunScaleBenchmark(const std::filesystem::path& workdir) {
    if (!ProgramInstalled("fdfind")) {
        std::cout << "scale: ERROR: fdfind is needed (scripts/bench.sh installs fd-find)\n";
        return 1;
    }
    return RealTree(workdir) + MillionHits(workdir);
}

} // namespace vk::bench
