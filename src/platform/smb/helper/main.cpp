// vkfind-smb-helper: makes the SMB client library's calls for vkfind --smb, which starts it with
// its end of a socket as descriptor 3 (SmbHelperPool.h). Not a program to run by hand.

#include "platform/smb/SmbWire.h"
#include "platform/smb/helper/SmbHelperForks.h"

#include <csignal>
#include <cstdio>
#include <sys/stat.h>

int main() {
    // A program that has gone makes sending fail, which ends the helper; no death by signal.
    std::signal(SIGPIPE, SIG_IGN);
    struct stat socket {};
    if (fstat(vk::kSmbHelperSocket, &socket) != 0 || !S_ISSOCK(socket.st_mode)) {
        std::fputs("vkfind-smb-helper: vkfind --smb starts this program for itself\n", stderr);
        return 2;
    }
    try {
        return vk::ServeHelperForks(vk::kSmbHelperSocket);
    } catch (...) {
        return 1; // out of memory: the program sees the helpers end and starts others
    }
}
