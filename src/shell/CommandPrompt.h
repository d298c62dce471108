#pragma once
// A command's string: the prompt that the status bar shows while the command's menu item or
// button is hot, then, after a line break, the tooltip of its toolbar button.

#include <string>
#include <string_view>

namespace vk {

// The text before the line break (all of it when there is none).
[[nodiscard]] std::wstring PromptOf(std::wstring_view commandString);
// The text after the line break (nothing when there is none).
[[nodiscard]] std::wstring TooltipOf(std::wstring_view commandString);

} // namespace vk
