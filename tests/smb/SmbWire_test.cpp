// The messages between the program and its SMB helpers.

#include "platform/smb/SmbWire.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vk {
namespace {

TEST(SmbWire, FieldsComeBackAsTheyWentAndABodyCutShortIsRefused) {
    WireWriter out;
    out.U8(7)
        .U16(0xBEEF)
        .U32(0xDEADBEEF)
        .U64(0x0123456789ABCDEFULL)
        .Text("B\xC3\xBC"
              "cher");
    PutFolderEntry(out, "sub", true, true, 0, 133'000'000'000'000'000);
    const std::string body = out.Body();

    WireReader in(body);
    std::uint8_t u8 = 0;
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    std::uint64_t u64 = 0;
    std::string text;
    DirEntry entry;
    EXPECT_TRUE(in.U8(u8) && in.U16(u16) && in.U32(u32) && in.U64(u64) && in.Text(text) && TakeFolderEntry(in, entry));
    EXPECT_TRUE(in.Complete());
    EXPECT_EQ(u8, 7);
    EXPECT_EQ(u16, 0xBEEF);
    EXPECT_EQ(u32, 0xDEADBEEFU);
    EXPECT_EQ(u64, 0x0123456789ABCDEFULL);
    EXPECT_EQ(text, "B\xC3\xBC"
                    "cher");
    EXPECT_EQ(entry.name, L"sub");
    EXPECT_TRUE(entry.isDirectory && entry.isLink);
    EXPECT_EQ(entry.modified, 133'000'000'000'000'000);

    // Every shorter body fails at some field, and stays failed.
    for (std::size_t size = 0; size < body.size(); ++size) {
        WireReader cut(std::string_view(body).substr(0, size));
        const bool whole =
            cut.U8(u8) && cut.U16(u16) && cut.U32(u32) && cut.U64(u64) && cut.Text(text) && TakeFolderEntry(cut, entry);
        EXPECT_FALSE(whole) << size;
        EXPECT_FALSE(cut.U8(u8)) << size;
        EXPECT_FALSE(cut.Complete()) << size;
    }
}

TEST(SmbWire, MessagesCrossASocketWholeADescriptorWithThem) {
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    const std::string big(3 * 1024 * 1024 + 5, 'x'); // more than a socket holds at once
    int passed = -1;
    std::string body;
    ASSERT_TRUE(SendSmbMessage(ends[0], "", ends[1]));
    ASSERT_TRUE(ReceiveSmbMessage(ends[1], body, &passed));
    EXPECT_EQ(body, "");
    ASSERT_GE(passed, 0);
    struct stat first {};
    struct stat second {};
    ASSERT_EQ(fstat(passed, &first), 0);
    ASSERT_EQ(fstat(ends[1], &second), 0);
    EXPECT_EQ(first.st_ino, second.st_ino); // the same socket, by a new descriptor
    close(passed);

    std::string received;
    std::thread sender([&] { EXPECT_TRUE(SendSmbMessage(ends[0], big)); });
    EXPECT_TRUE(ReceiveSmbMessage(ends[1], received));
    sender.join();
    EXPECT_EQ(received, big);

    // A length beyond any message, and the end of the stream, are no messages.
    const char huge[] = {'\xFF', '\xFF', '\xFF', '\x7F'};
    ASSERT_EQ(write(ends[0], huge, sizeof huge), static_cast<ssize_t>(sizeof huge));
    EXPECT_FALSE(ReceiveSmbMessage(ends[1], received));
    close(ends[0]);
    EXPECT_FALSE(ReceiveSmbMessage(ends[1], received));
    close(ends[1]);
}

} // namespace
} // namespace vk
