#include "decor/FlatGeometry.h"

#include <algorithm>
#include <cstdint>

namespace vk {

DecorRect CheckBoxBox(int width, int height, BoxAlign align, bool textOnLeft) {
    constexpr int kBox = 13;
    int top = (height - kBox) / 2;
    if (align == BoxAlign::Top) {
        top = 1;
    } else if (align == BoxAlign::Bottom) {
        top = height - 15;
    }
    const int left = textOnLeft ? width - kBox : 0;
    return {left, top, left + kBox, top + kBox};
}

ScrollParts LayOutScrollBar(int length, int systemArrow, const ScrollState& state, bool ntFamily) {
    ScrollParts parts;
    if (length <= 0) {
        return parts;
    }
    parts.arrowLength = length < 2 * systemArrow ? length / 2 : systemArrow;
    const int track = length - 2 * parts.arrowLength;
    // The range of positions, as 64-bit so that extreme ranges cannot overflow.
    const std::int64_t range = std::int64_t{state.max} - state.min + 1;
    const int minimumThumb = ntFamily ? 8 : systemArrow / 2;
    if (track <= 0 || range <= 0 || (state.page != 0 && state.page >= range) || track < minimumThumb) {
        return parts;
    }
    int thumb = state.page == 0 ? systemArrow : static_cast<int>(std::int64_t{track} * state.page / range);
    thumb = std::clamp(thumb, minimumThumb, track);
    const std::int64_t positions = range - std::max<std::int64_t>(state.page, 1);
    const std::int64_t pos = std::clamp<std::int64_t>(std::int64_t{state.pos} - state.min, 0, positions);
    const int offset = positions > 0 ? static_cast<int>(pos * (track - thumb) / positions) : 0;
    const int first = parts.arrowLength + offset;
    parts.thumb = std::pair{first, first + thumb};
    return parts;
}

std::pair<DecorRect, DecorRect> SplitButtons(const DecorRect& rect, bool horizontal) {
    DecorRect first = rect;
    DecorRect second = rect;
    if (horizontal) {
        first.right = rect.left + rect.Width() / 2;
        second.left = first.right;
    } else {
        first.bottom = rect.top + rect.Height() / 2;
        second.top = first.bottom;
    }
    return {first, second};
}

} // namespace vk
