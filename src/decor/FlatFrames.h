#pragma once
// The frames of the flat look: which system colours each ring of a decorated control's frame
// is drawn in, by the control's kind and state. A ring is the outline of a rectangle, its top
// and left edges in one colour, its bottom and right edges in another; a frame is up to three
// rings, each one pixel inside the one before.

#include <array>
#include <cstdint>
#include <initializer_list>

namespace vk {

enum class SysColour {
    Face,       // button face
    Shadow,     // button shadow
    Highlight,  // button highlight
    DarkShadow, // 3D dark shadow
    Light,      // 3D light
    Window,     // window background
};

struct Ring {
    SysColour topLeft = SysColour::Face;
    SysColour bottomRight = SysColour::Face;
    friend bool operator==(const Ring&, const Ring&) = default;
};

struct Frame {
    std::array<Ring, 3> rings{};
    int count = 0;

    Frame() = default;
    Frame(std::initializer_list<Ring> list) {
        for (const Ring& ring : list) {
            rings[static_cast<std::size_t>(count++)] = ring;
        }
    }
    friend bool operator==(const Frame& a, const Frame& b) {
        if (a.count != b.count) {
            return false;
        }
        for (int i = 0; i < a.count; ++i) {
            if (a.rings[static_cast<std::size_t>(i)] != b.rings[static_cast<std::size_t>(i)]) {
                return false;
            }
        }
        return true;
    }
};

// A decorated control's state flags.
namespace flat {
inline constexpr std::uint32_t kHover = 1;    // the pointer is over the control
inline constexpr std::uint32_t kSmall = 2;    // its frame is 29 pixels high or less
inline constexpr std::uint32_t kFocus = 4;    // it has the keyboard focus
inline constexpr std::uint32_t kReadOnly = 8; // a read-only edit
inline constexpr int kSmallHeight = 29;
} // namespace flat

// A frame drawn with hover (or focus) is not drawn again while the control keeps that bit: the
// deep frame looks like the system's own sunken edge, so a repaint by the system leaves it right.
[[nodiscard]] bool ShouldDrawFrame(std::uint32_t flags, std::uint32_t flagsAtLastDrawing);

// The frame of most kinds (list boxes, tree views, edits, ...).
[[nodiscard]] Frame GenericFrame(std::uint32_t flags, bool disabled);

// A flat button part: scroll arrows and thumbs, a combo box's drop-down button, up-down arrows.
[[nodiscard]] Frame ButtonPartFrame(bool hot, bool disabled);

// A push button. Hot means hover or focus; default an enabled default push button; pressed a
// button whose check state is set.
[[nodiscard]] Frame PushButtonFrame(bool hot, bool isDefault, bool pressed);

// The 13 x 13 box of a check box; indeterminate is the third state.
[[nodiscard]] Frame CheckBoxFrame(bool hot, bool disabled, bool indeterminate);

// An item of a header (hot: under the pointer), also the empty area after the last item.
[[nodiscard]] Frame HeaderItemFrame(bool hot);

// A toolbar button that is not a separator.
[[nodiscard]] Frame ToolbarButtonFrame(bool checked, bool hotAndEnabled);

// A track bar's channel.
[[nodiscard]] Frame TrackBarChannelFrame(bool hot);

// The ring round a radio button's circle and a tab: outer then inner colour pairs, as for the
// generic frame but with the face inside when the control is not hot.
[[nodiscard]] Frame RadioButtonFrame(bool hot, bool disabled);

} // namespace vk
