#include "platform/TextCompare.h"

#include <windows.h>

namespace vk {

int CompareTextLocale(std::wstring_view a, std::wstring_view b) {
    // What StrCmpW does (the thread's locale, no flags), with lengths instead of terminators so
    // that the views need not be copied.
    const int result = CompareStringW(GetThreadLocale(), 0, a.data(), static_cast<int>(a.size()), b.data(),
                                      static_cast<int>(b.size()));
    if (result == 0) {
        // Not comparable by the locale (invalid arguments): fall back to the code units.
        return a.compare(b);
    }
    return result - CSTR_EQUAL;
}

} // namespace vk
