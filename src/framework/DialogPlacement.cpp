#include "framework/DialogPlacement.h"

#include <algorithm>

namespace vk {
namespace {

// The start of a span of the given size centred on [start, end), then kept inside [low, high);
// a span longer than [low, high) starts at low, so that its caption stays reachable.
int Centred(int size, int start, int end, int low, int high) {
    const int centred = start + (end - start - size) / 2;
    return std::max(std::min(centred, high - size), low);
}

} // namespace

ScreenPoint CentredDialogOrigin(int width, int height, const PixelRect* owner, const PixelRect& workArea) {
    const PixelRect& around = owner ? *owner : workArea;
    return {Centred(width, around.left, around.right, workArea.left, workArea.right),
            Centred(height, around.top, around.bottom, workArea.top, workArea.bottom)};
}

} // namespace vk
