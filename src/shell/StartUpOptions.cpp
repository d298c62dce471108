#include "shell/StartUpOptions.h"

#include <algorithm>
#include <cwctype>

namespace vk {
namespace {

// A switch word after its "/" or "-", compared without regard to case.
bool IsSwitch(const std::wstring& arg, const wchar_t* name) {
    if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) {
        return false;
    }
    const std::wstring word = arg.substr(1);
    const std::wstring wanted = name;
    return word.size() == wanted.size() &&
           std::equal(word.begin(), word.end(), wanted.begin(), [](wchar_t a, wchar_t b) {
               return std::towlower(static_cast<std::wint_t>(a)) == std::towlower(static_cast<std::wint_t>(b));
           });
}

} // namespace

StartUpOptions ParseStartUpOptions(const std::vector<std::wstring>& args) {
    StartUpOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (IsSwitch(arg, L"Embedding") || IsSwitch(arg, L"Automation")) {
            options.embeddingOrAutomation = true;
        } else if (arg == L"--network") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                options.error = L"--network needs the folder that stands in for the network.";
                return options;
            }
            options.network = args[++i];
        } else if (arg.rfind(L"--network=", 0) == 0) {
            options.network = arg.substr(10);
            if (options.network->empty()) {
                options.error = L"--network needs the folder that stands in for the network.";
                return options;
            }
        }
    }
    return options;
}

std::optional<std::wstring> ChosenNetwork(const StartUpOptions& options, const std::wstring& environmentValue) {
    if (options.network) {
        return options.network;
    }
    if (!environmentValue.empty()) {
        return environmentValue;
    }
    return std::nullopt;
}

} // namespace vk
