// The letters typed into an open owner-drawn menu: which item each one chooses or moves to.
#include "decor/MenuMnemonics.h"

#include <gtest/gtest.h>

#include <vector>

namespace vk {
namespace {

TEST(MenuMnemonics, TheMnemonicIsTheLetterAfterTheFirstLoneAmpersand) {
    EXPECT_EQ(MenuMnemonic(L"E&xit"), L'x');
    EXPECT_EQ(MenuMnemonic(L"&About Varnokle..."), L'A');
    EXPECT_EQ(MenuMnemonic(L"Save result      \tCtrl+S"), 0);
    EXPECT_EQ(MenuMnemonic(L"Fish && &Chips"), L'C') << "&& is an ampersand";
    EXPECT_EQ(MenuMnemonic(L"Rock &&"), 0);
    EXPECT_EQ(MenuMnemonic(L"Trailing &"), 0);
    EXPECT_EQ(MenuMnemonic(L"&Tip of the &Day"), L'T') << "the first one counts";
}

TEST(MenuMnemonics, ATypedLetterChoosesItsOnlyItemOrMovesThroughSeveral) {
    const MenuCharItem file[] = {{L"Save result      \tCtrl+S"}, {L"", true}, {L"E&xit"}};
    const std::vector<MenuCharItem> view = {{L"&Toolbar"}, {L"&Status Bar"}, {L"&Options"}, {L"&Sort", false, true}};
    const std::vector<MenuCharItem> doubled = {
        {L"&Copy"}, {L"C&ut"}, {L"&Clear"}, {L"&Close", false, false, true}, {L"&Paste"}};
    struct Case {
        const char* what;
        std::span<const MenuCharItem> items;
        wchar_t typed;
        MenuCharAnswer answer;
    };
    const Case cases[] = {
        {"the only match is chosen", file, L'x', {MenuCharAction::Execute, 2}},
        {"without regard to case", file, L'X', {MenuCharAction::Execute, 2}},
        {"no item has the letter", file, L's', {MenuCharAction::Ignore, 0}},
        {"separators have no letter", file, L'\0', {MenuCharAction::Ignore, 0}},
        {"several: the first, with none highlighted", view, L's', {MenuCharAction::Select, 1}},
        {"several, the last highlighted: round to the first", doubled, L'c', {MenuCharAction::Select, 0}},
        {"the only one that is left", doubled, L'p', {MenuCharAction::Execute, 4}},
        {"a mnemonic inside the word", doubled, L'u', {MenuCharAction::Execute, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnswerMenuChar(c.typed, c.items), c.answer) << c.what;
    }
    // A disabled item that alone has the letter.
    const MenuCharItem disabledOnly[] = {{L"&Open"}, {L"&Delete", false, true}};
    EXPECT_EQ(AnswerMenuChar(L'd', disabledOnly), (MenuCharAnswer{MenuCharAction::Select, 1}));

    // Several: each press moves on from the highlighted one, round to the first.
    std::vector<MenuCharItem> cycling = {{L"&Copy"}, {L"&Cut"}, {L"&Paste"}, {L"&Clear"}};
    for (const int expected : {0, 1, 3, 0}) {
        const MenuCharAnswer answer = AnswerMenuChar(L'C', cycling);
        EXPECT_EQ(answer, (MenuCharAnswer{MenuCharAction::Select, expected}));
        for (std::size_t i = 0; i < cycling.size(); ++i) {
            cycling[i].highlighted = static_cast<int>(i) == answer.position;
        }
    }
}

} // namespace
} // namespace vk
