#pragma once
// How the search forms turn what the user entered into the search request when Start is pressed,
// and which of the entered masks join the histories. The forms read their controls, call these
// and then start the search or show why not in a message box.

#include "engine/ModifiedTime.h"
#include "engine/RequestFilters.h"

#include <string>
#include <string_view>
#include <vector>

namespace vk {

// What Start does once the request is filled.
struct StartPlan {
    bool start = false;                // false: no search, the refusal's message instead
    std::wstring refusal;              // why nothing starts: "Please insert mask for search." or a mask's fault
    bool fileMaskToHistory = false;    // the file mask goes to the top of its history
    bool shareMaskToHistory = false;   // the share mask goes to the top of its history
    bool excludeMaskToHistory = false; // the exclude mask goes to the top of its history
};

// The simple form: the file mask alone; no share mask, no size and no text criterion. A mask with a
// piece that is not a name pattern (FileMaskFault) starts nothing and joins no history; one of
// separators alone counts as empty.
[[nodiscard]] StartPlan FillSimpleRequest(std::wstring_view mask, const std::vector<std::wstring>& history,
                                          SearchRequest& request);

// The advanced form's inputs as they stand at Start. A criterion whose box is not checked is not
// used, whatever its input holds.
struct AdvancedFormInput {
    bool shareMaskOn = true;
    std::wstring shareMask;
    bool fileMaskOn = true;
    std::wstring fileMask;
    bool textOn = true;
    std::wstring containingText;
    bool sizeOn = true;
    std::wstring sizeMode;      // "at least" exactly, or anything else for "at most"
    std::wstring sizeKilobytes; // read the lenient way: see ReadKilobyteBound

    // The filter group, as vkfind's options: "after" the first time (inclusive), "before" the
    // second (exclusive), "between" both; the exclusion masks; the depth (digits, empty for no
    // limit); the kind of hit.
    enum class Modified { kAnyTime, kAfter, kBefore, kBetween };
    Modified modified = Modified::kAnyTime;
    LocalDateTime after;
    LocalDateTime before;
    std::wstring excludeMask;
    std::wstring depth;
    SearchRequest::Kind kind = SearchRequest::Kind::kAny;
};

// The advanced form, whose file mask is taken as the simple form's. With both masks empty and the size criterion on,
// the file mask is "*" (not a history entry); with both masks empty otherwise nothing starts. An unchecked size
// criterion leaves the request's bound as it was. The filter group fills the request as vkfind's
// options do (a filter alone searches with "*" too); a bad exclusion mask or depth starts nothing.
[[nodiscard]] StartPlan FillAdvancedRequest(const AdvancedFormInput& input,
                                            const std::vector<std::wstring>& fileHistory,
                                            const std::vector<std::wstring>& shareHistory, SearchRequest& request,
                                            const std::vector<std::wstring>& excludeHistory = {});

} // namespace vk
