#include "platform/DebugTrace.h"

#include <windows.h>

#include <string>

namespace vk {

void DebugTrace(std::wstring_view text) {
    const std::wstring line = L"Varnokle: " + std::wstring(text) + L"\n";
    OutputDebugStringW(line.c_str());
}

} // namespace vk
