#include "platform/smb/SmbHelperLauncher.h"

#include "platform/Utf8.h"
#include "platform/smb/SmbWire.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vk {
namespace {

std::string StartMessage(const SmbSettings& settings) {
    WireWriter start;
    start.U8(static_cast<std::uint8_t>(SmbRequest::kStart))
        .Text(settings.credentials.domain)
        .Text(settings.credentials.user)
        .Text(settings.credentials.password)
        .U16(settings.port)
        .U32(static_cast<std::uint32_t>(settings.timeoutMilliseconds));
    std::string message = start.Body();
    start.Wipe();
    return message;
}

// Starts program with its end of the socket as kSmbHelperSocket. Returns its process id, or -1
// with errno set.
pid_t Spawn(const std::string& program, const std::vector<std::string>& environment, int launcherEnd) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return -1;
    }
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    // It starts with no signal blocked, whichever thread of the program starts it.
    sigset_t none;
    sigemptyset(&none);
    int failed = posix_spawnattr_setsigmask(&attributes, &none);
    failed = failed != 0 ? failed : posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    failed = failed != 0 ? failed : posix_spawn_file_actions_adddup2(&actions, launcherEnd, kSmbHelperSocket);
    failed = failed != 0 ? failed : posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    failed = failed != 0 ? failed : posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> variables;
    for (const auto& variable : environment) {
        variables.push_back(const_cast<char*>(variable.c_str()));
    }
    variables.push_back(nullptr);
    std::string name = program;
    char* const arguments[] = {name.data(), nullptr};
    pid_t pid = -1;
    if (failed == 0) {
        failed = posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments, variables.data());
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        errno = failed;
        return -1;
    }
    return pid;
}

std::wstring HowItEnded(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const char* name = strsignal(signal);
        return L"was killed by signal " + std::to_wstring(signal) + (name ? L" (" + WideFromUtf8(name) + L")" : L"");
    }
    if (WIFEXITED(status)) {
        return L"ended with exit status " + std::to_wstring(WEXITSTATUS(status));
    }
    return L"ended";
}

} // namespace

std::string DefaultSmbHelperProgram() {
    std::string self(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0) {
        return kSmbHelperProgramName;
    }
    self.resize(static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + kSmbHelperProgramName;
}

std::vector<std::string> SmbHelperEnvironment(const char* const* environment) {
    std::vector<std::string> kept;
    for (; environment != nullptr && *environment != nullptr; ++environment) {
        if (!std::string_view(*environment).starts_with("VARNOKLE_SMB_")) {
            kept.emplace_back(*environment);
        }
    }
    return kept;
}

std::shared_ptr<SmbHelperLauncher> SmbHelperLauncher::Start(const std::string& program,
                                                            const std::vector<std::string>& environment,
                                                            const SmbSettings& settings, ErrorCode& error) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        error = kErrorNotEnoughMemory;
        return nullptr;
    }
    const pid_t pid = Spawn(program, environment, ends[1]);
    const int spawnError = errno;
    close(ends[1]);
    if (pid < 0) {
        close(ends[0]);
        error = spawnError == ENOENT || spawnError == EACCES ? kErrorNotSupported : kErrorNotEnoughMemory;
        return nullptr;
    }
    auto launcher = std::make_shared<SmbHelperLauncher>(StartOnly{}, pid, ends[0]);
    std::string start = StartMessage(settings);
    std::string reply;
    const bool ready = launcher->Ask(start, reply) && reply.empty();
    WipeText(start);
    if (!ready) {
        error = kErrorNotSupported; // it ended at once: the library or one it needs is not there
        return nullptr;
    }
    error = kErrorSuccess;
    return launcher;
}

SmbHelperLauncher::~SmbHelperLauncher() {
    CloseSocket();
    if (pid_ > 0) {
        while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

bool SmbHelperLauncher::Ask(std::string_view request, std::string& reply, int* passed) {
    if (socket_ >= 0 && SendSmbMessage(socket_, request) && ReceiveSmbMessage(socket_, reply, passed)) {
        return true;
    }
    // Gone, or not to be understood: no more requests. It is waited for when destroyed, after
    // its helpers.
    CloseSocket();
    return false;
}

void SmbHelperLauncher::CloseSocket() {
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
}

bool SmbHelperLauncher::Ended() {
    std::lock_guard lock(lock_);
    return socket_ < 0;
}

std::unique_ptr<SmbHelper> SmbHelperLauncher::NewHelper(ErrorCode& error) {
    std::unique_ptr<SmbHelper> helper;
    {
        std::lock_guard lock(lock_);
        std::string reply;
        int socket = -1;
        if (!Ask(WireWriter().U8(static_cast<std::uint8_t>(SmbRequest::kFork)).Body(), reply, &socket)) {
            error = kErrorNotSupported;
            return nullptr;
        }
        WireReader in(reply);
        std::uint32_t pid = 0;
        if (!in.U32(pid) || !in.Complete() || pid == 0 || socket < 0) {
            if (socket >= 0) {
                close(socket);
            }
            error = kErrorNotEnoughMemory;
            return nullptr;
        }
        helper = std::make_unique<SmbHelper>(shared_from_this(), static_cast<pid_t>(pid), socket);
    }
    // Its first message says whether it made its library context.
    std::string ready;
    error = kErrorNotSupported;
    if (helper->Receive(ready)) {
        WireReader in(ready);
        if (!in.U32(error) || !in.Complete()) {
            error = kErrorUnexpectedNetwork;
        }
    }
    if (error == kErrorSuccess) {
        return helper;
    }
    (void)helper->HowEnded();
    return nullptr;
}

std::wstring SmbHelperLauncher::HowEnded(pid_t helper) {
    std::lock_guard lock(lock_);
    std::string reply;
    if (!Ask(WireWriter()
                 .U8(static_cast<std::uint8_t>(SmbRequest::kReap))
                 .U32(static_cast<std::uint32_t>(helper))
                 .Body(),
             reply)) {
        return L"ended";
    }
    WireReader in(reply);
    std::uint8_t known = 0;
    std::uint32_t status = 0;
    if (!in.U8(known) || known == 0 || !in.U32(status) || !in.Complete()) {
        return L"ended";
    }
    return HowItEnded(static_cast<int>(status));
}

} // namespace vk
