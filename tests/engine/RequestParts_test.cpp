// The small pieces of a request: mask splitting and the kilobyte bound.

#include "engine/MaskPieces.h"
#include "engine/SearchRequest.h"
#include "engine/WalkFilters.h"

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

// One reader for both front ends: the forms take the bytes of whatever they are given, the
// console tool only a whole number. A bound never wraps round.
TEST(ReadKilobyteBound, ReadsTheLeadingNumberTimes1024AndSaysWhetherItIsAWholeNumber) {
    struct Case {
        const wchar_t* text;
        std::uint64_t bytes;
        bool wholeNumber;
    };
    const Case cases[] = {
        {L"12", 12288u, true},
        {L"  7 ", 7168u, true},
        {L"+3", 3072u, true},
        {L"4194304", std::uint64_t{1} << 32, true},        // 4 GiB
        {L"8796093022208", std::uint64_t{1} << 53, true},  // 2^53 bytes
        {L"18014398509481983", 0xFFFFFFFFFFFFFC00u, true}, // the largest that fits
        {L"18014398509481984", kLargestSizeLimit, true},   // beyond: the largest bound
        {L"99999999999999999999999", kLargestSizeLimit, true},
        {L"12kb", 12288u, false},
        {L"1.5", 1024u, false},
        {L"-5", 0u, false},
        {L"-0", 0u, false},
        {L"kb", 0u, false},
        {L"", 0u, false},
        {L" ", 0u, false},
    };
    for (const Case& c : cases) {
        const KilobyteBound bound = ReadKilobyteBound(c.text);
        EXPECT_EQ(bound.bytes, c.bytes) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(bound.wholeNumber, c.wholeNumber) << testing::PrintToString(std::wstring(c.text));
    }
}

// The size, time and content filters need each hit's size and time; the name, kind and depth
// filters leave it to what the caller shows.
TEST(HitListingDetail, FiltersOfSizeTimeAndContentNeedSizesAndTimes) {
    const auto detail = [](void (*fill)(SearchRequest&)) {
        SearchRequest request;
        fill(request);
        return HitListingDetail(request, ListingDetail::kNamesOnly);
    };
    constexpr auto kSizes = ListingDetail::kNamesAndSizes;
    constexpr auto kNames = ListingDetail::kNamesOnly;
    EXPECT_EQ(detail([](SearchRequest&) {}), kNames);
    EXPECT_EQ(detail([](SearchRequest& r) { r.sizeFilterOn = true; }), kSizes);
    EXPECT_EQ(detail([](SearchRequest& r) { r.textFilterOn = true; }), kSizes);
    EXPECT_EQ(detail([](SearchRequest& r) { r.modifiedAfter = 1; }), kSizes);
    EXPECT_EQ(detail([](SearchRequest& r) { r.modifiedBefore = 1; }), kSizes);
    EXPECT_EQ(detail([](SearchRequest& r) {
                  r.excludeMask = L"*.bak";
                  r.maxDepth = 1;
                  r.kind = SearchRequest::Kind::kFiles;
              }),
              kNames);
    EXPECT_EQ(HitListingDetail(SearchRequest{}, kSizes), kSizes);
}

} // namespace
} // namespace vk
