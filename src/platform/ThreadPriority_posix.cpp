#include "platform/ThreadPriority.h"

namespace vk {

void RankBehindTheWindow() {}

} // namespace vk
