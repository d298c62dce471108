// The date, exclusion, depth and kind filters against a plain walk of the same tree: every
// combination of them, on random trees with set modification times, in the order the search
// lists its rows.
#include "vkfind/Vkfind.h"

#include "engine/ModifiedTime.h"
#include "platform/FileSystem.h"
#include "platform/Utf8.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace vk {
namespace {

constexpr std::int64_t kBase = 1'740'787'200; // 2025-03-01 00:00 UTC, in Unix seconds
constexpr int kHours[] = {0, 299, 300, 301, 699, 700, 701, 999};

struct Filters {
    std::optional<std::int64_t> after, before; // Unix seconds
    bool exclude = false;                      // skip* and *.bak
    int maxDepth = -1;
    char type = 0; // 0, 'f' or 'd'
    bool txtOnly = false;
};

class FilterReference : public ::testing::Test {
protected:
    // Folders d0.., skip0 (excluded), files f0.txt, f1.log, f2.bak (excluded), skip.txt; each
    // with a modification time from kHours.
    void MakeTree(std::uint32_t seed) {
        std::mt19937 random(seed);
        std::vector<std::pair<std::string, int>> folders{{"", 0}};
        std::vector<std::string> entries;
        const char* const fileNames[] = {"f0.txt", "f1.log", "f2.bak", "skip.txt", "f3.txt"};
        for (std::size_t next = 0; next < folders.size(); ++next) {
            const auto [folder, depth] = folders[next];
            tree.MakeDir(kShare + folder);
            for (const char* name : fileNames) {
                if (random() % 3 != 0) {
                    tree.MakeFile(kShare + folder + name, "x");
                    entries.push_back(folder + name);
                }
            }
            const int subfolders = depth >= 4 ? 0 : static_cast<int>(random() % 4);
            for (int i = 0; i < subfolders; ++i) {
                const std::string path = folder + (i == 2 ? "skip0" : "d" + std::to_string(i)) + "/";
                folders.push_back({path, depth + 1});
                entries.push_back(path.substr(0, path.size() - 1));
            }
        }
        // After everything is made: making an entry changes its folder's time.
        for (const auto& entry : entries) {
            const std::int64_t seconds = kBase + kHours[random() % std::size(kHours)] * 3600LL;
            const timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
            ASSERT_EQ(utimensat(AT_FDCWD, tree.PathOf(kShare + entry).c_str(), times, 0), 0) << entry;
            modified[entry] = seconds;
        }
    }

    // The rows a plain walk gives: pre-order, depth first, a folder's entries by name before its
    // subfolders.
    void Walk(const std::string& folder, int depth, const Filters& f, std::string& rows) const {
        std::vector<std::pair<std::string, bool>> names;
        for (const auto& item : std::filesystem::directory_iterator(tree.PathOf(kShare + folder))) {
            names.push_back({item.path().filename().string(), item.is_directory()});
        }
        std::sort(names.begin(), names.end());
        const auto excluded = [&](const std::string& name) {
            return f.exclude && (name.starts_with("skip") || name.ends_with(".bak"));
        };
        std::string unc = "\\\\SRV\\s/" + folder;
        unc.pop_back();
        std::replace(unc.begin(), unc.end(), '/', '\\');
        for (const auto& [name, isFolder] : names) {
            const std::int64_t time = modified.at(folder + name);
            const bool passes = (!f.txtOnly || name.ends_with(".txt")) && !excluded(name) &&
                                (f.type != 'f' || !isFolder) && (f.type != 'd' || isFolder) &&
                                (!f.after || time >= *f.after) && (!f.before || time < *f.before);
            if (passes) {
                rows += name + "\t" + Utf8FromWide(IsoLocalText(FileTimeFromUnix(time, 0))) + "\t" + unc + "\n";
            }
        }
        if (f.maxDepth >= 0 && depth >= f.maxDepth) {
            return;
        }
        for (const auto& [name, isFolder] : names) {
            if (isFolder && !excluded(name)) {
                Walk(folder + name + "/", depth + 1, f, rows);
            }
        }
    }

    std::string Search(const Filters& f, bool readAhead) const {
        std::vector<std::wstring> args = {L"-q",
                                          L"--columns",
                                          L"name,modified,folder",
                                          L"-j",
                                          readAhead ? L"4" : L"0",
                                          L"--mask",
                                          f.txtOnly ? L"*.txt" : L"*"};
        const auto when = [](std::int64_t seconds) {
            return IsoLocalText(FileTimeFromUnix(seconds, 0)).substr(0, 19); // YYYY-MM-DDTHH:MM:SS
        };
        if (f.after) {
            args.insert(args.end(), {L"--modified-after", when(*f.after)});
        }
        if (f.before) {
            args.insert(args.end(), {L"--modified-before", when(*f.before)});
        }
        if (f.exclude) {
            args.insert(args.end(), {L"--exclude", L"skip*", L"--exclude", L"*.bak"});
        }
        if (f.maxDepth >= 0) {
            args.insert(args.end(), {L"--max-depth", std::to_wstring(f.maxDepth)});
        }
        if (f.type != 0) {
            args.insert(args.end(), {L"--type", f.type == 'f' ? L"f" : L"d"});
        }
        args.push_back(L"\\\\SRV\\s");
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunVkfind(args, tree.Root(), out, err), kExitSearchRan) << err.str();
        return out.str();
    }

    const std::string kShare = "net/DOM/SRV/s/";
    test::TempTree tree;
    std::map<std::string, std::int64_t> modified; // Unix seconds, by path below the share
};

TEST_F(FilterReference, EveryCombinationOfTheFiltersGivesThePlainWalksRowsInOrder) {
    MakeTree(7);
    std::size_t rows = 0;
    for (const bool txtOnly : {false, true}) {
        for (const auto after : {std::optional<std::int64_t>(), std::optional<std::int64_t>(kBase + 300 * 3600)}) {
            for (const auto before : {std::optional<std::int64_t>(), std::optional<std::int64_t>(kBase + 700 * 3600)}) {
                for (const bool exclude : {false, true}) {
                    for (const int maxDepth : {-1, 0, 1, 3}) {
                        for (const char type : {'\0', 'f', 'd'}) {
                            const Filters f{after, before, exclude, maxDepth, type, txtOnly};
                            std::string expected;
                            Walk("", 0, f, expected);
                            rows += static_cast<std::size_t>(std::count(expected.begin(), expected.end(), '\n'));
                            for (const bool readAhead : {false, true}) {
                                EXPECT_EQ(Search(f, readAhead), expected)
                                    << "after " << after.has_value() << ", before " << before.has_value()
                                    << ", exclude " << exclude << ", depth " << maxDepth << ", type " << type
                                    << ", *.txt " << txtOnly << ", read-ahead " << readAhead;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(rows, 2000u); // the tree is not trivial
}

} // namespace
} // namespace vk
