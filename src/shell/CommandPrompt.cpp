#include "shell/CommandPrompt.h"

namespace vk {

std::wstring PromptOf(std::wstring_view commandString) {
    return std::wstring(commandString.substr(0, commandString.find(L'\n')));
}

std::wstring TooltipOf(std::wstring_view commandString) {
    const auto lineBreak = commandString.find(L'\n');
    return lineBreak == std::wstring_view::npos ? std::wstring() : std::wstring(commandString.substr(lineBreak + 1));
}

} // namespace vk
