#include "shell/win/ProgramIcon.h"

#include "framework/Window.h"
#include "resource.h"

namespace vk {

HICON ProgramIcon(int width, int height) {
    return static_cast<HICON>(
        LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, width, height, LR_SHARED));
}

} // namespace vk
