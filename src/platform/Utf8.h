#pragma once
// Conversions between UTF-8 and wide strings (UTF-16 on Windows, UTF-32 elsewhere).
// Invalid input becomes U+FFFD; nothing throws.

#include <string>
#include <string_view>

namespace vk {

[[nodiscard]] std::wstring WideFromUtf8(std::string_view text);
[[nodiscard]] std::string Utf8FromWide(std::wstring_view text);

} // namespace vk
