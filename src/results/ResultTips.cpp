#include "results/ResultTips.h"

namespace vk {

std::wstring ResultTipText(std::wstring_view name, std::wstring_view sizeText) {
    std::wstring tip = L"double-click ";
    tip += sizeText.empty() ? L"for open folder \"" : L"for open/run file \"";
    tip += name;
    tip += L'"';
    if (tip.size() > kMaxTipLength) {
        tip.resize(kMaxTipLength);
    }
    return tip;
}

} // namespace vk
