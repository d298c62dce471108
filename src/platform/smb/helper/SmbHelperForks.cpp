#include "platform/smb/helper/SmbHelperForks.h"

#include "platform/smb/SmbWire.h"
#include "platform/smb/helper/SmbHelperServer.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vk {
namespace {

// A helper ends without the exit handlers of the hundred libraries it has loaded, which cost more
// than the rest of a short helper's life: its context is closed by then, and what they would
// free goes with the process. A build with the leak checker still checks.
[[noreturn]] void EndHelper(int status) {
#ifdef __SANITIZE_ADDRESS__
    __lsan_do_leak_check();
#endif
    _exit(status);
}

[[nodiscard]] bool ReadStart(std::string_view message, SmbSettings& settings) {
    WireReader in(message);
    std::uint8_t kind = 0;
    std::uint32_t timeout = 0;
    SmbCredentials& credentials = settings.credentials;
    const bool read = in.U8(kind) && kind == static_cast<std::uint8_t>(SmbRequest::kStart) &&
                      in.Text(credentials.domain) && in.Text(credentials.user) && in.Text(credentials.password) &&
                      in.U16(settings.port) && in.U32(timeout) && in.Complete();
    settings.timeoutMilliseconds = static_cast<int>(timeout);
    return read;
}

// Forks a helper that serves the other end of a new socket pair; hands the program that end.
[[nodiscard]] bool Fork(int control, const SmbSettings& settings) {
    int ends[2] = {-1, -1};
    pid_t helper = -1;
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0) {
        helper = fork();
        if (helper == 0) {
            close(control);
            close(ends[0]);
            EndHelper(ServeSmbRequests(ends[1], settings));
        }
        close(ends[1]);
    }
    const bool sent =
        SendSmbMessage(control, WireWriter().U32(helper > 0 ? static_cast<std::uint32_t>(helper) : 0).Body(),
                       helper > 0 ? ends[0] : -1);
    if (ends[0] >= 0) {
        close(ends[0]);
    }
    return sent;
}

[[nodiscard]] bool Reap(int control, std::uint32_t helper) {
    int status = 0;
    pid_t ended = -1;
    do {
        ended = waitpid(static_cast<pid_t>(helper), &status, 0);
    } while (ended < 0 && errno == EINTR);
    WireWriter reply;
    if (ended > 0) {
        reply.U8(1).U32(static_cast<std::uint32_t>(status));
    } else {
        reply.U8(0);
    }
    return SendSmbMessage(control, reply.Body());
}

} // namespace

int ServeHelperForks(int control) {
    std::string message;
    SmbSettings settings;
    const bool started = ReceiveSmbMessage(control, message) && ReadStart(message, settings);
    WipeText(message);
    bool understood = started && SendSmbMessage(control, {});
    while (understood && ReceiveSmbMessage(control, message)) {
        WireReader in(message);
        std::uint8_t kind = 0;
        std::uint32_t helper = 0;
        if (in.U8(kind) && kind == static_cast<std::uint8_t>(SmbRequest::kFork) && in.Complete()) {
            understood = Fork(control, settings);
        } else if (kind == static_cast<std::uint8_t>(SmbRequest::kReap) && in.U32(helper) && in.Complete()) {
            understood = Reap(control, helper);
        } else {
            understood = false;
        }
    }
    WipeText(settings.credentials.password);
    close(control);
    // The helpers end as the program closes their sockets; the launcher is the last to end.
    while (wait(nullptr) > 0 || errno == EINTR) {
    }
    return understood ? 0 : 1;
}

} // namespace vk
