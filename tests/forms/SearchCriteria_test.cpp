// What Start puts into the request from each form, which masks join the histories, and the
// lenient reading of numbers.

#include "forms/LenientNumber.h"
#include "forms/MaskHistory.h"
#include "forms/SearchCriteria.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk {
namespace {

using Entries = std::vector<std::wstring>;

TEST(MaskHistory, AMaskJoinsUnlessEmptyOrSomeEntryBeginsWithItIgnoringCase) {
    const Entries history{L"*.MP3", L"*.avi", L"Bericht \x00C4nderung.doc"};
    EXPECT_FALSE(BelongsInHistory(history, L"*.mp"));
    EXPECT_FALSE(BelongsInHistory(history, L"*.mp3"));
    EXPECT_FALSE(BelongsInHistory(history, L"*.AVI"));
    EXPECT_FALSE(BelongsInHistory(history, L"bericht \x00E4"));
    EXPECT_FALSE(BelongsInHistory(history, L""));
    EXPECT_TRUE(BelongsInHistory(history, L"*.mp3 "));
    EXPECT_TRUE(BelongsInHistory(history, L"*.avi;*.mkv"));
    EXPECT_TRUE(BelongsInHistory(history, L"mp3"));
    EXPECT_TRUE(BelongsInHistory({}, L"x"));
}

TEST(SimpleRequest, AnEmptyMaskStartsNothingAndJoinsNoHistory) {
    SearchRequest request;
    request.sizeFilterOn = true;
    request.textFilterOn = true;
    const StartPlan plan = FillSimpleRequest(L"", {L"*.txt"}, request);
    EXPECT_FALSE(plan.start);
    EXPECT_FALSE(plan.fileMaskToHistory);
    EXPECT_TRUE(request.fileMask.empty());
}

TEST(SimpleRequest, ASimpleSearchAfterAnAdvancedOneUsesTheFileMaskAlone) {
    SearchRequest request;
    AdvancedFormInput advanced;
    advanced.shareMask = L"music";
    advanced.fileMask = L"*.mp3";
    advanced.containingText = L"chorus";
    advanced.sizeMode = L"at most";
    advanced.sizeKilobytes = L"100";
    ASSERT_TRUE(FillAdvancedRequest(advanced, {}, {}, request).start);
    ASSERT_TRUE(request.sizeFilterOn && request.textFilterOn);

    const StartPlan plan = FillSimpleRequest(L"*.avi", {L"*.mp3"}, request);
    EXPECT_TRUE(plan.start);
    EXPECT_TRUE(plan.fileMaskToHistory);
    EXPECT_EQ(request.fileMask, L"*.avi");
    EXPECT_EQ(request.shareMask, L"");
    EXPECT_FALSE(request.sizeFilterOn);
    EXPECT_FALSE(request.textFilterOn);

    EXPECT_FALSE(FillSimpleRequest(L"*.mp", {L"*.MP3"}, request).fileMaskToHistory);
    // A long mask is taken whole.
    const std::wstring longMask(5000, L'a');
    EXPECT_TRUE(FillSimpleRequest(longMask, {}, request).start);
    EXPECT_EQ(request.fileMask, longMask);
}

// The advanced form as it comes up: all boxes checked, both masks empty, at least 0 kb.
AdvancedFormInput Defaults() {
    AdvancedFormInput input;
    input.sizeMode = L"at least";
    input.sizeKilobytes = L"0";
    return input;
}

TEST(AdvancedRequest, TheDefaultsSearchEverythingOfAtLeastZeroBytes) {
    SearchRequest request;
    request.sizeLimit = 77;
    const StartPlan plan = FillAdvancedRequest(Defaults(), {}, {}, request);
    EXPECT_TRUE(plan.start);
    EXPECT_FALSE(plan.fileMaskToHistory) << "the star is not a history entry";
    EXPECT_FALSE(plan.shareMaskToHistory);
    EXPECT_EQ(request.fileMask, L"*");
    EXPECT_EQ(request.shareMask, L"");
    EXPECT_TRUE(request.sizeFilterOn);
    EXPECT_FALSE(request.sizeAtMost);
    EXPECT_EQ(request.sizeLimit, 0u);
    EXPECT_FALSE(request.textFilterOn);
}

// The filter group fills the request as vkfind's options do; a filter alone searches with "*".
TEST(AdvancedRequest, TheFilterGroupFillsTheWalkFilters) {
    using Modified = AdvancedFormInput::Modified;
    const LocalDateTime first{2026, 12, 1, 0, 0, 0};
    const LocalDateTime second{2026, 12, 9, 13, 5, 0};
    const std::int64_t firstTicks = *FileTimeFromLocal(first);
    const std::int64_t secondTicks = *FileTimeFromLocal(second);
    struct Case {
        Modified modified;
        std::wstring exclude;
        std::wstring depth;
        SearchRequest::Kind kind;
        bool start;
        std::optional<std::int64_t> after;
        std::optional<std::int64_t> before;
        std::wstring excludeMask;
        int maxDepth;
    };
    const Case cases[] = {
        {Modified::kAnyTime, L"", L"", SearchRequest::Kind::kAny, false, {}, {}, L"", -1}, // nothing to search for
        {Modified::kAfter, L"", L"", SearchRequest::Kind::kAny, true, firstTicks, {}, L"", -1},
        {Modified::kBefore, L"", L"", SearchRequest::Kind::kFiles, true, {}, secondTicks, L"", -1},
        {Modified::kBetween, L"*.bak;~*", L"0", SearchRequest::Kind::kFolders, true, firstTicks, secondTicks,
         L"*.bak;~*", 0},
        {Modified::kAnyTime, L" ;, ", L"32767", SearchRequest::Kind::kAny, true, {}, {}, L"", 32767},
        {Modified::kAnyTime, L"", L"32768", SearchRequest::Kind::kAny, false, {}, {}, L"", -1},
        {Modified::kAnyTime, L"", L"1x", SearchRequest::Kind::kAny, false, {}, {}, L"", -1},
        {Modified::kAnyTime, L"old\\*.txt", L"", SearchRequest::Kind::kAny, false, {}, {}, L"", -1},
    };
    for (const Case& c : cases) {
        AdvancedFormInput input = Defaults();
        input.sizeOn = false;
        input.modified = c.modified;
        input.after = first;
        input.before = second;
        input.excludeMask = c.exclude;
        input.depth = c.depth;
        input.kind = c.kind;
        SearchRequest request;
        const StartPlan plan = FillAdvancedRequest(input, {}, {}, request, {L"*.tmp"});
        SCOPED_TRACE(c.exclude + L" depth " + c.depth);
        EXPECT_EQ(plan.start, c.start);
        if (!c.start) {
            EXPECT_FALSE(plan.refusal.empty());
            continue;
        }
        EXPECT_EQ(request.modifiedAfter, c.after);
        EXPECT_EQ(request.modifiedBefore, c.before);
        EXPECT_EQ(request.excludeMask, c.excludeMask);
        EXPECT_EQ(plan.excludeMaskToHistory, !c.excludeMask.empty());
        EXPECT_EQ(request.maxDepth, c.maxDepth);
        EXPECT_EQ(request.kind, c.kind);
        // Without masks and a size bound, only a filter makes a search (of every name).
        EXPECT_EQ(request.fileMask, HasWalkFilters(request) ? L"*" : L"");
    }
}

TEST(AdvancedRequest, WithoutAMaskOrASizeNothingStartsWhateverTheTextSays) {
    SearchRequest request;
    request.sizeLimit = 5;
    AdvancedFormInput input = Defaults();
    input.sizeOn = false;
    input.sizeKilobytes = L"100";
    EXPECT_FALSE(FillAdvancedRequest(input, {}, {}, request).start);
    EXPECT_FALSE(request.sizeFilterOn);
    EXPECT_EQ(request.sizeLimit, 5u) << "an unchecked size leaves the bound as it was";

    input.containingText = L"needle";
    const StartPlan plan = FillAdvancedRequest(input, {}, {}, request);
    EXPECT_FALSE(plan.start);
    EXPECT_TRUE(request.fileMask.empty());

    // Masks whose boxes are unchecked count as empty, though their boxes keep the text.
    input.fileMaskOn = false;
    input.fileMask = L"*.txt";
    input.shareMaskOn = false;
    input.shareMask = L"docs";
    const StartPlan unchecked = FillAdvancedRequest(input, {}, {}, request);
    EXPECT_FALSE(unchecked.start);
    EXPECT_FALSE(unchecked.fileMaskToHistory);
    EXPECT_FALSE(unchecked.shareMaskToHistory);
}

TEST(AdvancedRequest, EachCheckedCriterionFillsItsField) {
    SearchRequest request;
    AdvancedFormInput input = Defaults();
    input.fileMask = L"*.doc";
    input.shareMask = L"fin*";
    input.containingText = L"quarterly report";
    input.sizeMode = L"at most";
    input.sizeKilobytes = L" 12kb";
    const StartPlan plan = FillAdvancedRequest(input, {L"*.txt"}, {L"FINANCE"}, request);
    EXPECT_TRUE(plan.start);
    EXPECT_TRUE(plan.fileMaskToHistory);
    EXPECT_TRUE(plan.shareMaskToHistory) << "a star is a character like any other here";
    EXPECT_EQ(request.fileMask, L"*.doc");
    EXPECT_EQ(request.shareMask, L"fin*");
    EXPECT_TRUE(request.textFilterOn);
    EXPECT_EQ(request.containingText, L"quarterly report");
    EXPECT_TRUE(request.sizeAtMost);
    EXPECT_EQ(request.sizeLimit, 12288u);

    EXPECT_FALSE(FillAdvancedRequest(input, {}, {L"Fin*ance"}, request).shareMaskToHistory);

    // An empty text switches the criterion off; an unchecked one too, leaving the text as it was.
    input.containingText.clear();
    static_cast<void>(FillAdvancedRequest(input, {}, {}, request));
    EXPECT_FALSE(request.textFilterOn);
    input.containingText = L"other";
    input.textOn = false;
    static_cast<void>(FillAdvancedRequest(input, {}, {}, request));
    EXPECT_FALSE(request.textFilterOn);
    EXPECT_EQ(request.containingText, L"quarterly report");
}

TEST(AdvancedRequest, OnlyTheExactWordsAtLeastMeanAtLeast) {
    SearchRequest request;
    AdvancedFormInput input = Defaults();
    for (const wchar_t* mode : {L"At least", L"at least ", L"", L"at most", L"more"}) {
        input.sizeMode = mode;
        static_cast<void>(FillAdvancedRequest(input, {}, {}, request));
        EXPECT_TRUE(request.sizeAtMost) << std::wstring(mode).size();
    }
    input.sizeMode = L"at least";
    static_cast<void>(FillAdvancedRequest(input, {}, {}, request));
    EXPECT_FALSE(request.sizeAtMost);
}

TEST(AdvancedRequest, AShareMaskAloneSearchesWithAnEmptyFileMask) {
    SearchRequest request;
    AdvancedFormInput input = Defaults();
    input.fileMaskOn = false;
    input.fileMask = L"*.txt";
    input.shareMask = L"*$";
    const StartPlan plan = FillAdvancedRequest(input, {}, {}, request);
    EXPECT_TRUE(plan.start);
    EXPECT_TRUE(plan.shareMaskToHistory);
    EXPECT_EQ(request.fileMask, L"");
    EXPECT_EQ(request.shareMask, L"*$");
}

// The form reads a bound the lenient way of the search's one reader (ReadKilobyteBound): what
// follows the number is ignored, and 4 GiB and more are kept whole.
TEST(AdvancedRequest, SizeBoundsAreReadLenientlyAndKeptWhole) {
    SearchRequest request;
    AdvancedFormInput input = Defaults();
    const std::pair<const wchar_t*, std::uint64_t> cases[] = {
        {L"12abc", 12288u},
        {L"4194304", std::uint64_t{1} << 32},
        {L"-1", 0u},
    };
    for (const auto& [text, bytes] : cases) {
        input.sizeKilobytes = text;
        static_cast<void>(FillAdvancedRequest(input, {}, {}, request));
        EXPECT_EQ(request.sizeLimit, bytes) << std::wstring(text).size();
    }
}

// A mask that would list another folder, or separators alone, starts nothing in either form and
// says why; the advanced form's share mask still searches beside separators alone.
TEST(BothForms, MasksThatAreNoNamePatternsAreRefusedWithTheirReason) {
    struct Case {
        const wchar_t* mask;
        const wchar_t* refusal; // the start of the message
    };
    const Case cases[] = {
        {L"Templates\\*.xlt", L"'Templates\\*.xlt' is not a name pattern"},
        {L"*.txt;..\\*.txt", L"'..\\*.txt' is not a name pattern"},
        {L"*.doc a/b", L"'a/b' is not a name pattern"},
        {L"C:*", L"'C:*' is not a name pattern"},
        {L";;;,, ", L"Please insert mask for search."},
    };
    for (const Case& c : cases) {
        SearchRequest request;
        const StartPlan simple = FillSimpleRequest(c.mask, {}, request);
        EXPECT_FALSE(simple.start) << c.mask;
        EXPECT_FALSE(simple.fileMaskToHistory) << c.mask;
        EXPECT_EQ(simple.refusal.rfind(c.refusal, 0), 0u) << simple.refusal;

        AdvancedFormInput input;
        input.fileMask = c.mask;
        input.sizeOn = false;
        const StartPlan advanced = FillAdvancedRequest(input, {}, {}, request);
        EXPECT_FALSE(advanced.start) << c.mask;
        EXPECT_EQ(advanced.refusal.rfind(c.refusal, 0), 0u) << advanced.refusal;
    }
    SearchRequest request;
    AdvancedFormInput input;
    input.fileMask = L";;";
    input.shareMask = L"*$";
    input.sizeOn = false;
    EXPECT_TRUE(FillAdvancedRequest(input, {}, {}, request).start);
    EXPECT_EQ(request.fileMask, L"");
}

TEST(LenientNumber, ReadsTheLeadingSignedNumberAndSaturates) {
    EXPECT_EQ(ReadLenientInteger(std::wstring_view(L"  -12x5")), -12);
    EXPECT_EQ(ReadLenientInteger(std::wstring_view(L"\t\r\n+7")), 7);
    EXPECT_EQ(ReadLenientInteger(std::wstring_view(L"- 7")), 0);
    EXPECT_EQ(ReadLenientInteger(std::wstring_view(L"x7")), 0);
    EXPECT_EQ(ReadLenientInteger(std::string_view("2000000000")), 2000000000);
    EXPECT_EQ(ReadLenientInteger(std::string_view("99999999999999999999999")), 9223372036854775807LL);
    EXPECT_EQ(ReadLenientInteger(std::string_view("-99999999999999999999999")), -9223372036854775807LL);
    EXPECT_EQ(ReadLenientInteger(std::string_view("9223372036854775807")), 9223372036854775807LL);
    EXPECT_EQ(ReadLenientInteger(std::string_view("9223372036854775808")), 9223372036854775807LL);
}

} // namespace
} // namespace vk
