#include "results/FileErrorText.h"

namespace vk {
namespace {

// Windows error numbers beyond the ones the platform layer names.
constexpr ErrorCode kErrorTooManyOpenFiles = 4;
constexpr ErrorCode kErrorInvalidHandle = 6;
constexpr ErrorCode kErrorCurrentDirectory = 16;
constexpr ErrorCode kErrorWriteProtect = 19;
constexpr ErrorCode kErrorNotReady = 21;
constexpr ErrorCode kErrorWriteFault = 29;
constexpr ErrorCode kErrorReadFault = 30;
constexpr ErrorCode kErrorGenFailure = 31;
constexpr ErrorCode kErrorLockViolation = 33;
constexpr ErrorCode kErrorHandleEof = 38;
constexpr ErrorCode kErrorHandleDiskFull = 39;
constexpr ErrorCode kErrorDiskFull = 112;
constexpr ErrorCode kErrorBadPathname = 161;
constexpr ErrorCode kErrorDirNotEmpty = 145;

constexpr std::wstring_view kDiskFull = L"Disk full while accessing %1.";

const wchar_t* TemplateFor(ErrorCode error) {
    switch (error) {
    case kErrorFileNotFound:
        return L"%1 was not found.";
    case kErrorPathNotFound:
    case kErrorInvalidName:
    case kErrorBadPathname:
    case kErrorFilenameTooLong:
    case kErrorBadNetPath:
    case kErrorBadNetName:
    case kErrorDirectory:
        return L"%1 contains an invalid path.";
    case kErrorTooManyOpenFiles:
        return L"%1 could not be opened because there are too many open files.";
    case kErrorAccessDenied:
    case kErrorWriteProtect:
        return L"Access to %1 was denied.";
    case kErrorInvalidHandle:
        return L"An invalid file handle was associated with %1.";
    case kErrorCurrentDirectory:
    case kErrorDirNotEmpty:
        return L"%1 could not be removed because it is the current directory.";
    case kErrorNotReady:
    case kErrorWriteFault:
    case kErrorReadFault:
    case kErrorGenFailure:
        return L"A hardware I/O error was reported while accessing %1.";
    case kErrorSharingViolation:
        return L"A sharing violation occurred while accessing %1.";
    case kErrorLockViolation:
        return L"A locking violation occurred while accessing %1.";
    case kErrorHandleDiskFull:
    case kErrorDiskFull:
        return kDiskFull.data();
    case kErrorHandleEof:
        return L"An attempt was made to access %1 past its end.";
    default:
        return L"An unexpected file error occurred while accessing %1.";
    }
}

std::wstring WithFileName(std::wstring_view text, std::wstring_view fileName) {
    std::wstring result(text);
    const auto at = result.find(L"%1");
    if (at != std::wstring::npos) {
        result.replace(at, 2, fileName);
    }
    return result;
}

} // namespace

std::wstring FileErrorText(ErrorCode error, std::wstring_view fileName) {
    return WithFileName(TemplateFor(error), fileName);
}

std::wstring FileCloseErrorText(std::wstring_view fileName) {
    return WithFileName(kDiskFull, fileName);
}

} // namespace vk
