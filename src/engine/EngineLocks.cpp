#include "engine/EngineLocks.h"

namespace vk {

std::recursive_mutex hitLock;
std::recursive_mutex countLock;
std::recursive_mutex listLock;

} // namespace vk
