// The folder network's faults file: any text is read without harm; every line it does not take
// is reported once at most, by its number, and no delay beyond the bound is taken.

#include "FuzzInput.h"
#include "platform/FolderNetwork.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cwchar>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::wstring text =
        vk::fuzz::WideText(input, 4000, L"\n\r\t #\\denylockunreachableprinteripcdevicenobrowsedelay2msu0s;SERVER");
    std::vector<std::wstring> errors;
    const vk::NetworkFaults faults = vk::ParseNetworkFaults(text, errors);
    VK_FUZZ_CHECK(faults.callDelay >= std::chrono::microseconds{0} && faults.callDelay <= vk::kMaxCallDelay);
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\n')) + 1;
    VK_FUZZ_CHECK(errors.size() <= lines);
    std::size_t previous = 0;
    for (const std::wstring& error : errors) {
        VK_FUZZ_CHECK(error.rfind(L"line ", 0) == 0);
        const std::size_t number = std::wcstoul(error.c_str() + 5, nullptr, 10);
        VK_FUZZ_CHECK(number > previous && number <= lines);
        previous = number;
    }
    for (const auto& [share, type] : faults.shareTypes) {
        VK_FUZZ_CHECK(share.rfind(L"\\\\", 0) == 0);
    }
    return 0;
}
