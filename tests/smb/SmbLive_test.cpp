// The SMB network against a running server: tests/smb/smb_test.py starts Samba and runs these
// with the server's address, its port, a share the tests may change and that share's folder on
// this machine. Without them the tests are skipped.

#include "platform/smb/SmbFileSystem.h"
#include "platform/smb/SmbNetworkServices.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace vk {
namespace {

namespace fs = std::filesystem;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

class SmbLive : public ::testing::Test {
protected:
    void SetUp() override {
        server_ = WideFromUtf8(Variable("VK_SMB_TEST_SERVER"));
        share_ = WideFromUtf8(Variable("VK_SMB_TEST_SHARE"));
        folder_ = Variable("VK_SMB_TEST_FOLDER");
        if (server_.empty() || share_.empty() || folder_.empty()) {
            GTEST_SKIP() << "no SMB server (tests/smb/smb_test.py runs these)";
        }
        settings_.port = static_cast<std::uint16_t>(std::atoi(Variable("VK_SMB_TEST_PORT").c_str()));
        settings_.timeoutMilliseconds = 5000;
        settings_.helperProgram = VK_SMB_HELPER_PROGRAM;
        ErrorCode error = kErrorSuccess;
        client_ = SmbClient::Make(settings_, error);
        ASSERT_TRUE(client_) << error;
        files_ = std::make_unique<SmbFileSystem>(client_);
        // A folder of this test's own in the share, made on this machine's side.
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = std::string("live-") + info->name();
        local_ = fs::path(folder_) / name_;
        fs::remove_all(local_);
        fs::create_directories(local_);
    }
    void TearDown() override {
        std::error_code ignored;
        if (!local_.empty()) {
            fs::remove_all(local_, ignored);
        }
    }

    // Makes a file in the test's folder, readable by the server's guest.
    void MakeFile(const std::string& relative, const std::string& bytes) {
        const fs::path path = local_ / fs::path(reinterpret_cast<const char8_t*>(relative.c_str()));
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        for (fs::path p = path; p != fs::path(folder_); p = p.parent_path()) {
            fs::permissions(p, fs::is_directory(p) ? fs::perms(0755) : fs::perms(0644));
        }
    }
    std::wstring Unc(const std::wstring& relative = L"") const {
        std::wstring path = L"\\\\" + server_ + L"\\" + share_ + L"\\" + WideFromUtf8(name_);
        return relative.empty() ? path : path + L"\\" + relative;
    }
    // The names a listing yields, or the error.
    std::vector<std::wstring> Names(const std::wstring& pattern, ErrorCode& error) {
        std::vector<std::wstring> names;
        auto listing = files_->FindFirst(pattern, ListingDetail::kNamesAndSizes, error);
        DirEntry entry;
        while (listing && listing->Next(entry)) {
            names.push_back(entry.name);
        }
        return names;
    }
    std::string Contents(const std::wstring& path, ErrorCode& error) {
        auto file = files_->OpenForReading(path, error);
        if (!file) {
            return {};
        }
        std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
        bytes.resize(file->Read(bytes.data(), bytes.size()));
        return bytes;
    }

    std::wstring server_;
    std::wstring share_;
    std::string folder_;
    std::string name_;
    fs::path local_;
    SmbSettings settings_;
    std::shared_ptr<SmbClient> client_;
    std::unique_ptr<SmbFileSystem> files_;
};

TEST_F(SmbLive, ListingsFollowWindowsRules) {
    MakeFile("b.TXT", "bb");
    MakeFile("A.txt", "a");
    MakeFile("c.log", "ccc");
    MakeFile("sub/inner.txt", "");
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(Names(Unc(L"*.txt"), error), (std::vector<std::wstring>{L"A.txt", L"b.TXT"}));
    EXPECT_EQ(Names(Unc(L"*"), error), (std::vector<std::wstring>{L".", L"..", L"A.txt", L"b.TXT", L"c.log", L"sub"}));

    auto listing = files_->FindFirst(Unc(L"*"), ListingDetail::kNamesAndSizes, error);
    ASSERT_TRUE(listing);
    DirEntry entry;
    std::vector<std::pair<std::wstring, std::uint64_t>> sizes;
    while (listing->Next(entry)) {
        sizes.emplace_back(entry.name + (entry.isDirectory ? L"\\" : L""), entry.size);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<std::wstring, std::uint64_t>>{
                         {L".\\", 0}, {L"..\\", 0}, {L"A.txt", 1}, {L"b.TXT", 2}, {L"c.log", 3}, {L"sub\\", 0}}));

    EXPECT_TRUE(Names(Unc(L"*.doc"), error).empty());
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_TRUE(Names(Unc(L"missing\\*"), error).empty());
    EXPECT_EQ(error, kErrorPathNotFound);
    EXPECT_TRUE(Names(Unc(L"c.log\\*"), error).empty());
    EXPECT_EQ(error, kErrorDirectory);
    EXPECT_TRUE(Names(L"\\\\" + server_ + L"\\NoSuchShare\\*", error).empty());
    EXPECT_EQ(error, kErrorBadNetName);
    EXPECT_TRUE(Names(Unc(L"a:b"), error).empty());
    EXPECT_EQ(error, kErrorInvalidName);
}

TEST_F(SmbLive, OddNamesGoThereAndBack) {
    const std::string odd = "50% off #1 & a;b@c+d=e ~f %41.txt"; // %41 would read as A
    const std::string foreign = "\xC3\x9Cn\xC3\xAF c\xC3\xB8"
                                "d\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.txt";
    MakeFile("x y%z/" + odd, "odd");
    MakeFile("x y%z/" + foreign, "foreign");
    ErrorCode error = kErrorSuccess;
    const auto names = Names(Unc(L"x y%z\\*.txt"), error);
    ASSERT_EQ(names.size(), 2U) << error;
    EXPECT_NE(std::find(names.begin(), names.end(), WideFromUtf8(odd)), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), WideFromUtf8(foreign)), names.end());
    EXPECT_EQ(Contents(Unc(L"x y%z\\" + WideFromUtf8(odd)), error), "odd");
    EXPECT_EQ(Contents(Unc(L"x y%z\\" + WideFromUtf8(foreign)), error), "foreign");
}

TEST_F(SmbLive, FilesAreReadWholeAndFoldersAreNoFiles) {
    std::string big(300000 * 3 + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>('a' + i % 26);
    }
    MakeFile("big.txt", big);
    MakeFile("folder/x", "");
    ErrorCode error = kErrorSuccess;
    auto file = files_->OpenForReading(Unc(L"big.txt"), error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->Length(), big.size());
    std::string read;
    std::vector<char> chunk(300000);
    while (const std::size_t got = file->Read(chunk.data(), chunk.size())) {
        read.append(chunk.data(), got);
    }
    EXPECT_EQ(read, big);
    EXPECT_FALSE(files_->OpenForReading(Unc(L"folder"), error));
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_FALSE(files_->OpenForReading(Unc(L"missing.txt"), error));
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_FALSE(files_->OpenForReading(L"\\\\" + server_ + L"\\" + share_, error));
}

TEST_F(SmbLive, WhatGoesBetweenListingAndOpeningIsAnError) {
    MakeFile("going/gone.txt", "soon gone");
    MakeFile("going/deeper/x.txt", "");
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(Names(Unc(L"going\\*.txt"), error), (std::vector<std::wstring>{L"gone.txt"}));
    fs::remove(local_ / "going" / "gone.txt");
    EXPECT_FALSE(files_->OpenForReading(Unc(L"going\\gone.txt"), error));
    EXPECT_EQ(error, kErrorFileNotFound);
    fs::remove_all(local_ / "going" / "deeper");
    EXPECT_TRUE(Names(Unc(L"going\\deeper\\*"), error).empty());
    EXPECT_EQ(error, kErrorPathNotFound);
}

TEST_F(SmbLive, AFolderListedTwiceInARowIsAskedForOnce) {
    MakeFile("twice/stays.txt", "");
    MakeFile("twice/goes.txt", "");
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(Names(Unc(L"twice\\*.txt"), error), (std::vector<std::wstring>{L"goes.txt", L"stays.txt"}));
    fs::remove(local_ / "twice" / "goes.txt");
    // The walk's second listing of the folder is served by the server's first answer ...
    EXPECT_EQ(Names(Unc(L"twice\\*"), error), (std::vector<std::wstring>{L".", L"..", L"goes.txt", L"stays.txt"}));
    // ... once: the next one asks the server again.
    EXPECT_EQ(Names(Unc(L"twice\\*"), error), (std::vector<std::wstring>{L".", L"..", L"stays.txt"}));
    // Another folder in between, and the answer is not used either.
    MakeFile("twice/new.txt", "");
    EXPECT_EQ(Names(Unc(L"*.none"), error).size(), 0U);
    EXPECT_EQ(Names(Unc(L"twice\\*.txt"), error), (std::vector<std::wstring>{L"new.txt", L"stays.txt"}));
}

// The share workers list and read at the same time; every call must still see its own answer.
TEST_F(SmbLive, ElevenThreadsAtOnce) {
    constexpr int kThreads = 11;
    for (int i = 0; i < kThreads; ++i) {
        for (int j = 0; j < 5; ++j) {
            MakeFile("t" + std::to_string(i) + "/f" + std::to_string(j) + ".txt", std::string(100 + i * 10 + j, 'x'));
        }
    }
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            const std::wstring folder = Unc(L"t" + std::to_wstring(i));
            for (int round = 0; round < 20; ++round) {
                ErrorCode error = kErrorSuccess;
                auto listing = files_->FindFirst(folder + L"\\*.txt", ListingDetail::kNamesAndSizes, error);
                DirEntry entry;
                int j = 0;
                while (listing && listing->Next(entry)) {
                    if (entry.size != static_cast<std::uint64_t>(100 + i * 10 + j)) {
                        ++wrong;
                    }
                    auto file = files_->OpenForReading(folder + L"\\" + entry.name, error);
                    std::string bytes(entry.size, '\0');
                    if (!file || file->Read(bytes.data(), bytes.size()) != entry.size ||
                        bytes != std::string(entry.size, 'x')) {
                        ++wrong;
                    }
                    ++j;
                }
                if (j != 5) {
                    ++wrong;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

TEST_F(SmbLive, SharesOfAServerAndItsBrowseList) {
    SmbNetworkServices services(client_, {L"\\\\" + server_, server_});
    std::vector<ShareInfo> page;
    std::uint32_t resume = 0;
    ASSERT_EQ(services.ShareEnum(L"\\\\" + server_, page, resume), kErrorSuccess);
    const auto typeOf = [&](const std::wstring& name) {
        const auto found = std::find_if(page.begin(), page.end(), [&](const ShareInfo& s) { return s.name == name; });
        return found == page.end() ? ~0U : found->type;
    };
    EXPECT_EQ(typeOf(L"IPC$"), kShareTypeIpc);
    EXPECT_EQ(typeOf(share_), kShareTypeDiskTree);

    // The browse list of the server leaves out hidden and inter-process shares.
    const NetResource server{kDisplayTypeServer, kUsageContainer, L"\\\\" + server_, std::wstring(kSmbProviderName)};
    ErrorCode error = kErrorSuccess;
    auto shares = services.OpenEnum(&server, error);
    ASSERT_TRUE(shares) << error;
    std::vector<NetResource> records;
    std::uint32_t count = kEnumAllEntries;
    while (shares->Next(count, kEnumBufferSize, records) == kErrorSuccess) {
        count = kEnumAllEntries;
    }
    ASSERT_FALSE(records.empty());
    for (const auto& record : records) {
        EXPECT_EQ(record.displayType, kDisplayTypeShare);
        EXPECT_NE(record.remoteName.back(), L'$') << record.remoteName;
        const std::wstring name = record.remoteName.substr(record.remoteName.rfind(L'\\') + 1);
        EXPECT_NE(typeOf(name), ~0U) << name;
    }

    // The provider holds the named server once, however it was written.
    const NetResource provider{kDisplayTypeNetwork, kUsageContainer, std::wstring(kSmbProviderName),
                               std::wstring(kSmbProviderName)};
    auto below = services.OpenEnum(&provider, error);
    ASSERT_TRUE(below) << error;
    records.clear();
    count = kEnumAllEntries;
    ASSERT_EQ(below->Next(count, kEnumBufferSize, records), kErrorSuccess);
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const NetResource& r) { return r.displayType == kDisplayTypeServer; }),
              1);
}

TEST_F(SmbLive, AServerWhereNothingListensFailsAtOnce) {
    SmbNetworkServices services(client_, {});
    std::vector<ShareInfo> names;
    std::uint32_t resume = 0;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(services.ShareEnum(L"\\\\127.0.0.9", names, resume), kErrorBadNetPath);
    ErrorCode error = kErrorSuccess;
    EXPECT_TRUE(Names(L"\\\\127.0.0.9\\share\\*", error).empty());
    EXPECT_EQ(error, kErrorBadNetPath);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

} // namespace
} // namespace vk
