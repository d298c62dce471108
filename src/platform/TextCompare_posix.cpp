#include "platform/TextCompare.h"

namespace vk {

int CompareTextLocale(std::wstring_view a, std::wstring_view b) {
    // Code unit by code unit, as wcscmp orders terminated strings.
    return a.compare(b);
}

} // namespace vk
