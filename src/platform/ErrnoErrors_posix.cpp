#include "platform/ErrnoErrors.h"

#include <cerrno>

namespace vk {

ErrorCode ErrorFromErrno(int code, ErrorCode otherwise) {
    switch (code) {
    case ENOENT:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
        return kErrorAccessDenied;
    case ENOTDIR:
        return kErrorDirectory;
    case ENAMETOOLONG:
        return kErrorFilenameTooLong;
    case ENOMEM:
    case EMFILE:
    case ENFILE:
        return kErrorNotEnoughMemory;
    case EWOULDBLOCK:
        return kErrorSharingViolation;
    default:
        return otherwise;
    }
}

} // namespace vk
