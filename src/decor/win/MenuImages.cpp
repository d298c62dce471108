#include "decor/win/MenuImages.h"

#include "resource.h"

namespace vk {

HIMAGELIST theMenuImages = nullptr;

const int kMenuImageIcons[kMenuIconCount] = {
    IDI_MENU_SAVE_RESULT,       IDI_MENU_COPY_FILES, IDI_MENU_OPTIONS,        IDI_MENU_ABOUT,  IDI_MENU_DELETE_ITEMS,
    IDI_MENU_MAP_NETWORK_DRIVE, IDI_MENU_HELP,       IDI_MENU_TIP_OF_THE_DAY, IDI_MENU_ONLINE, IDI_MENU_EMAIL,
};

MenuIconEntry theMenuIconTable[kMenuIconCount] = {
    {ID_FILE_SAVE_RESULT, nullptr, 0, nullptr, 0},  {ID_EDIT_COPY_FILES, nullptr, 1, nullptr, 0},
    {ID_VIEW_OPTIONS, nullptr, 2, nullptr, 0},      {ID_APP_ABOUT, nullptr, 3, nullptr, 0},
    {ID_EDIT_DELETE_ITEMS, nullptr, 4, nullptr, 0}, {ID_TOOLS_MAP_NETWORK_DRIVE, nullptr, 5, nullptr, 0},
    {ID_HELP_CONTENTS, nullptr, 6, nullptr, 0},     {ID_HELP_TIP_OF_THE_DAY, nullptr, 7, nullptr, 0},
    {ID_HELP_ONLINE, nullptr, 8, nullptr, 0},       {ID_HELP_EMAIL, nullptr, 9, nullptr, 0},
};

namespace {

void PointTableAt(HIMAGELIST images) {
    for (MenuIconEntry& entry : theMenuIconTable) {
        entry.imageList = images;
    }
}

} // namespace

bool LoadMenuImages() {
    if (theMenuImages) {
        return true;
    }
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 10, 10);
    if (!images) {
        return false;
    }
    for (const int id : kMenuImageIcons) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        const int added = icon ? ImageList_AddIcon(images, icon) : -1;
        if (icon) {
            DestroyIcon(icon);
        }
        if (added < 0) {
            ImageList_Destroy(images);
            return false;
        }
    }
    theMenuImages = images;
    PointTableAt(images);
    return true;
}

void DestroyMenuImages() {
    if (theMenuImages) {
        ImageList_Destroy(theMenuImages);
        theMenuImages = nullptr;
    }
    PointTableAt(nullptr);
}

} // namespace vk
