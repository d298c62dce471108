#pragma once
// The program's error codes for the errno values of POSIX calls (and of libraries that report
// through errno, such as the SMB client library).

#include "platform/ErrorCodes.h"

namespace vk {

// The code for a file-system errno value (ENOENT as a path not found, EACCES, ENOTDIR, ...);
// otherwise for a value it does not know.
[[nodiscard]] ErrorCode ErrorFromErrno(int code, ErrorCode otherwise);

} // namespace vk
