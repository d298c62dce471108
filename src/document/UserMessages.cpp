#include "document/UserMessages.h"

#include "framework/Win32.h"

#include <string>

namespace vk {

void MessageBoxMessages::ShowMessage(std::wstring_view text, std::wstring_view caption) {
    MessageBoxW(nullptr, std::wstring(text).c_str(), std::wstring(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace vk
