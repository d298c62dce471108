// The SMB client's helper processes, without an SMB server: a listener of the test's own that
// takes connections and never answers stands for servers that are slow to answer, a port where
// nothing listens for a server that answers at once.

#include "platform/smb/SmbClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vk {
namespace {

// A listener on 127.0.0.1 that takes every connection and never answers.
class SilentServer {
public:
    SilentServer() : listener_(Listener(port_)) {
        accepting_ = std::thread([this] {
            for (;;) {
                const int connection = accept(listener_, nullptr, nullptr);
                if (connection < 0) {
                    return; // shut down
                }
                std::lock_guard lock(lock_);
                connections_.push_back(connection);
                changed_.notify_all();
            }
        });
    }
    ~SilentServer() { Stop(); }

    // Closes every connection and refuses new ones.
    void Stop() {
        if (accepting_.joinable()) {
            shutdown(listener_, SHUT_RDWR);
            accepting_.join();
            close(listener_);
        }
        std::lock_guard lock(lock_);
        for (const int connection : connections_) {
            close(connection);
        }
        connections_.clear();
    }

    [[nodiscard]] std::uint16_t Port() const { return port_; }

    // Whether count connections were taken within a time far beyond a connection's.
    [[nodiscard]] bool WaitForConnections(std::size_t count) {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return connections_.size() >= count; });
    }

    // A listening socket on a free port of 127.0.0.1.
    static int Listener(std::uint16_t& port) {
        const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener, 16) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            ADD_FAILURE() << "no listener";
        }
        port = ntohs(address.sin_port);
        return listener;
    }

private:
    std::uint16_t port_ = 0;
    int listener_;
    std::thread accepting_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<int> connections_;
};

// A port of 127.0.0.1 where nothing listens: a call there is answered at once.
std::uint16_t ClosedPort() {
    std::uint16_t port = 0;
    close(SilentServer::Listener(port));
    return port;
}

std::vector<pid_t> Children(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::string stat;
        std::getline(std::ifstream(entry.path() / "stat"), stat);
        char state = 0;
        int parentOf = 0;
        const std::size_t end = stat.rfind(')');
        if (end != std::string::npos && std::sscanf(stat.c_str() + end + 1, " %c %d", &state, &parentOf) == 2 &&
            parentOf == parent) {
            children.push_back(std::stoi(name));
        }
    }
    return children;
}

// The helpers of this process's clients: the children of its launchers.
std::vector<pid_t> Helpers() {
    std::vector<pid_t> helpers;
    for (const pid_t launcher : Children(getpid())) {
        for (const pid_t helper : Children(launcher)) {
            helpers.push_back(helper);
        }
    }
    return helpers;
}

// Gone, or a zombie whose threads have all ended (a thread that ends last closes the process's
// sockets): what the client sees of a helper that ended.
bool HasEnded(pid_t process) {
    const std::string folder = "/proc/" + std::to_string(process);
    std::string stat;
    if (!std::getline(std::ifstream(folder + "/stat"), stat)) {
        return true;
    }
    const std::size_t end = stat.rfind(')');
    char state = 0;
    std::error_code gone;
    const auto threads = std::distance(std::filesystem::directory_iterator(folder + "/task", gone),
                                       std::filesystem::directory_iterator());
    return end == std::string::npos || std::sscanf(stat.c_str() + end + 1, " %c", &state) != 1 ||
           (state == 'Z' && threads <= 1);
}

SmbSettings Settings(std::uint16_t port, int helpers) {
    SmbSettings settings;
    settings.port = port;
    settings.helpers = helpers;
    settings.timeoutMilliseconds = 30000;
    settings.helperProgram = VK_SMB_HELPER_PROGRAM;
    return settings;
}

TEST(SmbHelperPool, CallsOnSeveralSharesWaitForTheirServersAtOnce) {
    SilentServer server;
    ErrorCode error = kErrorSuccess;
    const auto client = SmbClient::Make(Settings(server.Port(), 4), error);
    ASSERT_TRUE(client) << error;
    std::atomic<int> answered{0};
    std::vector<std::thread> calls;
    for (int i = 0; i < 4; ++i) {
        calls.emplace_back([&, i] {
            std::vector<DirEntry> entries;
            if (client->ListFolder("smb://127.0.0.1/share" + std::to_string(i), entries) != kErrorSuccess) {
                ++answered;
            }
        });
    }
    // Four calls wait for the server side by side; one at a time, the second would connect only
    // after the first had timed out.
    EXPECT_TRUE(server.WaitForConnections(4));
    server.Stop();
    for (auto& call : calls) {
        call.join();
    }
    EXPECT_EQ(answered.load(), 4); // each fails as the connection closes
}

TEST(SmbHelperPool, AHelperThatEndsWithNothingToDoIsReplacedAndNothingIsLost) {
    SmbSettings settings = Settings(ClosedPort(), 1);
    int lost = 0;
    settings.onHelperLost = [&lost](const std::wstring&, const std::wstring&) { ++lost; };
    ErrorCode error = kErrorSuccess;
    const auto client = SmbClient::Make(settings, error);
    ASSERT_TRUE(client) << error;
    std::vector<DirEntry> entries;
    EXPECT_EQ(client->ListFolder("smb://127.0.0.1/share", entries), kErrorBadNetPath);

    const std::vector<pid_t> helpers = Helpers();
    ASSERT_EQ(helpers.size(), 1U);
    ASSERT_EQ(kill(helpers.front(), SIGKILL), 0);
    for (int i = 0; i < 2000 && !HasEnded(helpers.front()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(HasEnded(helpers.front()));

    EXPECT_EQ(client->ListFolder("smb://127.0.0.1/share", entries), kErrorBadNetPath);
    EXPECT_EQ(lost, 0);
    const std::vector<pid_t> now = Helpers();
    ASSERT_EQ(now.size(), 1U);
    EXPECT_NE(now.front(), helpers.front());
}

TEST(SmbHelperPool, WithoutItsHelperProgramTheClientDoesNotStart) {
    SmbSettings settings = Settings(ClosedPort(), 1);
    settings.helperProgram = "/nonexistent/vkfind-smb-helper";
    ErrorCode error = kErrorSuccess;
    EXPECT_FALSE(SmbClient::Make(settings, error));
    EXPECT_EQ(error, kErrorNotSupported);
}

} // namespace
} // namespace vk
