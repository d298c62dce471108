#include "decor/FlatFrames.h"

namespace vk {
namespace {

using C = SysColour;

} // namespace

bool ShouldDrawFrame(std::uint32_t flags, std::uint32_t flagsAtLastDrawing) {
    const bool keptHover = (flagsAtLastDrawing & flat::kHover) != 0 && (flags & flat::kHover) != 0;
    const bool keptFocus = (flagsAtLastDrawing & flat::kFocus) != 0 && (flags & flat::kFocus) != 0;
    return !keptHover && !keptFocus;
}

Frame GenericFrame(std::uint32_t flags, bool disabled) {
    const Ring outer{C::Shadow, C::Highlight};
    if ((flags & (flat::kHover | flat::kFocus)) != 0) {
        return {outer, {C::DarkShadow, C::Light}};
    }
    if (disabled || (flags & flat::kReadOnly) != 0) {
        return {outer, {C::Face, C::Face}};
    }
    if ((flags & flat::kSmall) != 0) {
        return {outer, {C::Highlight, C::Light}};
    }
    return {outer, {C::Light, C::Light}};
}

Frame ButtonPartFrame(bool hot, bool disabled) {
    if (disabled) {
        return {{C::Face, C::Face}, {C::Face, C::Face}};
    }
    if (hot) {
        return {{C::Face, C::DarkShadow}, {C::Highlight, C::Shadow}};
    }
    return {{C::Highlight, C::Shadow}, {C::Face, C::Face}};
}

Frame PushButtonFrame(bool hot, bool isDefault, bool pressed) {
    if (pressed) {
        return hot ? Frame{{C::DarkShadow, C::Highlight}, {C::Shadow, C::Light}}
                   : Frame{{C::Shadow, C::Highlight}, {C::Face, C::Face}};
    }
    if (isDefault) {
        return hot ? Frame{{C::DarkShadow, C::DarkShadow}, {C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}}
                   : Frame{{C::DarkShadow, C::DarkShadow}, {C::Highlight, C::Shadow}, {C::Face, C::Face}};
    }
    return hot ? Frame{{C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}, {C::Face, C::Face}}
               : Frame{{C::Highlight, C::Shadow}, {C::Face, C::Face}, {C::Face, C::Face}};
}

Frame CheckBoxFrame(bool hot, bool disabled, bool indeterminate) {
    if (hot) {
        return {{C::DarkShadow, C::Highlight}, {C::Shadow, C::Face}};
    }
    const C inside = disabled ? C::Face : (indeterminate ? C::Highlight : C::Window);
    return {{C::Shadow, C::Highlight}, {inside, inside}};
}

Frame HeaderItemFrame(bool hot) {
    return hot ? Frame{{C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}}
               : Frame{{C::Highlight, C::Shadow}, {C::Face, C::Face}};
}

Frame ToolbarButtonFrame(bool checked, bool hotAndEnabled) {
    if (checked) {
        return hotAndEnabled ? Frame{{C::DarkShadow, C::Highlight}, {C::Shadow, C::Shadow}}
                             : Frame{{C::Shadow, C::Highlight}, {C::Face, C::Face}};
    }
    return hotAndEnabled ? Frame{{C::Highlight, C::DarkShadow}, {C::Light, C::Shadow}}
                         : Frame{{C::Highlight, C::Shadow}, {C::Face, C::Face}};
}

Frame TrackBarChannelFrame(bool hot) {
    return {{C::Shadow, C::Highlight}, hot ? Ring{C::DarkShadow, C::Light} : Ring{C::Face, C::Face}};
}

Frame RadioButtonFrame(bool hot, bool disabled) {
    if (hot) {
        return {{C::Shadow, C::Highlight}, {C::DarkShadow, C::Light}};
    }
    return {{C::Shadow, C::Highlight}, disabled ? Ring{C::Face, C::Face} : Ring{C::Window, C::Window}};
}

} // namespace vk
