#include "results/ResultTips.h"

namespace vk {

std::wstring CutToCharacters(std::wstring text, std::size_t length) {
    if (text.size() <= length) {
        return text;
    }
    // A UTF-16 pair is one character: it goes whole or not at all.
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) {
        --length;
    }
    text.resize(length);
    return text;
}

std::wstring ResultTipText(std::wstring_view name, std::wstring_view sizeText) {
    std::wstring tip = L"double-click ";
    tip += sizeText.empty() ? L"for open folder \"" : L"for open/run file \"";
    tip += name;
    tip += L'"';
    return CutToCharacters(std::move(tip), kMaxTipLength);
}

} // namespace vk
