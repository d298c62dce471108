#include "framework/ToolBar.h"

#include <cstring>

namespace vk::ui {
namespace {

constexpr WORD kToolBarResourceType = 241;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// The words of a resource of this module; empty when it is missing.
std::vector<WORD> ResourceWords(UINT id, WORD type) {
    const HRSRC found = FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    const HGLOBAL loaded = found ? LoadResource(ModuleInstance(), found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    std::vector<WORD> words(SizeofResource(ModuleInstance(), found) / sizeof(WORD));
    std::memcpy(words.data(), data, words.size() * sizeof(WORD));
    return words;
}

} // namespace

ToolBarCtrl::~ToolBarCtrl() {
    // The bar goes before the images it shows.
    Destroy();
}

bool ToolBarCtrl::CreateBar(HWND parent, UINT id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                        CCS_NOPARENTALIGN | CCS_NODIVIDER;
    const HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
    if (!bar || !Attach(bar)) {
        return false;
    }
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

bool ToolBarCtrl::LoadToolBar(UINT id) {
    // Image width, image height, button count, then the commands.
    const std::vector<WORD> words = ResourceWords(id, kToolBarResourceType);
    if (words.size() < 3 || words.size() != 3u + words[2]) {
        return false;
    }
    const int width = words[0];
    const int height = words[1];
    images_.reset(ImageList_LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), width, 0, kTransparent, IMAGE_BITMAP,
                                       LR_CREATEDIBSECTION));
    if (!images_) {
        return false;
    }
    Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (std::size_t i = 3; i < words.size(); ++i) {
        TBBUTTON button{};
        button.idCommand = words[i];
        if (words[i] == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    if (image > ImageList_GetImageCount(images_.get())) {
        return false;
    }
    return Send(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

std::vector<UINT> ToolBarCtrl::Commands() const {
    std::vector<UINT> commands;
    const auto count = static_cast<int>(Send(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        Send(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        commands.push_back((button.fsStyle & BTNS_SEP) ? 0u : static_cast<UINT>(button.idCommand));
    }
    return commands;
}

RECT ToolBarCtrl::ButtonRect(UINT command) const {
    RECT rect{};
    Send(TB_GETRECT, command, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

} // namespace vk::ui
