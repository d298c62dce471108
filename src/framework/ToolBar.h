#pragma once
// A toolbar built from a toolbar resource: the buttons' commands (separators among them) and one
// bitmap of their images, magenta transparent. With tooltips, the bar asks its parent for each
// button's tip (TTN_GETDISPINFOW, the button's command as the tool's id).

#include "framework/Window.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace vk::ui {

class ToolBarCtrl : public Window {
public:
    ToolBarCtrl() = default;
    ~ToolBarCtrl() override;

    // Creates the bar as a child of parent, flat, with tooltips and hot-item notifications. Its
    // holder places and sizes it (see DockBar).
    bool CreateBar(HWND parent, UINT id);
    // Loads the buttons of toolbar resource `id` (type RT_TOOLBAR_BUTTONS) and the images of
    // bitmap `id`. False when either is missing or malformed.
    bool LoadToolBar(UINT id);

    // The buttons' commands, 0 for a separator, left to right.
    [[nodiscard]] std::vector<UINT> Commands() const;
    [[nodiscard]] bool IsEnabled(UINT command) const { return Send(TB_ISBUTTONENABLED, command) != 0; }
    void Enable(UINT command, bool enabled) const { Send(TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? 1 : 0, 0)); }
    // The button's rectangle in the bar's client coordinates.
    [[nodiscard]] RECT ButtonRect(UINT command) const;
    [[nodiscard]] HWND Tooltips() const { return reinterpret_cast<HWND>(Send(TB_GETTOOLTIPS)); }

private:
    struct ImageListDeleter {
        void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
    };
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter> images_;
};

} // namespace vk::ui
