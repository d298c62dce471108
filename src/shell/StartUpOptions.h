#pragma once
// What the window program's command line and the system it runs on decide at start-up: whether
// the system is one the program runs on, whether the start-up screens are shown, and which folder
// stands in for the network.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vk {

// The refusal shown on a system outside the NT family.
constexpr const wchar_t* kTextNotNtFamily = L"This programm working only in Windows NT/2000/XP";

// Whether a system version (GetVersion's value) names a system outside the NT family: the
// platform bit (the top bit) set and a major version of 4 or higher.
[[nodiscard]] constexpr bool IsOutsideNtFamily(std::uint32_t version) {
    return (version & 0x80000000u) != 0 && (version & 0xFFu) >= 4;
}

struct StartUpOptions {
    // Started for embedding or automation (/Embedding, /Automation, also with "-", in any case):
    // no start-up screens.
    bool embeddingOrAutomation = false;
    // --network DIR: the folder network to search; it goes before VARNOKLE_NETWORK.
    std::optional<std::wstring> network;
    // What was wrong with the command line; empty when nothing was. The program then says so
    // and ends.
    std::wstring error;
};

// Reads the arguments after the program's name. Anything else on the line is left alone.
[[nodiscard]] StartUpOptions ParseStartUpOptions(const std::vector<std::wstring>& args);

// The folder network to use: the command line's, else the environment's (VARNOKLE_NETWORK, given
// as its value or empty when unset); nothing: the system's network.
[[nodiscard]] std::optional<std::wstring> ChosenNetwork(const StartUpOptions& options,
                                                        const std::wstring& environmentValue);

} // namespace vk
