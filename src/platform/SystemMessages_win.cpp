#include "platform/SystemMessages.h"

#include <windows.h>

#include <memory>

namespace vk {
namespace {

struct LocalDeleter {
    void operator()(wchar_t* text) const { LocalFree(text); }
};

// The system's text in the given language, or an empty string.
std::wstring FormatSystemMessage(ErrorCode code, DWORD language) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalDeleter> owner(buffer);
    if (length == 0 || buffer == nullptr) {
        return {};
    }
    return std::wstring(buffer, length);
}

} // namespace

std::wstring SystemErrorText(ErrorCode code) {
    std::wstring text = FormatSystemMessage(code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
    if (text.empty()) {
        // Not in the user's language: the system's own search order ends with English.
        text = FormatSystemMessage(code, 0);
    }
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return L"Error " + std::to_wstring(code) + L".";
    }
    return text;
}

} // namespace vk
