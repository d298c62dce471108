#include "platform/SystemMessages.h"

#include "platform/NetworkServices.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(SystemMessages, EveryTextIsOneLineAndNeverEmpty) {
    const ErrorCode codes[] = {kErrorSuccess,          kErrorFileNotFound, kErrorPathNotFound, kErrorAccessDenied,
                               kErrorSharingViolation, kErrorBadNetPath,   kErrorBadNetName,   kErrorInvalidName,
                               kErrorFilenameTooLong,  kErrorMoreData,     kErrorNoMoreItems,  kErrorNotContainer,
                               kErrorNoNetwork,        0x20001234,         0xFFFFFFFF};
    for (const ErrorCode code : codes) {
        const std::wstring text = SystemErrorText(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_NE(text.back(), L'\n') << code;
        EXPECT_NE(text.back(), L'\r') << code;
        EXPECT_NE(text.back(), L' ') << code;
    }
}

TEST(SystemMessages, AnUnknownCodeGetsItsNumber) {
    // The customer bit: no system message has it.
    EXPECT_EQ(SystemErrorText(0x20001234), L"Error 536875572.");
}

TEST(SystemMessages, KnownCodesAreNotTheGenericText) {
    for (const ErrorCode code : {kErrorAccessDenied, kErrorBadNetPath, kErrorNoNetwork}) {
        EXPECT_NE(SystemErrorText(code), L"Error " + std::to_wstring(code) + L".") << code;
    }
}

} // namespace
} // namespace vk
