#include "framework/Module.h"

#include "framework/Window.h"

namespace vk::ui {

std::wstring LoadText(UINT id) {
    const wchar_t* text = nullptr;
    // With no buffer the system points at the string in the resource itself.
    const int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // cut short: a longer buffer
    }
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

} // namespace vk::ui
