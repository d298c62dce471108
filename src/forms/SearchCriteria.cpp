#include "forms/SearchCriteria.h"

#include "engine/EngineTexts.h"
#include "engine/MaskPieces.h"
#include "forms/FormTexts.h"
#include "forms/MaskHistory.h"

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
                              const std::vector<std::wstring>& shareHistory, SearchRequest& request) {
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
    if (request.fileMask.empty() && request.shareMask.empty() && request.sizeFilterOn) {
        request.fileMask = L"*";
    }
    plan.start = !request.fileMask.empty() || !request.shareMask.empty();
    if (!plan.start) {
        plan.refusal = kTextPleaseInsertMask;
    }
    return plan;
}

} // namespace vk
