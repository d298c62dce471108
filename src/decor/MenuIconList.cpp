#include "decor/MenuIconList.h"

#include <algorithm>

namespace vk {

MenuIconList theMenuIconList;

int MenuIconList::Register(const MenuIconEntry* entries, std::size_t count) {
    if (!entries) {
        return 0;
    }
    int appended = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const MenuIconEntry* entry = entries + i;
        if (std::find(entries_.begin(), entries_.end(), entry) == entries_.end()) {
            entries_.push_back(entry);
            ++appended;
        }
    }
    return appended;
}

MenuIcon MenuIconList::Find(int commandId, bool checked) const {
    MenuIcon icon;
    for (const MenuIconEntry* entry : entries_) {
        if (entry->commandId == commandId) {
            icon.entry = entry;
            icon.list = checked ? entry->checkedImageList : entry->imageList;
            icon.index = checked ? entry->checkedImageIndex : entry->imageIndex;
            return icon;
        }
        if (entry->commandId == kAnyCheckedCommand && checked) {
            icon.list = entry->checkedImageList;
            icon.index = entry->checkedImageIndex;
        }
    }
    return icon;
}

} // namespace vk
