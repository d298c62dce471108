#pragma once
// Drives a pop-up menu that a test opens on the user interface thread: once the menu is up, a
// timer on that thread reads its items and posts the keys that choose one, as a user's arrow keys
// and Enter would. Also counts the menus that opened at all.

#include <windows.h>

#include <string>
#include <vector>

namespace vk::testing {

// One item of a menu as read back: its text and id, or a sub-menu with its items.
struct MenuItem {
    std::wstring text;
    UINT id = 0;
    std::vector<MenuItem> items;
    bool operator==(const MenuItem&) const = default;
};

inline std::vector<MenuItem> ReadMenu(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        MenuItem item{text, info.hSubMenu ? 0 : info.wID, {}};
        if (info.hSubMenu) {
            item.items = ReadMenu(info.hSubMenu);
        }
        items.push_back(item);
    }
    return items;
}

inline void PrintTo(const MenuItem& item, std::ostream* out) {
    *out << std::string(item.text.begin(), item.text.end()) << '=' << item.id;
    if (!item.items.empty()) {
        *out << '{';
        for (const auto& sub : item.items) {
            PrintTo(sub, out);
            *out << ' ';
        }
        *out << '}';
    }
}

class MenuDriver {
public:
    // keys: the virtual keys to press once the menu is up (e.g. VK_DOWN, VK_DOWN, VK_RETURN).
    explicit MenuDriver(std::vector<WPARAM> keys) : keys_(std::move(keys)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &MenuDriver::Tick);
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &MenuDriver::Watch, nullptr, GetCurrentThreadId());
    }
    ~MenuDriver() {
        KillTimer(nullptr, timer_);
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    std::vector<MenuItem> items; // of the first menu seen
    HWND owner = nullptr;        // the window that got WM_ENTERMENULOOP
    int menusOpened = 0;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuDriver* self = current_;
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (!self || !menu || !IsWindowVisible(menu) || self->pressed_) {
            return;
        }
        self->items = ReadMenu(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
        self->pressed_ = true;
        for (const WPARAM key : self->keys_) {
            PostMessageW(menu, WM_KEYDOWN, key, 0);
        }
    }

    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ && message->message == WM_ENTERMENULOOP) {
            ++current_->menusOpened;
            current_->owner = message->hwnd;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MenuDriver* current_ = nullptr;
    std::vector<WPARAM> keys_;
    bool pressed_ = false;
    UINT_PTR timer_ = 0;
    HHOOK hook_ = nullptr;
};

} // namespace vk::testing
