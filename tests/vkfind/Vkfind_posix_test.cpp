// What only POSIX folder networks can hold (names with controls, names that are not UTF-8), and
// the real program's standard output failing.
#include "vkfind/Vkfind.h"

#include "engine/ModifiedTime.h"
#include "platform/FileSystem.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vk {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun Vkfind(const std::vector<std::wstring>& args, const std::wstring& network) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = RunVkfind(args, network, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class OddNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string share = "net/DOM/SRV/odd/";
        // Two names that differ only in bytes that are not UTF-8 (Latin-1 e-acute and e-grave),
        // a folder with such a name, and names with a tab, a line feed and a leading quote.
        tree.MakeFile(share + "caf\xE9.txt", "the menu\n");
        tree.MakeFile(share + "caf\xE8.txt", "the bill\n");
        tree.MakeFile(share + "dir\xFF/inside.txt", "the menu\n");
        tree.MakeFile(share + "tab\there.txt", "x");
        tree.MakeFile(share + "line\nbreak.txt", "x");
        tree.MakeFile(share + "\"quoted.txt", "x");
        tree.MakeFile(share + "new\nline/inner.txt", "x");
    }
    // The file's modification time, as file time ticks.
    std::int64_t Modified(const std::string& name) const {
        struct stat info {};
        EXPECT_EQ(stat(tree.PathOf("net/DOM/SRV/odd/" + name).c_str(), &info), 0);
        return FileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    }
    test::TempTree tree;
};

TEST_F(OddNamesTest, NamesThatAreNotUtf8AreWalkedTestedAndListedApart) {
    const ToolRun run = Vkfind({L"-q", L"--mask", L"*", L"--text", L"menu", L"\\\\SRV\\odd"}, tree.Root());
    EXPECT_EQ(run.status, kExitSearchRan) << run.err;
    EXPECT_EQ(run.out, "\"caf\\xE9.txt\"\t9\t\\\\SRV\\odd\n"
                       "inside.txt\t9\t\"\\\\\\\\SRV\\\\odd\\\\dir\\xFF\"\n");
    // Every row apart: the two cafe files are two rows.
    const ToolRun all = Vkfind({L"-q", L"--mask", L"caf*", L"\\\\SRV\\odd"}, tree.Root());
    EXPECT_EQ(all.out, "\"caf\\xE8.txt\"\t9\t\\\\SRV\\odd\n\"caf\\xE9.txt\"\t9\t\\\\SRV\\odd\n");
    // The folder can be listed by the name the output shows (as the program gets it from a
    // command line: the byte itself).
    std::wstring folder = L"\\\\SRV\\odd\\dir";
    folder += static_cast<wchar_t>(0xDCFF);
    EXPECT_EQ(Vkfind({L"--list", folder}, tree.Root()).out, "inside.txt\t9\t\"\\\\\\\\SRV\\\\odd\\\\dir\\xFF\\\\\"\n");
    EXPECT_EQ(
        Vkfind({L"--format", L"json", L"-q", L"--mask", L"caf*", L"--text", L"menu", L"\\\\SRV\\odd"}, tree.Root()).out,
        "{\"name\":\"caf\\udce9.txt\",\"size\":9,\"modified\":\"" +
            Utf8FromWide(IsoLocalText(Modified("caf\xE9.txt"))) + "\",\"folder\":\"\\\\\\\\SRV\\\\odd\"}\n");
    EXPECT_EQ(
        Vkfind({L"--format", L"csv", L"-q", L"--mask", L"caf*", L"--text", L"menu", L"\\\\SRV\\odd"}, tree.Root()).out,
        "name,size,folder\r\ncaf\xE9.txt,9,\\\\SRV\\odd\r\n");
}

TEST_F(OddNamesTest, ControlCharactersNeverBreakARow) {
    const ToolRun run = Vkfind({L"-q", L"--mask", L"?quoted*;line*;tab*", L"\\\\SRV\\odd"}, tree.Root());
    EXPECT_EQ(run.out, "\"\\\"quoted.txt\"\t1\t\\\\SRV\\odd\n"
                       "\"line\\nbreak.txt\"\t1\t\\\\SRV\\odd\n"
                       "\"tab\\there.txt\"\t1\t\\\\SRV\\odd\n");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
    const ToolRun csv = Vkfind({L"--format", L"csv", L"-q", L"--mask", L"line*", L"\\\\SRV\\odd"}, tree.Root());
    EXPECT_EQ(csv.out, "name,size,folder\r\n\"line\nbreak.txt\",1,\\\\SRV\\odd\r\n");
    // A folder with such a name is walked like any other.
    EXPECT_EQ(Vkfind({L"-q", L"--mask", L"inner.txt", L"\\\\SRV\\odd"}, tree.Root()).out,
              "inner.txt\t1\t\"\\\\\\\\SRV\\\\odd\\\\new\\nline\"\n");
}

// Runs the real program with its standard output on fd; returns its exit status and what it
// wrote to standard error.
int RunProgram(const std::vector<std::string>& args, int fd, std::string& err) {
    int errPipe[2];
    if (pipe(errPipe) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    std::vector<char*> argv;
    std::string program = VKFIND_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (auto& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(errPipe[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(errPipe[0], buffer, sizeof buffer)) > 0) {
        err.append(buffer, static_cast<std::size_t>(got));
    }
    close(errPipe[0]);
    int status = 0;
    if (started != 0 || waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(VkfindProgram, AFullDiskOrAClosedPipeIsReported) {
    const std::vector<std::string> args = {"--network", VK_SOURCE_DIR "/demo/network", "-q", "--mask", "*"};
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    std::string err;
    EXPECT_EQ(RunProgram(args, full, err), kExitOutputFailed);
    close(full);
    EXPECT_NE(err.find("vkfind: cannot write the results"), std::string::npos) << err;

    int outPipe[2];
    ASSERT_EQ(pipe(outPipe), 0);
    close(outPipe[0]); // nobody reads
    err.clear();
    EXPECT_EQ(RunProgram(args, outPipe[1], err), kExitOutputFailed);
    close(outPipe[1]);
    EXPECT_NE(err.find("vkfind: cannot write the results"), std::string::npos) << err;
}

#ifdef VK_HAVE_SMB
// The SMB client library pulls in about a hundred shared libraries: a search of a folder network
// must not pay for loading them. The system's loader says which files it loads (LD_DEBUG).
TEST(VkfindProgram, ASearchWithoutSmbLoadsNoSmbLibrary) {
#ifdef VK_SMB_LOADED_AT_START
    GTEST_SKIP() << "this build loads the SMB client library at start";
#endif
    const int none = open("/dev/null", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(none, 0);
    ASSERT_EQ(setenv("LD_DEBUG", "files", 1), 0);
    std::string err;
    const int status = RunProgram({"--network", VK_SOURCE_DIR "/demo/network", "-q", "--mask", "*"}, none, err);
    unsetenv("LD_DEBUG");
    close(none);
    EXPECT_EQ(status, kExitSearchRan) << err;
    ASSERT_NE(err.find("libc.so"), std::string::npos) << "the loader names the files it loads";
    EXPECT_EQ(err.find("libsmbclient"), std::string::npos);
}
#endif

} // namespace
} // namespace vk
