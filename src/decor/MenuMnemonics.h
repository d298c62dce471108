#pragma once
// The keyboard's way into an owner-drawn menu. Windows finds no mnemonics in menu items that the
// program draws: while such a menu is open, every letter typed comes to its owner as WM_MENUCHAR,
// which answers with the item to choose (a single match) or to move to (several share the letter:
// each press moves on to the next, round to the first).

#include <span>
#include <string_view>

namespace vk {

// The mnemonic of a menu item's text: the character after its first lone '&' ("&&" stands for an
// '&' itself); 0 when it has none.
[[nodiscard]] wchar_t MenuMnemonic(std::wstring_view text);

struct MenuCharItem {
    std::wstring_view text;
    bool separator = false;
    bool disabled = false;
    bool highlighted = false; // the item the keyboard is on
};

enum class MenuCharAction {
    Ignore,  // no item has the letter: the system beeps
    Execute, // choose the item (MNC_EXECUTE)
    Select,  // move to the item (MNC_SELECT)
};

struct MenuCharAnswer {
    MenuCharAction action = MenuCharAction::Ignore;
    int position = 0;
    friend bool operator==(const MenuCharAnswer&, const MenuCharAnswer&) = default;
};

// What a typed character does in an open menu. Letters match without regard to case. One item
// with it is chosen (a disabled one only moved to); of several, the first after the highlighted
// item is moved to.
[[nodiscard]] MenuCharAnswer AnswerMenuChar(wchar_t typed, std::span<const MenuCharItem> items);

} // namespace vk
