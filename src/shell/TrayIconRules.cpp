#include "shell/TrayIconRules.h"

namespace vk {

std::wstring TrayTooltip(std::wstring_view given, std::wstring_view windowTitle) {
    constexpr std::size_t kCutLength = kTrayTipLength - 1;
    if (given.empty()) {
        return std::wstring(windowTitle.substr(0, kCutLength));
    }
    return std::wstring(given.size() <= kTrayTipLength ? given : given.substr(0, kCutLength));
}

} // namespace vk
