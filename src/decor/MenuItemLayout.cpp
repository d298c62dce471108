#include "decor/MenuItemLayout.h"

#include <algorithm>

namespace vk {

MenuItemText SplitMenuText(std::wstring_view text) {
    text = text.substr(0, std::min(text.size(), kMenuTextLimit));
    const std::size_t tab = text.find(L'\t');
    if (tab == std::wstring_view::npos) {
        return {std::wstring(text), {}};
    }
    return {std::wstring(text.substr(0, tab)), std::wstring(text.substr(tab + 1))};
}

MenuSize MeasureMenuItem(MenuSize label, std::optional<MenuSize> accelerator, bool opensSubMenu) {
    int width = label.width;
    int height = label.height;
    if (accelerator) {
        width += accelerator->width + 30;
        height = std::max(height, accelerator->height);
    }
    if (opensSubMenu) {
        width += 20; // the arrow
    }
    height = std::max(height + 2, 20);
    return {width + 23, height + height % 2};
}

MenuItemPaint PlanMenuItem(const MenuItemDrawRequest& request, const MenuColours& colours) {
    MenuItemPaint paint;
    const bool hot = request.selected && (request.drawEntire || request.drawSelect);
    if (hot) {
        paint.highlightBar = true;
        paint.highlightLeft = request.hasImage ? 21 : 0;
        paint.text = request.disabled ? colours.grayText : (colours.menuText ^ 0x00FFFFFFu);
    } else {
        paint.text = request.disabled ? colours.grayText : colours.menuText;
    }
    paint.embossText = request.disabled && !request.selected;
    paint.raisedFrame =
        request.hasImage && request.selected && !request.disabled && !request.checked && request.entryLacksAnImage;
    paint.embossImage = request.hasImage && request.disabled;
    paint.checkMark = request.checked && !request.hasImage;
    return paint;
}

} // namespace vk
