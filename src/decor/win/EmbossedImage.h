#pragma once
// A disabled menu item's icon: a grey silhouette of the image with a white shadow one pixel
// right and down.

#include "framework/Win32.h"

namespace vk {

// Draws image `index` of `images` (16 x 16) embossed at (x, y) of target.
void DrawEmbossedImage(HDC target, HIMAGELIST images, int index, int x, int y);

} // namespace vk
