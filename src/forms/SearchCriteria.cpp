#include "forms/SearchCriteria.h"

#include "forms/FormTexts.h"
#include "forms/MaskHistory.h"

namespace vk {

StartPlan FillSimpleRequest(std::wstring_view mask, const std::vector<std::wstring>& history, SearchRequest& request) {
    StartPlan plan;
    request.fileMask = mask;
    request.shareMask.clear();
    plan.fileMaskToHistory = BelongsInHistory(history, mask);
    if (request.fileMask.empty()) {
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
        request.fileMask = input.fileMask;
        plan.fileMaskToHistory = BelongsInHistory(fileHistory, input.fileMask);
    }
    if (input.shareMaskOn) {
        request.shareMask = input.shareMask;
        plan.shareMaskToHistory = BelongsInHistory(shareHistory, input.shareMask);
    }
    if (request.fileMask.empty() && request.shareMask.empty() && request.sizeFilterOn) {
        request.fileMask = L"*";
    }
    plan.start = !request.fileMask.empty() || !request.shareMask.empty();
    return plan;
}

} // namespace vk
