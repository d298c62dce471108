#pragma once
// A rectangle of the decoration's arithmetic, in pixels: left and top inside, right and bottom
// just outside (as Windows keeps rectangles).

#include "framework/PixelRect.h"

namespace vk {

using DecorRect = PixelRect;

} // namespace vk
