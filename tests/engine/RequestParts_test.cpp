// The small pieces of a request: mask splitting and the kilobyte bound.

#include "engine/MaskPieces.h"
#include "engine/SearchRequest.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using Pieces = std::vector<std::wstring>;

TEST(SplitFileMask, PiecesStandInOrderAndRunsOfSeparatorsCountAsOne) {
    EXPECT_EQ(SplitFileMask(L"*.txt"), (Pieces{L"*.txt"}));
    EXPECT_EQ(SplitFileMask(L"*.txt; *.doc,,*.xls"), (Pieces{L"*.txt", L"*.doc", L"*.xls"}));
    EXPECT_EQ(SplitFileMask(L" ;a,b; "), (Pieces{L"a", L"b"}));
    EXPECT_EQ(SplitFileMask(L""), (Pieces{}));
    EXPECT_EQ(SplitFileMask(L";;;"), (Pieces{}));
}

TEST(SizeLimitFromKilobyteText, ReadsTheLeadingDecimalNumberTimes1024) {
    const std::pair<const wchar_t*, std::uint32_t> cases[] = {
        {L"12", 12288u},
        {L"12kb", 12288u},
        {L"  7 ", 7168u},
        {L"+3", 3072u},
        {L"kb", 0u},
        {L"", 0u},
        {L"4194304", 0u},     // 4 GiB wraps to 0
        {L"4194305", 1024u},  // modulo 2^32
        {L"-1", 4294966272u}, // a negative number wraps too
        {L"99999999999999999999", 1073740800u},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(SizeLimitFromKilobyteText(text), bytes) << std::wstring(text).size();
    }
}

} // namespace
} // namespace vk
