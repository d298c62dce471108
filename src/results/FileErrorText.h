#pragma once
// What the program says when a file it writes cannot be created or written: the system's error
// put in the words of the file's kind of failure, with the file's name in place of %1
// ("Access to C:\out.html was denied.").

#include "platform/ErrorCodes.h"

#include <string>
#include <string_view>

namespace vk {

// The message for a file that could not be created or written, naming it.
[[nodiscard]] std::wstring FileErrorText(ErrorCode error, std::wstring_view fileName);

// The message for a failure at the end, when the file is closed after writing.
[[nodiscard]] std::wstring FileCloseErrorText(std::wstring_view fileName);

} // namespace vk
