#pragma once
// The arithmetic of the owner-drawn menu items: how large an item is, where its parts go and in
// which colours it is drawn. The window code measures texts and draws; everything it decides
// comes from here.
//
// An item is laid out in its own rectangle (0, 0 at its top left): a 16 x 16 icon in a column on
// the left (a 20 x 20 raised frame round it while the item is hot), the label from x = 24, the
// accelerator text (after the label's first tab) right-aligned 25 pixels from the right edge.

#include "decor/DecorRect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

// A colour as Windows keeps it: 0x00BBGGRR.
using Colour = std::uint32_t;

struct MenuPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const MenuPoint&, const MenuPoint&) = default;
};

struct MenuSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const MenuSize&, const MenuSize&) = default;
};

// An item's text is read with at most this many characters.
inline constexpr std::size_t kMenuTextLimit = 100;

// An item's text split at its first tab: the label before it, the accelerator text after it
// (empty when there is no tab or nothing after it).
struct MenuItemText {
    std::wstring label;
    std::wstring accelerator;
};
[[nodiscard]] MenuItemText SplitMenuText(std::wstring_view text);

// Separators (that open no sub-menu) have a fixed size.
inline constexpr MenuSize kSeparatorSize{26, 9};

// The size of a text item from the extents of its label and accelerator text (each measured on
// one line in the menu font). An item that opens a sub-menu leaves room for the arrow.
[[nodiscard]] MenuSize MeasureMenuItem(MenuSize label, std::optional<MenuSize> accelerator, bool opensSubMenu);

// Where the parts of an item of the given size go.
struct MenuItemGeometry {
    int width = 0;
    int height = 0;

    // The etched line of a separator (one pixel high).
    [[nodiscard]] DecorRect SeparatorLine() const { return {2, 3, width - 2, 4}; }
    // The highlight bar of a hot item: right of the icon column when the item has an image.
    [[nodiscard]] DecorRect HighlightBar(bool hasImage) const { return {hasImage ? 21 : 0, 0, width, height}; }
    // The raised frame round a hot item's icon, 20 x 20, vertically centred.
    [[nodiscard]] DecorRect IconFrame() const {
        const int top = Half(height - 20);
        return {1, top, 21, top + 20};
    }
    // The icon's top-left corner (16 x 16, vertically centred).
    [[nodiscard]] MenuPoint IconPosition() const { return {3, Half(height - 16)}; }
    // The label, left-aligned; the accelerator text, right-aligned; both vertically centred.
    [[nodiscard]] DecorRect LabelRect() const { return {24, 0, width, height}; }
    [[nodiscard]] DecorRect AcceleratorRect() const { return {24, 0, width - 25, height}; }

private:
    // Halving that rounds down, also below zero.
    static int Half(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }
};

// The system colours an item is drawn in, read afresh for every item.
struct MenuColours {
    Colour highlight = 0;
    Colour menu = 0;
    Colour menuText = 0;
    Colour grayText = 0;
};

// What the system asks of one drawing, and the item's state.
struct MenuItemDrawRequest {
    bool drawEntire = false; // the whole item
    bool drawSelect = false; // its selection changed
    bool selected = false;   // hot
    bool disabled = false;   // greyed or disabled
    bool checked = false;
    bool hasImage = false;
    // The item's icon entry lacks a normal or a checked image (a raised frame stands in for the
    // checked look).
    bool entryLacksAnImage = false;
};

// How an item is drawn.
struct MenuItemPaint {
    bool highlightBar = false;
    int highlightLeft = 0;
    Colour text = 0;
    // Texts of a disabled item that is not hot get a white copy one pixel right and down first.
    bool embossText = false;
    bool raisedFrame = false;
    bool embossImage = false;
    // A checked item without a checked image shows the system's check mark in the icon column,
    // so that a checked command never looks unchecked.
    bool checkMark = false;
};
[[nodiscard]] MenuItemPaint PlanMenuItem(const MenuItemDrawRequest& request, const MenuColours& colours);

} // namespace vk
