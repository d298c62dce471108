#include "platform/TextCompare.h"

#include <climits>

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

TextSortKeys::TextSortKeys() : locale_(GetThreadLocale()) {}

bool TextSortKeys::Append(std::wstring_view text, std::string& out) const {
    if (text.empty()) {
        // The system takes no empty text; nothing sorts before it.
        return true;
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX / 8)) {
        return false;
    }
    // The same locale and flags as CompareTextLocale: the documented equivalence of sort keys
    // and the comparison holds for the same locale and flags only. Most keys fit in a few bytes
    // a character; a longer one is measured first.
    const auto length = static_cast<int>(text.size());
    const std::size_t start = out.size();
    int bytes = length * 4 + 16;
    out.resize(start + static_cast<std::size_t>(bytes));
    int made =
        LCMapStringW(locale_, LCMAP_SORTKEY, text.data(), length, reinterpret_cast<LPWSTR>(out.data() + start), bytes);
    if (made == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        bytes = LCMapStringW(locale_, LCMAP_SORTKEY, text.data(), length, nullptr, 0);
        if (bytes > 0) {
            out.resize(start + static_cast<std::size_t>(bytes));
            made = LCMapStringW(locale_, LCMAP_SORTKEY, text.data(), length,
                                reinterpret_cast<LPWSTR>(out.data() + start), bytes);
        }
    }
    if (made <= 0) {
        out.resize(start);
        return false;
    }
    // The key ends with a zero byte, which no key needs for comparing.
    out.resize(start + static_cast<std::size_t>(made));
    if (out.back() == '\0') {
        out.pop_back();
    }
    return true;
}

} // namespace vk
