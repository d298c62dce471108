#pragma once
// Text comparison as the user expects to see names ordered: the system's locale-aware,
// case-sensitive comparison on Windows (StrCmpW); elsewhere a plain comparison of the code units.

#include <string>
#include <string_view>

namespace vk {

// Negative, zero or positive as a sorts before, with or after b.
[[nodiscard]] int CompareTextLocale(std::wstring_view a, std::wstring_view b);

// Sort keys of texts, in the locale of the thread that made this object (so that other threads
// can make keys for it): keys compared byte by byte as unsigned values (a key that begins another
// sorts first) order their texts as CompareTextLocale on that thread does, and texts it finds
// equal have equal keys. Making a key once per text and comparing bytes is far cheaper than
// comparing the texts again and again while sorting many of them.
class TextSortKeys {
public:
    TextSortKeys();
    // Appends the key of text to out. False, with out as it was, when no key could be made.
    [[nodiscard]] bool Append(std::wstring_view text, std::string& out) const;

private:
    [[maybe_unused]] unsigned long locale_ = 0; // the locale (LCID) on Windows; unused elsewhere
};

} // namespace vk
