#include "forms/SearchCriteria.h"

#include "engine/EngineTexts.h"
#include "engine/MaskPieces.h"
#include "forms/FormTexts.h"
#include "forms/MaskHistory.h"

#include <optional>

namespace vk {
namespace {

// The file mask into the request, unless it has a fault: then the fault, and the mask joins no
// history. Separators alone are no mask.
bool TakeFileMask(std::wstring_view mask, SearchRequest& request, StartPlan& plan) {
    if (auto fault = FileMaskFault(mask)) {
        plan.refusal = std::move(*fault);
        plan.fileMaskToHistory = false;
        return false;
    }
    if (SplitFileMask(mask).empty()) {
        request.fileMask.clear();
        plan.fileMaskToHistory = false;
    } else {
        request.fileMask = mask;
    }
    return true;
}

// The depth box: digits only (the box takes no others), empty for no limit.
std::optional<int> ReadDepth(std::wstring_view text) {
    if (text.empty()) {
        return -1;
    }
    int depth = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9' || depth > (kMaxSearchDepth - (c - L'0')) / 10) {
            return std::nullopt;
        }
        depth = depth * 10 + (c - L'0');
    }
    return depth;
}

// The filter group into the request; false with the refusal when it cannot be searched for.
bool TakeWalkFilters(const AdvancedFormInput& input, const std::vector<std::wstring>& excludeHistory,
                     SearchRequest& request, StartPlan& plan) {
    using Modified = AdvancedFormInput::Modified;
    request.modifiedAfter.reset();
    request.modifiedBefore.reset();
    if (input.modified == Modified::kAfter || input.modified == Modified::kBetween) {
        request.modifiedAfter = FileTimeFromLocal(input.after);
    }
    if (input.modified == Modified::kBefore || input.modified == Modified::kBetween) {
        request.modifiedBefore = FileTimeFromLocal(input.before);
    }
    if ((input.modified == Modified::kAfter || input.modified == Modified::kBetween) && !request.modifiedAfter) {
        plan.refusal = kTextNoSuchTime;
        return false;
    }
    if ((input.modified == Modified::kBefore || input.modified == Modified::kBetween) && !request.modifiedBefore) {
        plan.refusal = kTextNoSuchTime;
        return false;
    }
    if (auto fault = FileMaskFault(input.excludeMask)) {
        plan.refusal = std::move(*fault);
        return false;
    }
    request.excludeMask = SplitFileMask(input.excludeMask).empty() ? std::wstring() : input.excludeMask;
    plan.excludeMaskToHistory = !request.excludeMask.empty() && BelongsInHistory(excludeHistory, input.excludeMask);
    const std::optional<int> depth = ReadDepth(input.depth);
    if (!depth) {
        plan.refusal = kTextBadDepth;
        return false;
    }
    request.maxDepth = *depth;
    request.kind = input.kind;
    return true;
}

} // namespace

StartPlan FillSimpleRequest(std::wstring_view mask, const std::vector<std::wstring>& history, SearchRequest& request) {
    StartPlan plan;
    request.fileMask.clear();
    request.shareMask.clear();
    plan.fileMaskToHistory = BelongsInHistory(history, mask);
    if (!TakeFileMask(mask, request, plan)) {
        return plan;
    }
    if (request.fileMask.empty()) {
        plan.refusal = kTextPleaseInsertMask;
        return plan;
    }
    request.sizeFilterOn = false;
    request.textFilterOn = false;
    plan.start = true;
    return plan;
}

StartPlan FillAdvancedRequest(const AdvancedFormInput& input, const std::vector<std::wstring>& fileHistory,
                              const std::vector<std::wstring>& shareHistory, SearchRequest& request,
                              const std::vector<std::wstring>& excludeHistory) {
    StartPlan plan;
    request.fileMask.clear();
    request.shareMask.clear();
    request.sizeFilterOn = input.sizeOn;
    if (input.sizeOn) {
        request.sizeAtMost = input.sizeMode != kSizeAtLeast;
        request.sizeLimit = ReadKilobyteBound(input.sizeKilobytes).bytes;
    }
    request.textFilterOn = false;
    if (input.textOn && !input.containingText.empty()) {
        request.textFilterOn = true;
        request.containingText = input.containingText;
    }
    if (input.fileMaskOn) {
        plan.fileMaskToHistory = BelongsInHistory(fileHistory, input.fileMask);
        if (!TakeFileMask(input.fileMask, request, plan)) {
            return plan;
        }
    }
    if (input.shareMaskOn) {
        request.shareMask = input.shareMask;
        plan.shareMaskToHistory = BelongsInHistory(shareHistory, input.shareMask);
    }
    if (!TakeWalkFilters(input, excludeHistory, request, plan)) {
        plan.fileMaskToHistory = false;
        plan.shareMaskToHistory = false;
        return plan;
    }
    if (request.fileMask.empty() && request.shareMask.empty() && (request.sizeFilterOn || HasWalkFilters(request))) {
        request.fileMask = L"*";
    }
    plan.start = !request.fileMask.empty() || !request.shareMask.empty();
    if (!plan.start) {
        plan.refusal = kTextPleaseInsertMask;
    }
    return plan;
}

} // namespace vk
