// vkfind-smb-helper: makes the SMB client library's calls for vkfind --smb, which starts it with
// its end of a socket as descriptor 3 (SmbHelperPool.h). Not a program to run by hand.

#include "platform/smb/SmbWire.h"
#include "platform/smb/helper/SmbHelperForks.h"

#include <csignal>
#include <cstdio>
#include <sys/stat.h>

#ifdef __SANITIZE_ADDRESS__
// The library's own leak is known: each new context replaces its log file name without freeing the
// one before (smbc_new_context -> reopen_logs -> debug_set_logfile). Full stacks tell it by that,
// and the count of suppressed leaks is not printed: the helper's standard error is vkfind's.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0:print_suppressions=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:debug_set_logfile\n";
}
#endif
#ifdef __SANITIZE_THREAD__
// Each helper makes its calls on one thread: there is nothing to race, and checking every byte the
// socket calls move would make file reads crawl.
extern "C" const char* __tsan_default_options() {
    return "ignore_interceptors_accesses=1";
}
#endif

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
