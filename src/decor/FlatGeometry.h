#pragma once
// Where the parts of a decorated control's frame go: a check box's box, the arrows and thumb of
// a flat scroll bar, an up-down control's two arrow buttons.

#include "decor/DecorRect.h"

#include <optional>
#include <utility>

namespace vk {

enum class BoxAlign { Centre, Top, Bottom };

// The 13 x 13 box of a check box in a control of the given size: vertically centred unless the
// style aligns it to the top (1 pixel down) or the bottom (15 pixels up); at the left edge, or at
// the right edge when the text is on the left.
[[nodiscard]] DecorRect CheckBoxBox(int width, int height, BoxAlign align, bool textOnLeft);

// A scroll bar's state as the system reports it (SCROLLINFO).
struct ScrollState {
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int pos = 0;
};

// The parts of a flat scroll bar along its length (offsets from its start).
struct ScrollParts {
    int arrowLength = 0;                      // each arrow button: [0, arrowLength) and [length - arrowLength, length)
    std::optional<std::pair<int, int>> thumb; // [first, last) or none when there is no room or range
};

// length: the bar's length; systemArrow: the system's scroll arrow length. Arrows are as long as
// the system's, or half the bar when it is shorter than two of them; the thumb is at least 8
// pixels long on the NT family (half an arrow elsewhere).
[[nodiscard]] ScrollParts LayOutScrollBar(int length, int systemArrow, const ScrollState& state, bool ntFamily = true);

// An up-down control's two buttons: the left and right halves (horizontal) or the upper and
// lower halves; an odd pixel goes to the second.
[[nodiscard]] std::pair<DecorRect, DecorRect> SplitButtons(const DecorRect& rect, bool horizontal);

} // namespace vk
