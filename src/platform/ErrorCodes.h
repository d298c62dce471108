#pragma once
// System error codes as Windows numbers them. The POSIX platform layer and the folder-backed
// network report their failures with the same numbers, so that the engine and the messages
// shown to the user do not depend on the platform.

#include <cstdint>

namespace vk {

using ErrorCode = std::uint32_t;

constexpr ErrorCode kErrorSuccess = 0;
constexpr ErrorCode kErrorFileNotFound = 2;
constexpr ErrorCode kErrorPathNotFound = 3;
constexpr ErrorCode kErrorAccessDenied = 5;
constexpr ErrorCode kErrorNotEnoughMemory = 8;
constexpr ErrorCode kErrorSharingViolation = 32;
constexpr ErrorCode kErrorNotSupported = 50;
constexpr ErrorCode kErrorBadNetPath = 53;
constexpr ErrorCode kErrorUnexpectedNetwork = 59;
constexpr ErrorCode kErrorBadNetName = 67;
constexpr ErrorCode kErrorInvalidParameter = 87;
constexpr ErrorCode kErrorInvalidName = 123;
constexpr ErrorCode kErrorFilenameTooLong = 206;
constexpr ErrorCode kErrorMoreData = 234;
constexpr ErrorCode kErrorNoMoreItems = 259;
constexpr ErrorCode kErrorDirectory = 267;
constexpr ErrorCode kErrorNoNetwork = 1222;
constexpr ErrorCode kErrorNoBrowserServersFound = 6118;

} // namespace vk
