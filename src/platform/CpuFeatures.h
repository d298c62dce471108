#pragma once
// What the processor offers beyond the baseline of x86-64 (SSE2), for the loops that pass over
// file text. Code for AVX2 is compiled for it alone (VK_TARGET_AVX2, with GCC and Clang) and run
// only where CpuHasAvx2() says so; other compilers and processors take the baseline code.

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#include <immintrin.h>
#define VK_HAVE_AVX2_TARGET 1
#define VK_TARGET_AVX2 __attribute__((target("avx2")))
#endif

namespace vk {

// True when the processor and the system run AVX2 code (and it is allowed).
[[nodiscard]] bool CpuHasAvx2();

// Allows AVX2 code where the processor has it (the default), or not: tests run the baseline code
// on a processor with AVX2 so.
void AllowAvx2(bool allow);

} // namespace vk
