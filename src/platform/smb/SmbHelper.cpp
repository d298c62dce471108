#include "platform/smb/SmbHelper.h"

#include "platform/smb/SmbHelperLauncher.h"
#include "platform/smb/SmbWire.h"

#include <poll.h>
#include <unistd.h>

namespace vk {

SmbHelper::~SmbHelper() {
    CloseSocket();
}

bool SmbHelper::Call(std::string_view request, std::string& reply) {
    if (socket_ >= 0 && SendSmbMessage(socket_, request) && ReceiveSmbMessage(socket_, reply)) {
        return true;
    }
    CloseSocket();
    return false;
}

bool SmbHelper::Call(std::string_view request, char* buffer, std::size_t capacity, std::size_t& size) {
    if (socket_ >= 0 && SendSmbMessage(socket_, request) && ReceiveSmbMessage(socket_, buffer, capacity, size)) {
        return true;
    }
    CloseSocket();
    return false;
}

bool SmbHelper::Receive(std::string& message) {
    if (socket_ >= 0 && ReceiveSmbMessage(socket_, message)) {
        return true;
    }
    CloseSocket();
    return false;
}

bool SmbHelper::Waiting() {
    if (socket_ < 0) {
        return false;
    }
    pollfd socket{socket_, POLLIN, 0};
    if (poll(&socket, 1, 0) == 0) {
        return true;
    }
    CloseSocket();
    return false;
}

void SmbHelper::CloseSocket() {
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
}

std::wstring SmbHelper::HowEnded() {
    CloseSocket();
    return launcher_->HowEnded(pid_);
}

} // namespace vk
