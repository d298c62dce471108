#pragma once
// Watches, on the user interface thread, what a window makes of the menus that open for it: after
// each WM_INITMENUPOPUP, WM_MEASUREITEM and WM_DRAWITEM has been handled it records the pop-up's
// item types, the measured sizes and the drawn items; each time the menu loop waits for input it
// presses the next of the given keys, and when none is left it ends the menu.

#include "ui/support/AfterEachMessage.h"

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace vk::testing {

class MenuRecorder {
public:
    struct Popup {
        HMENU menu = nullptr;
        bool systemMenu = false;
        int items = 0;
        int ownerDrawn = 0; // items of the owner-drawn type once the owner has handled the message
    };

    // onDraw, if given, sees each menu item's draw request after the owner has drawn it (its
    // surface still holds the item).
    explicit MenuRecorder(std::vector<WPARAM> keys, std::function<void(const DRAWITEMSTRUCT&)> onDraw = {})
        : keys_(std::move(keys)), onDraw_(std::move(onDraw)) {}
    MenuRecorder(const MenuRecorder&) = delete;
    MenuRecorder& operator=(const MenuRecorder&) = delete;

    [[nodiscard]] const Popup* Find(HMENU menu) const {
        for (const Popup& popup : popups) {
            if (popup.menu == menu) {
                return &popup;
            }
        }
        return nullptr;
    }

    std::vector<Popup> popups;     // in the order they opened
    std::map<UINT, SIZE> measured; // by the item id the system reports
    std::vector<UINT> drawn;

private:
    void Seen(const CWPRETSTRUCT& m) {
        switch (m.message) {
        case WM_INITMENUPOPUP: {
            Popup popup{reinterpret_cast<HMENU>(m.wParam), HIWORD(m.lParam) != 0, 0, 0};
            popup.items = GetMenuItemCount(popup.menu);
            for (int i = 0; i < popup.items; ++i) {
                MENUITEMINFOW info{sizeof info};
                info.fMask = MIIM_FTYPE;
                GetMenuItemInfoW(popup.menu, static_cast<UINT>(i), TRUE, &info);
                popup.ownerDrawn += (info.fType & MFT_OWNERDRAW) != 0;
            }
            popups.push_back(popup);
            break;
        }
        case WM_MEASUREITEM: {
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.lParam);
            if (item->CtlType == ODT_MENU) {
                measured[item->itemID] = {static_cast<LONG>(item->itemWidth), static_cast<LONG>(item->itemHeight)};
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
            if (item->CtlType == ODT_MENU) {
                drawn.push_back(item->itemID);
                if (onDraw_) {
                    onDraw_(*item);
                }
            }
            break;
        }
        case WM_ENTERIDLE:
            if (m.wParam == MSGF_MENU) {
                if (next_ < keys_.size()) {
                    const HWND menu = m.lParam ? reinterpret_cast<HWND>(m.lParam) : m.hwnd;
                    PostMessageW(menu, WM_KEYDOWN, keys_[next_++], 0);
                } else {
                    EndMenu();
                }
            }
            break;
        default:
            break;
        }
    }

    std::vector<WPARAM> keys_;
    std::function<void(const DRAWITEMSTRUCT&)> onDraw_;
    std::size_t next_ = 0;
    AfterEachMessage watch_{[this](const CWPRETSTRUCT& m) { Seen(m); }}; // last: it calls Seen
};

} // namespace vk::testing
