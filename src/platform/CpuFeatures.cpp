#include "platform/CpuFeatures.h"

#include <atomic>

namespace vk {

namespace {

std::atomic<bool> avx2Allowed{true};

bool DetectAvx2() {
#ifdef VK_HAVE_AVX2_TARGET
    // The compiler's own test also asks the system whether it saves the AVX registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
}

} // namespace

bool CpuHasAvx2() {
    static const bool detected = DetectAvx2();
    return detected && avx2Allowed.load(std::memory_order_relaxed);
}

void AllowAvx2(bool allow) {
    avx2Allowed = allow;
}

} // namespace vk
