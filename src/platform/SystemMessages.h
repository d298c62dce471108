#pragma once
// The system's own words for an error code: FormatMessageW on Windows, our own table of the
// errors the folder network can give elsewhere.

#include "platform/ErrorCodes.h"

#include <string>

namespace vk {

// The message text for code, without a trailing line break. Never empty: an unknown code gets a
// generic text with its number.
[[nodiscard]] std::wstring SystemErrorText(ErrorCode code);

} // namespace vk
