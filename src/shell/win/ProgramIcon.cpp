#include "shell/win/ProgramIcon.h"

#include "framework/Window.h"
#include "resource.h"

#include <map>
#include <memory>
#include <type_traits>
#include <utility>

namespace vk {
namespace {

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

} // namespace

HICON ProgramIcon(int width, int height) {
    // The user interface thread's; the icons go when the program ends.
    static std::map<std::pair<int, int>, OwnedIcon> loaded;
    OwnedIcon& icon = loaded[{width, height}];
    if (!icon) {
        icon.reset(static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                 width, height, LR_DEFAULTCOLOR)));
    }
    return icon.get();
}

} // namespace vk
