#include "forms/FormHost.h"

namespace vk {

FormSize theFormSize;

} // namespace vk
