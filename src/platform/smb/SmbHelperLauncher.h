#pragma once
// The launcher seen from the program: the helper program, started once by a client, which makes
// the helper processes by forking itself (helper/SmbHelperForks.h; the messages in SmbWire.h).
//
// It is started with its end of a socket pair as descriptor kSmbHelperSocket, standard input and
// output on /dev/null (nothing of the library's reaches the program's output), the program's
// standard error, and the program's environment less the variables that may hold credentials.
// The settings, credentials included, go over the socket: never on its command line, which
// anyone on the machine may read, nor in its environment. Its helpers inherit them.

#include "platform/smb/SmbClient.h"
#include "platform/smb/SmbHelper.h"

#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vk {

inline constexpr const char* kSmbHelperProgramName = "vkfind-smb-helper";

// The helper program beside the running program.
[[nodiscard]] std::string DefaultSmbHelperProgram();

// The environment for the launcher: environment (NAME=VALUE texts) less the variables whose name
// begins with VARNOKLE_SMB_, which may hold a user name and password.
[[nodiscard]] std::vector<std::string> SmbHelperEnvironment(const char* const* environment);

class SmbHelperLauncher : public std::enable_shared_from_this<SmbHelperLauncher> {
    struct StartOnly {
        explicit StartOnly() = default;
    };

public:
    // Starts program and hands it the settings. Returns null and sets error when it cannot
    // (kErrorNotSupported when the program is not there or ends at once: the library missing).
    [[nodiscard]] static std::shared_ptr<SmbHelperLauncher> Start(const std::string& program,
                                                                  const std::vector<std::string>& environment,
                                                                  const SmbSettings& settings, ErrorCode& error);
    SmbHelperLauncher(StartOnly /*only Start makes one*/, pid_t pid, int socket) : pid_(pid), socket_(socket) {}
    // Closes the launcher's socket and waits for it to end, which it does once all its helpers
    // have; each helper holds its launcher, so the launcher goes after them.
    ~SmbHelperLauncher();
    SmbHelperLauncher(const SmbHelperLauncher&) = delete;
    SmbHelperLauncher& operator=(const SmbHelperLauncher&) = delete;

    // A new helper, its library context made. Returns null and sets error when there is none:
    // the context's error, kErrorNotEnoughMemory when the launcher could not fork, or
    // kErrorNotSupported when the launcher has ended (Ended).
    [[nodiscard]] std::unique_ptr<SmbHelper> NewHelper(ErrorCode& error);
    // How a helper of this launcher ended, once it has; "ended" when that cannot be known.
    [[nodiscard]] std::wstring HowEnded(pid_t helper);
    [[nodiscard]] bool Ended();

private:
    // One request to the launcher and its reply; false (and the launcher ended) when it has gone.
    [[nodiscard]] bool Ask(std::string_view request, std::string& reply, int* passed = nullptr);
    void CloseSocket();

    std::mutex lock_; // one request at a time
    pid_t pid_;
    int socket_;
};

} // namespace vk
