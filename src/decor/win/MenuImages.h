#pragma once
// The main window's menu icons: theMenuImages, an image list of 16 x 16 masked images, and
// theMenuIconTable, the commands that show them. The main frame loads the images when it is
// constructed and registers the table with its CIconMenu when it is created.

#include "decor/MenuIconList.h"
#include "framework/Win32.h"

#include <cstddef>

namespace vk {

inline constexpr std::size_t kMenuIconCount = 10;

// Null until LoadMenuImages.
extern HIMAGELIST theMenuImages;

// Save result, Copy Files, Options, About, Delete Items, Map Network Drive, Help, Tip of the
// Day, Online and E-Mail with their images in theMenuImages; no checked images.
extern MenuIconEntry theMenuIconTable[kMenuIconCount];

// The icon resources in image order: images 0 to 9.
extern const int kMenuImageIcons[kMenuIconCount];

// Creates theMenuImages (capacity 10, growth 10) with the ten icons and points the table's
// entries at it. Once is enough: later calls keep the list. False when an icon cannot be loaded.
bool LoadMenuImages();
// Destroys theMenuImages; the table's entries then have no image.
void DestroyMenuImages();

} // namespace vk
