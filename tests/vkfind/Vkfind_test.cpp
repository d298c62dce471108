#include "vkfind/CommandLine.h"
#include "vkfind/RowWriter.h"
#include "vkfind/ScopeSelection.h"
#include "vkfind/Vkfind.h"

#include "engine/ModifiedTime.h"
#include "platform/FileSystem.h"
#include "platform/Utf8.h"
#include "support/TempTree.h"

#include "VarnokleVersion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <tuple>

namespace vk {
namespace {

struct VkfindRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Shares are searched by workers at the same time, so their rows interleave.
std::string SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start + 1));
        start = end + 1;
    }
    std::sort(lines.begin(), lines.end());
    std::string sorted;
    for (const auto& line : lines) {
        sorted += line;
    }
    return sorted;
}

VkfindRun Vkfind(std::vector<std::wstring> args, const std::wstring& network = L"") {
    std::ostringstream out;
    std::ostringstream err;
    VkfindRun run;
    run.status = RunVkfind(args, network, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(VkfindCommandLine, UsageErrorsExitWithTwoAndAClearMessage) {
    const std::vector<std::vector<std::wstring>> bad = {
        {L"--mask"},                                            // option without its value
        {L"--frobnicate", L"\\\\S\\s"},                         // unknown option
        {L"--at-least", L"1", L"--at-most", L"2", L"\\\\S\\s"}, // both bounds
        {L"--mask", L"*", L"\\\\S\\\\x"},                       // neither share, server nor tree path
        {L"\\\\S\\s"},                                          // no mask at all
        {L"--text", L"x", L"\\\\S\\s"},                         // a containing text alone
        {L"--shares", L"SERVER"},                               // not \\SERVER
        {L"--list", L"\\\\SERVER"},                             // not a share
        {L"--shares", L"\\\\S", L"--list", L"\\\\S\\s"},        // both listings
        {L"--shares", L"\\\\S", L"\\\\S\\s"},                   // a listing takes no scope
        {L"--mask", L"Templates\\*.xlt", L"\\\\S\\s"},          // a mask naming another folder
        {L"--mask", L"*.txt ..\\*.txt", L"\\\\S\\s"},           // ... or the parent
        {L"--mask", L"*.txt;a/b;c:*", L"\\\\S\\s"},             // ... or a drive or stream
        {L"--mask", L";;;,,", L"\\\\S\\s"},                     // separators alone: no mask
        {L"--format", L"xml", L"--mask", L"*", L"\\\\S\\s"},    // an unknown format
        {L"-j", L"65", L"--mask", L"*", L"\\\\S\\s"},           // more read-ahead threads than allowed
        {L"--jobs", L"-1", L"--mask", L"*", L"\\\\S\\s"},       // ... fewer than none
        {L"--jobs", L"2x", L"--mask", L"*", L"\\\\S\\s"},       // ... not a number
        {L"--at-least", L"abc", L"\\\\S\\s"},                   // a bound that is no number
        {L"--at-most", L"-5", L"\\\\S\\s"},                     // ... or negative
        {L"--at-most", L"12kb", L"\\\\S\\s"},                   // ... or more than a number
        {L"--at-least", L"", L"\\\\S\\s"},                      // ... or empty
        {L"--modified-after", L"2026-02-30", L"\\\\S\\s"},      // a day that does not exist
        {L"--modified-before", L"7y", L"\\\\S\\s"},             // a span of no known unit
        {L"--exclude", L"a\\b", L"\\\\S\\s"},                   // an exclusion naming another folder
        {L"--max-depth", L"-1", L"\\\\S\\s"},                   // a depth that is no whole number
        {L"--type", L"x", L"\\\\S\\s"},                         // an unknown kind
        {L"--columns", L"name,path", L"\\\\S\\s"},              // an unknown column
        {L"--columns", L"name,name", L"\\\\S\\s"},              // ... or one twice
    };
    for (const auto& args : bad) {
        const VkfindRun run = Vkfind(args, L"/nonexistent");
        EXPECT_EQ(run.status, kExitUsage) << run.err;
        EXPECT_NE(run.err.find("vkfind: "), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_NE(Vkfind({L"\\\\S\\s"}, L"/x").err.find("Please insert mask for search."), std::string::npos);
    EXPECT_NE(Vkfind({L"--mask", L";;;,,", L"\\\\S\\s"}, L"/x").err.find("Please insert mask for search."),
              std::string::npos);
    EXPECT_NE(
        Vkfind({L"--mask", L"*.txt;sub\\*.txt", L"\\\\S\\s"}, L"/x").err.find("'sub\\*.txt' is not a name pattern"),
        std::string::npos);
    EXPECT_NE(Vkfind({L"--at-most", L"-5", L"\\\\S\\s"}, L"/x").err.find("--at-most takes a whole number of kilobytes"),
              std::string::npos);
    EXPECT_EQ(Vkfind({L"--format", L"json", L"--columns", L"name", L"\\\\S\\s"}, L"/x").status, kExitUsage);
    for (const wchar_t* option : {L"--modified-after", L"--modified-before"}) {
        EXPECT_NE(Vkfind({option, L"last week", L"\\\\S\\s"}, L"/x").err.find(Utf8FromWide(option) + " takes"),
                  std::string::npos);
    }
}

TEST(VkfindCommandLine, HelpDescribesEveryOption) {
    const VkfindRun run = Vkfind({L"--help"});
    EXPECT_EQ(run.status, kExitSearchRan);
    for (const char* word : {"--network",
                             "--mask",
                             "--share-mask",
                             "--jobs",
                             "--text",
                             "--at-least",
                             "--at-most",
                             "SCOPE",
                             "VARNOKLE_NETWORK",
                             "Exit status",
                             "--format",
                             "tsv",
                             "csv",
                             "json",
                             "\\xHH",
                             "--modified-after",
                             "--modified-before",
                             "--exclude",
                             "--max-depth",
                             "--type",
                             "--columns",
                             "without an extension",
                             "259 characters",
                             "--servers-file"}) {
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
}

TEST(VkfindCommandLine, VersionPrintsTheProgramsVersionWhateverElseIsGiven) {
    for (const auto& args : {std::vector<std::wstring>{L"--version"}, {L"--mask", L"*", L"--version", L"\\\\S\\s"}}) {
        const VkfindRun run = Vkfind(args, L"/nonexistent");
        EXPECT_EQ(run.status, kExitSearchRan);
        EXPECT_EQ(run.out, "vkfind " VK_VERSION_TEXT "\n");
        EXPECT_TRUE(run.err.empty()) << run.err;
    }
}

// Fields with what would break a line or a record: each format keeps them whole and tells them apart.
TEST(VkfindRowWriter, FieldsThatHoldSeparatorsOrControlsStayWhole) {
    const std::wstring tricky = L"a\tb\nc\rd\x01"
                                L"e\x7F\x85 \\ \"q\"";
    EXPECT_EQ(TsvField(tricky), "\"a\\tb\\nc\\rd\\u0001e\\u007F\\u0085 \\\\ \\\"q\\\"\"");
    EXPECT_EQ(TsvField(L"\\\\SRV\\plain \"q\""), "\\\\SRV\\plain \"q\"") << "nothing to escape: as it is";
    EXPECT_EQ(TsvField(L"\"leading quote"), "\"\\\"leading quote\"");
    EXPECT_EQ(TsvField(L"\u00C4rger \u041F"), "\xC3\x84rger \xD0\x9F");
    EXPECT_EQ(CsvField(tricky), "\"a\tb\nc\rd\x01"
                                "e\x7F\xC2\x85 \\ \"\"q\"\"\"");
    EXPECT_EQ(CsvField(L"plain"), "plain");
    EXPECT_EQ(CsvField(L"a,b"), "\"a,b\"");
    EXPECT_EQ(JsonString(tricky), "\"a\\tb\\nc\\rd\\u0001e\\u007f\\u0085 \\\\ \\\"q\\\"\"");
    EXPECT_EQ(JsonString(L"\u00C4"), "\"\xC3\x84\"");
    // A lone surrogate: an undecodable file-name byte where wide characters are 32 bits, a
    // broken UTF-16 name on Windows.
    const std::wstring lone(1, static_cast<wchar_t>(0xDCE9));
    if constexpr (sizeof(wchar_t) == 4) {
        EXPECT_EQ(TsvField(L"caf" + lone), "\"caf\\xE9\"");
        EXPECT_EQ(CsvField(L"caf" + lone), "caf\xE9");
    } else {
        EXPECT_EQ(TsvField(L"caf" + lone), "\"caf\\uDCE9\"");
    }
    EXPECT_EQ(JsonString(L"caf" + lone), "\"caf\\udce9\"");
}

// A list's rows come out as their fields do one by one, plain and escaped ones mixed, however
// many rows there are.
TEST(VkfindRowWriter, WrittenRowsAreTheirFieldsWhateverTheirNumber) {
    const std::wstring names[] = {L"plain.txt", L"a,b", L"\"quoted", L"tab\there", L"\u00C4rger", L""};
    MemoryResultList list;
    std::string tsv;
    std::string csv = "name,size,folder\r\n";
    for (int i = 0; i < 5000; ++i) {
        const std::wstring& name = names[i % 6];
        const std::wstring size = i % 2 == 1 ? std::to_wstring(i) : L"";
        const std::wstring folder = L"\\\\S\\s\\" + std::to_wstring(i % 7);
        const NewRow row{name, 0, size, folder, i};
        ASSERT_EQ(list.InsertRows(i, std::span(&row, 1)), i);
        tsv += TsvField(name) + '\t' + TsvField(size) + '\t' + TsvField(folder) + '\n';
        csv += CsvField(name) + ',' + CsvField(size) + ',' + CsvField(folder) + "\r\n";
    }
    for (const auto& [format, expected] : {std::pair{OutputFormat::kTsv, tsv}, std::pair{OutputFormat::kCsv, csv}}) {
        std::ostringstream out;
        ASSERT_TRUE(WriteRows(out, format, list));
        EXPECT_TRUE(out.str() == expected) << "format " << static_cast<int>(format);
    }
}

TEST(VkfindCommandLine, SizeBoundAloneSearchesEverything) {
    const auto parsed = ParseCommandLine({L"--at-most", L"12", L"\\\\S\\s"}, L"");
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_EQ(*parsed.options.atMostKb, L"12");
}

TEST(VkfindCommandLine, ReadAheadThreadsTakeBothEndsOfTheirRange) {
    for (const auto& [option, value, jobs] : {std::tuple{L"-j", L"0", 0}, std::tuple{L"--jobs", L"64", 64}}) {
        const auto parsed = ParseCommandLine({option, value, L"--mask", L"*", L"\\\\S\\s"}, L"");
        EXPECT_TRUE(parsed.error.empty()) << option << L" " << value;
        EXPECT_EQ(parsed.options.jobs, jobs) << option << L" " << value;
    }
}

class VkfindNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.MakeFile("prov/DOM/SRV/C$/boot.ini", "[boot]\n");
        tree.MakeFile("prov/DOM/OTHER/pub/a.txt", "other\n");
        tree.MakeFile("net2/WG/THIRD/x/a.txt", "third\n");
        tree.MakeFile("prov/DOM/SRV/docs/a.txt", "alpha\n");
        tree.MakeFile("prov/DOM/SRV/docs/sub/Ärger.TXT", "beta gamma\n");
        tree.MakeFile("prov/DOM/SRV/docs/sub/big.bin", std::string(3000, 'x'));
        tree.MakeFile("prov/DOM/SRV/docs/locked/secret.txt", "alpha\n");
        tree.MakeFile("network-faults.txt", "deny \\\\SRV\\docs\\locked\n");
    }
    test::TempTree tree;
};

TEST_F(VkfindNetworkTest, PrintsTheRowsAsTabSeparatedUtf8) {
    const VkfindRun run = Vkfind({L"--quiet", L"--mask", L"*.txt", L"\\\\srv\\docs\\"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan) << run.err;
    EXPECT_EQ(run.out, "a.txt\t6\t\\\\srv\\docs\n"
                       "\xC3\x84rger.TXT\t11\t\\\\srv\\docs\\sub\n");
    EXPECT_TRUE(run.err.empty());
}

TEST_F(VkfindNetworkTest, AnyNumberOfReadAheadThreadsPrintsTheSameRowsAndTexts) {
    const VkfindRun without = Vkfind({L"-j", L"0", L"--mask", L"*", L"\\\\SRV\\docs"}, tree.Root());
    EXPECT_EQ(without.status, kExitSearchRan);
    EXPECT_NE(without.out.find("big.bin"), std::string::npos);
    for (const wchar_t* jobs : {L"1", L"7"}) {
        const VkfindRun run = Vkfind({L"--jobs", jobs, L"--mask", L"*", L"\\\\SRV\\docs"}, tree.Root());
        EXPECT_EQ(run.out, without.out) << jobs;
        EXPECT_EQ(run.err, without.err) << jobs;
    }
}

TEST_F(VkfindNetworkTest, StatusTextsGoToStandardError) {
    const VkfindRun run = Vkfind({L"--mask", L"*.bin", L"--at-least", L"2", L"\\\\SRV\\docs"}, tree.Root());
    EXPECT_EQ(run.out, "big.bin\t3000\t\\\\SRV\\docs\\sub\n");
    EXPECT_NE(run.err.find("Please wait...\n"), std::string::npos);
    EXPECT_NE(run.err.find("Search in \\\\SRV\\docs\\sub\n"), std::string::npos);
    EXPECT_NE(run.err.find("Search completed\n"), std::string::npos);
}

// A sparse file of 5 GiB in the folder network: its whole size is listed, a bound above 4 GiB
// finds it, and a bound of exactly 4 GiB does not wrap round to 0.
TEST_F(VkfindNetworkTest, FilesOfFourGigabytesAndMoreAndBoundsBeyondFourGigabytes) {
    tree.MakeSparseFile("prov/DOM/SRV/docs/disk.img", 5'368'709'120ULL);
    for (const wchar_t* bound : {L"4000000", L"4194304"}) {
        const VkfindRun run = Vkfind({L"-q", L"--mask", L"*", L"--at-least", bound, L"\\\\SRV\\docs"}, tree.Root());
        EXPECT_EQ(run.status, kExitSearchRan) << run.err;
        EXPECT_EQ(run.out, "disk.img\t5368709120\t\\\\SRV\\docs\n") << bound;
    }
    const VkfindRun small =
        Vkfind({L"-q", L"--mask", L"*.img", L"--at-most", L"4194304", L"\\\\SRV\\docs"}, tree.Root());
    EXPECT_EQ(small.out, "");
}

TEST_F(VkfindNetworkTest, ContainingTextAndTheNetworkOption) {
    const VkfindRun run =
        Vkfind({L"-q", L"--network", tree.Root(), L"--mask", L"*", L"--text", L"GAMMA", L"\\\\SRV\\docs"});
    EXPECT_EQ(run.status, kExitSearchRan);
    EXPECT_EQ(run.out, "\xC3\x84rger.TXT\t11\t\\\\SRV\\docs\\sub\n");
}

TEST_F(VkfindNetworkTest, AnUnreadableNetworkFolderExitsWithOne) {
    const VkfindRun run = Vkfind({L"--mask", L"*", L"\\\\SRV\\docs"}, tree.Root() + L"-missing");
    EXPECT_EQ(run.status, kExitNetworkUnreadable);
    EXPECT_NE(run.err.find("cannot read the network folder"), std::string::npos);
}

TEST_F(VkfindNetworkTest, WithoutAScopeTheWholeNetworkIsSearched) {
    const VkfindRun run = Vkfind({L"-q", L"--mask", L"a.txt"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan) << run.err;
    EXPECT_EQ(SortedLines(run.out), "a.txt\t6\t\\\\OTHER\\pub\n"
                                    "a.txt\t6\t\\\\SRV\\docs\n"
                                    "a.txt\t6\t\\\\THIRD\\x\n");
}

TEST_F(VkfindNetworkTest, ServerAndTreePathScopesNarrowTheSearch) {
    EXPECT_EQ(Vkfind({L"-q", L"--mask", L"a.txt", L"\\\\other"}, tree.Root()).out, "a.txt\t6\t\\\\OTHER\\pub\n");
    EXPECT_EQ(Vkfind({L"-q", L"--mask", L"a.txt", L"net2"}, tree.Root()).out, "a.txt\t6\t\\\\THIRD\\x\n");
    EXPECT_EQ(SortedLines(Vkfind({L"-q", L"--mask", L"a.txt", L"prov/dom/\\\\SRV", L"net2/WG"}, tree.Root()).out),
              "a.txt\t6\t\\\\SRV\\docs\na.txt\t6\t\\\\THIRD\\x\n");
    const VkfindRun missing = Vkfind({L"-q", L"--mask", L"*", L"\\\\NOSUCH"}, tree.Root());
    EXPECT_EQ(missing.status, kExitNetworkUnreadable);
    EXPECT_NE(missing.err.find("not found in the network: \\\\NOSUCH"), std::string::npos);
}

TEST_F(VkfindNetworkTest, AShareMaskAloneListsTheMatchingShares) {
    const VkfindRun run = Vkfind({L"-q", L"--share-mask", L"*$"}, tree.Root());
    EXPECT_EQ(run.out, "C$\t\t\\\\SRV\\\n");
}

TEST_F(VkfindNetworkTest, ScopesOfAnyCaseAreFoundAndMissingOnesFail) {
    EXPECT_EQ(Vkfind({L"-q", L"--mask", L"*.txt", L"\\\\srv\\DOCS\\SUB"}, tree.Root()).out,
              "\xC3\x84rger.TXT\t11\t\\\\srv\\DOCS\\SUB\n");
    EXPECT_EQ(Vkfind({L"--list", L"\\\\SRV\\DOCS\\SUB"}, tree.Root()).out.size(),
              Vkfind({L"--list", L"\\\\SRV\\docs\\sub"}, tree.Root()).out.size());
    // A misspelt share or folder is a failure, like a missing server, not a search without hits.
    for (const wchar_t* scope : {L"\\\\SRV\\nosuchshare", L"\\\\SRV\\docs\\nosuchfolder", L"\\\\SRV\\docs\\a.txt"}) {
        const VkfindRun run = Vkfind({L"-q", L"--mask", L"*", L"\\\\SRV\\docs", scope}, tree.Root());
        EXPECT_EQ(run.status, kExitNetworkUnreadable) << run.err;
        EXPECT_NE(run.err.find("not found in the network: " + Utf8FromWide(scope)), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    const VkfindRun denied = Vkfind({L"-q", L"--mask", L"*", L"\\\\SRV\\docs\\locked"}, tree.Root());
    EXPECT_EQ(denied.status, kExitNetworkUnreadable);
    EXPECT_NE(denied.err.find("cannot read \\\\SRV\\docs\\locked: "), std::string::npos) << denied.err;
}

// A stream that takes a few bytes and then fails, as a full disk or a closed pipe does.
class FailingBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return ++taken_ > 10 ? traits_type::eof() : c; }

private:
    int taken_ = 0;
};

TEST_F(VkfindNetworkTest, RowsThatCannotBeWrittenAreAFailure) {
    FailingBuffer buffer;
    std::ostream out(&buffer);
    std::ostringstream err;
    EXPECT_EQ(RunVkfind({L"-q", L"--mask", L"*", L"\\\\SRV\\docs"}, tree.Root(), out, err), kExitOutputFailed);
    EXPECT_NE(err.str().find("vkfind: cannot write the results"), std::string::npos) << err.str();
    std::ostream listing(&buffer);
    EXPECT_EQ(RunVkfind({L"--shares", L"\\\\SRV"}, tree.Root(), listing, err), kExitOutputFailed);
}

TEST_F(VkfindNetworkTest, EachFormatWritesTheSameRows) {
    tree.MakeFile("prov/DOM/SRV/docs/sub/one, two.txt", "x");
    // Both files modified at one known moment, which json gives as local time.
    const auto moment = std::chrono::sys_seconds(std::chrono::seconds(1'750'000'000));
    for (const char* name : {"one, two.txt", "\xC3\x84rger.TXT"}) {
        std::filesystem::last_write_time(tree.PathOf(std::string("prov/DOM/SRV/docs/sub/") + name),
                                         std::filesystem::file_time_type::clock::from_sys(moment));
    }
    const std::string when = Utf8FromWide(IsoLocalText(FileTimeFromUnix(1'750'000'000, 0)));
    const std::vector<std::wstring> search = {L"-q", L"--mask", L"*.txt", L"\\\\SRV\\docs\\sub"};
    auto with = [&](const wchar_t* format) {
        auto args = search;
        args.insert(args.begin(), {L"--format", format});
        return Vkfind(args, tree.Root());
    };
    EXPECT_EQ(with(L"tsv").out, "one, two.txt\t1\t\\\\SRV\\docs\\sub\n"
                                "\xC3\x84rger.TXT\t11\t\\\\SRV\\docs\\sub\n");
    EXPECT_EQ(with(L"csv").out, "name,size,folder\r\n"
                                "\"one, two.txt\",1,\\\\SRV\\docs\\sub\r\n"
                                "\xC3\x84rger.TXT,11,\\\\SRV\\docs\\sub\r\n");
    EXPECT_EQ(with(L"json").out, "{\"name\":\"one, two.txt\",\"size\":1,\"modified\":\"" + when +
                                     "\",\"folder\":\"\\\\\\\\SRV\\\\docs\\\\sub\"}\n"
                                     "{\"name\":\"\xC3\x84rger.TXT\",\"size\":11,\"modified\":\"" +
                                     when + "\",\"folder\":\"\\\\\\\\SRV\\\\docs\\\\sub\"}\n");
    // Named columns, in the order named.
    auto columns = search;
    columns.insert(columns.begin(), {L"--format", L"csv", L"--columns", L"modified,name"});
    EXPECT_EQ(Vkfind(columns, tree.Root()).out,
              "modified,name\r\n" + when + ",\"one, two.txt\"\r\n" + when + ",\xC3\x84rger.TXT\r\n");
    // Rows without size or time (which the search then leaves out) are the same rows.
    columns = search;
    columns.insert(columns.begin(), {L"--columns", L"name,folder"});
    EXPECT_EQ(Vkfind(columns, tree.Root()).out, "one, two.txt\t\\\\SRV\\docs\\sub\n"
                                                "\xC3\x84rger.TXT\t\\\\SRV\\docs\\sub\n");
    // Folders have no size.
    EXPECT_EQ(Vkfind({L"--format", L"json", L"--shares", L"\\\\SRV"}, tree.Root()).out,
              "{\"name\":\"C$\",\"size\":null,\"modified\":null,\"folder\":\"\\\\\\\\SRV\"}\n"
              "{\"name\":\"docs\",\"size\":null,\"modified\":null,\"folder\":\"\\\\\\\\SRV\"}\n");
}

TEST_F(VkfindNetworkTest, TheFaultsFileIsNamedOnceInItsMessages) {
    std::filesystem::remove(tree.PathOf("network-faults.txt"));
    tree.MakeDir("network-faults.txt"); // a folder where the file should be: it cannot be read
    const VkfindRun run = Vkfind({L"-q", L"--mask", L"a.txt", L"\\\\SRV\\docs"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan);
    const std::size_t first = run.err.find("network-faults.txt");
    ASSERT_NE(first, std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("network-faults.txt", first + 1), std::string::npos) << run.err;
}

TEST_F(VkfindNetworkTest, BrowseListingsOfSharesAndFolders) {
    EXPECT_EQ(Vkfind({L"--shares", L"\\\\srv"}, tree.Root()).out, "C$\t\t\\\\SRV\ndocs\t\t\\\\SRV\n");
    EXPECT_EQ(Vkfind({L"--list", L"\\\\SRV\\docs\\sub"}, tree.Root()).out,
              "big.bin\t3000\t\\\\SRV\\docs\\sub\\\n"
              "\xC3\x84rger.TXT\t11\t\\\\SRV\\docs\\sub\\\n");
    const VkfindRun denied = Vkfind({L"--list", L"\\\\SRV\\docs\\locked"}, tree.Root());
    EXPECT_EQ(denied.status, kExitNetworkUnreadable);
    EXPECT_NE(denied.err.find("Varnokle: "), std::string::npos);
    EXPECT_TRUE(denied.out.empty());
}

} // namespace
} // namespace vk

namespace vk {
namespace {

// A provider that lists no computers: the servers of a servers file are searched with the rest
// of the network, a share or folder line alone below its server.
TEST_F(VkfindNetworkTest, AServersFileAddsServersTheNetworkDoesNotList) {
    tree.MakeFile("network-faults.txt", "nobrowse prov\n");
    tree.MakeFile("servers.txt", "\xEF\xBB\xBF# our file servers\r\n  srv \r\n\n\\\\OTHER\\pub\n");
    const std::wstring file = tree.Root() + L"/servers.txt";
    const VkfindRun run = Vkfind({L"--quiet", L"--servers-file", file, L"--mask", L"a.txt"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan) << run.err;
    // The server by the name it was given.
    EXPECT_EQ(SortedLines(run.out), "a.txt\t6\t\\\\OTHER\\pub\n"
                                    "a.txt\t6\t\\\\THIRD\\x\n"
                                    "a.txt\t6\t\\\\srv\\docs\n");
    const VkfindRun without = Vkfind({L"--quiet", L"--mask", L"a.txt"}, tree.Root());
    EXPECT_EQ(without.out, "a.txt\t6\t\\\\THIRD\\x\n");

    tree.MakeFile("bad.txt", "SRV\nnot*a name\n");
    const VkfindRun bad = Vkfind({L"--mask", L"*", L"--servers-file", tree.Root() + L"/bad.txt"}, tree.Root());
    EXPECT_EQ(bad.status, kExitNetworkUnreadable);
    EXPECT_NE(bad.err.find("not*a name"), std::string::npos) << bad.err;
    const VkfindRun missing = Vkfind({L"--mask", L"*", L"--servers-file", tree.Root() + L"/none.txt"}, tree.Root());
    EXPECT_EQ(missing.status, kExitNetworkUnreadable);
    EXPECT_NE(missing.err.find("cannot read the servers file"), std::string::npos) << missing.err;
}

} // namespace
} // namespace vk
