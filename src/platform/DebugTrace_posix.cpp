#include "platform/DebugTrace.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vk {

void DebugTrace(std::wstring_view text) {
    static const bool enabled = std::getenv("VARNOKLE_DEBUG") != nullptr;
    if (enabled) {
        const std::string line = "Varnokle: " + Utf8FromWide(std::wstring(text)) + "\n";
        std::fputs(line.c_str(), stderr);
    }
}

} // namespace vk
