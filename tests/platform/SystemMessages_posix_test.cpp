#include "platform/SystemMessages.h"

#include "platform/NetworkServices.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(SystemMessagesPosix, UsesWindowsEnglishWording) {
    struct Case {
        ErrorCode code;
        const wchar_t* text;
    };
    const Case cases[] = {
        {kErrorSuccess, L"The operation completed successfully."},
        {kErrorFileNotFound, L"The system cannot find the file specified."},
        {kErrorPathNotFound, L"The system cannot find the path specified."},
        {kErrorAccessDenied, L"Access is denied."},
        {kErrorNotEnoughMemory, L"Not enough memory resources are available to process this command."},
        {kErrorSharingViolation, L"The process cannot access the file because it is being used by another process."},
        {kErrorNotSupported, L"The request is not supported."},
        {kErrorBadNetPath, L"The network path was not found."},
        {kErrorBadNetName, L"The network name cannot be found."},
        {kErrorInvalidParameter, L"The parameter is incorrect."},
        {kErrorInvalidName, L"The filename, directory name, or volume label syntax is incorrect."},
        {kErrorFilenameTooLong, L"The filename or extension is too long."},
        {kErrorMoreData, L"More data is available."},
        {kErrorNoMoreItems, L"No more data is available."},
        {kErrorDirectory, L"The directory name is invalid."},
        {kErrorNotContainer, L"Cannot enumerate a noncontainer."},
        {kErrorNoNetwork, L"The network is not present or not started."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemErrorText(c.code), c.text) << c.code;
    }
    EXPECT_EQ(SystemErrorText(1), L"Error 1.");
    EXPECT_EQ(SystemErrorText(0xFFFFFFFF), L"Error 4294967295.");
}

} // namespace
} // namespace vk
