#include "decor/MenuMnemonics.h"

#include "engine/CaseFolding.h"

#include <vector>

namespace vk {

wchar_t MenuMnemonic(std::wstring_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') {
            continue;
        }
        if (text[i + 1] != L'&') {
            return text[i + 1];
        }
        ++i; // "&&" is the character itself
    }
    return 0;
}

MenuCharAnswer AnswerMenuChar(wchar_t typed, std::span<const MenuCharItem> items) {
    const wchar_t wanted = FoldCase(typed);
    std::vector<int> matches;
    int highlighted = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuCharItem& item = items[i];
        if (item.highlighted) {
            highlighted = static_cast<int>(i);
        }
        const wchar_t mnemonic = item.separator ? 0 : MenuMnemonic(item.text);
        if (wanted != 0 && mnemonic != 0 && FoldCase(mnemonic) == wanted) {
            matches.push_back(static_cast<int>(i));
        }
    }
    if (matches.empty()) {
        return {};
    }
    if (matches.size() == 1) {
        const int only = matches.front();
        const bool disabled = items[static_cast<std::size_t>(only)].disabled;
        return {disabled ? MenuCharAction::Select : MenuCharAction::Execute, only};
    }
    for (const int position : matches) {
        if (position > highlighted) {
            return {MenuCharAction::Select, position};
        }
    }
    return {MenuCharAction::Select, matches.front()};
}

} // namespace vk
