#pragma once
// Where a dialog opens: centred over the window that owns it, and moved back inside the work area
// of the owner's screen where centring would put part of it off the screen (a small owner near an
// edge, a dialog larger than the owner). With no owner to centre on (none, hidden or minimized)
// the dialog is centred in the work area.

#include "framework/PixelRect.h"

namespace vk {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The top left corner for a dialog of the given width and height. owner: null when there is none
// to centre on. A dialog larger than the work area keeps its top left corner inside it.
[[nodiscard]] ScreenPoint CentredDialogOrigin(int width, int height, const PixelRect* owner, const PixelRect& workArea);

} // namespace vk
