#pragma once
// The rules of the notification-area icon that need no window: its tooltip and its option word.

#include <cstddef>
#include <string>
#include <string_view>

namespace vk {

// The tooltip field of the notification record: 63 characters and a terminating zero.
constexpr std::size_t kTrayTipLength = 63;

// Option word bit 0: the window is hidden (only the icon is left) when it is minimized.
constexpr unsigned kTrayHideWhenMinimized = 1;

// The option word for the "MinimizeToTray" setting; no other bit is ever set.
[[nodiscard]] constexpr unsigned TrayOptions(bool minimizeToTray) {
    return minimizeToTray ? kTrayHideWhenMinimized : 0u;
}

// The tooltip an icon shows: a given text of up to 63 characters whole, a longer one cut to its
// first 62 characters; without a given text the window's title, at most 62 characters.
[[nodiscard]] std::wstring TrayTooltip(std::wstring_view given, std::wstring_view windowTitle);

} // namespace vk
