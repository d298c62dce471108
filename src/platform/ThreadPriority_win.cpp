#include "platform/ThreadPriority.h"

#include <windows.h>

namespace vk {

void RankBehindTheWindow() {
    // A thread left at its rank still does its work, only less promptly than it might: nothing to
    // report when the system refuses.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace vk
