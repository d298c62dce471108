#pragma once
// Which menu commands have an icon, and where it is. Records are registered into one
// process-wide list, theMenuIconList, which the owner-drawn menus search for each item they
// draw. The records belong to whoever registers them and must outlive the list's use of them.

#include <cstddef>
#include <vector>

namespace vk {

// An image list as the window code knows it (an HIMAGELIST); the core only passes it on.
using ImageListRef = void*;

// The command id that gives every checked item without an entry of its own its checked image.
inline constexpr int kAnyCheckedCommand = -1;

struct MenuIconEntry {
    int commandId = 0;
    ImageListRef imageList = nullptr; // none: no normal image
    int imageIndex = 0;
    ImageListRef checkedImageList = nullptr; // none: no checked image
    int checkedImageIndex = 0;
};

// The image an item shows: none when list is null.
struct MenuIcon {
    ImageListRef list = nullptr;
    int index = 0;
    // The entry that matched the item itself (null when none did).
    const MenuIconEntry* entry = nullptr;

    [[nodiscard]] bool HasImage() const { return list != nullptr; }
    // The entry lacks a normal or a checked image.
    [[nodiscard]] bool EntryLacksAnImage() const {
        return entry && (entry->imageList == nullptr || entry->checkedImageList == nullptr);
    }
};

class MenuIconList {
public:
    // Appends each record that the list does not hold yet (the same object), in order; returns
    // how many were appended.
    int Register(const MenuIconEntry* entries, std::size_t count);

    // The image of an item: the first entry with its command id gives its normal image, or its
    // checked image for a checked item. An entry for kAnyCheckedCommand before it (or with no
    // entry at all) gives a checked item that entry's checked image.
    [[nodiscard]] MenuIcon Find(int commandId, bool checked) const;

    [[nodiscard]] std::size_t Count() const { return entries_.size(); }
    void Clear() { entries_.clear(); }

private:
    std::vector<const MenuIconEntry*> entries_;
};

// The program's list: filled when the main frame is created, read by every owner-drawn menu.
extern MenuIconList theMenuIconList;

} // namespace vk
