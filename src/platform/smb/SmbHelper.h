#pragma once
// One helper process of the SMB client, seen from the program (SmbHelperPool.h): the socket its
// requests go over, and the launcher that made it, which knows how it ended.

#include "platform/ErrorCodes.h"

#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace vk {

class SmbHelperLauncher;

class SmbHelper {
public:
    SmbHelper(std::shared_ptr<SmbHelperLauncher> launcher, pid_t pid, int socket)
        : launcher_(std::move(launcher)), pid_(pid), socket_(socket) {}
    // Closes the socket, which ends the helper when it has no request.
    ~SmbHelper();
    SmbHelper(const SmbHelper&) = delete;
    SmbHelper& operator=(const SmbHelper&) = delete;

    // Sends a request and receives its reply. False when the helper has gone (or answers what is
    // not a message); its socket is then closed.
    [[nodiscard]] bool Call(std::string_view request, std::string& reply);
    // The same, the reply received into buffer (capacity bytes at most); size: its length.
    [[nodiscard]] bool Call(std::string_view request, char* buffer, std::size_t capacity, std::size_t& size);
    // Receives a message the helper sends unasked (the first: whether it made its context).
    [[nodiscard]] bool Receive(std::string& message);
    // False when the helper has ended (or sent something unasked) while it had no request; its
    // socket is then closed.
    [[nodiscard]] bool Waiting();
    // Closes the program's end of the socket: a helper with no request ends.
    void CloseSocket();
    // How it ended ("killed by signal 9 (Killed)", "ended with exit status 1"), once its socket
    // is closed: waits for it to end.
    [[nodiscard]] std::wstring HowEnded();

private:
    std::shared_ptr<SmbHelperLauncher> launcher_; // destroyed last: it waits for its helpers
    pid_t pid_;
    int socket_;
};

} // namespace vk
