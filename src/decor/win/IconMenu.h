#pragma once
// A window's menu whose drop-down menus the program draws itself: every item gets a column for
// a 16 x 16 icon on its left, the commands registered in theMenuIconList show their icon there,
// a hot item gets a highlight bar and a raised frame round its icon, disabled items are
// embossed, the accelerator text after a tab is right-aligned and separators are etched lines.
// The menu bar and the system menu keep the system's drawing.
//
// The window that owns the menu passes it four messages:
//   WM_INITMENUPOPUP  (after updating the items' states; not for the system menu) -> PreparePopup
//   WM_MEASUREITEM, WM_DRAWITEM for menu items                                  -> MeasureItem, DrawItem
//   WM_MENUCHAR (Windows finds no mnemonics in owner-drawn items)               -> AnswerMenuChar
// HandleMenuMessage does all four for a window procedure in one call.

#include "decor/MenuIconList.h"
#include "framework/Message.h"

#include <cstddef>
#include <string>

namespace vk {

class CIconMenu {
public:
    CIconMenu() = default;
    // Destroys the menu unless a window still holds it (a window destroys its menu itself).
    ~CIconMenu();
    CIconMenu(const CIconMenu&) = delete;
    CIconMenu& operator=(const CIconMenu&) = delete;

    // Loads a menu from the program's resources. With a window, makes it that window's menu and
    // destroys the menu the window had before.
    bool Load(UINT menuId, HWND window);
    [[nodiscard]] HMENU Handle() const { return menu_; }

    // Appends to theMenuIconList each record it does not hold yet; returns how many.
    static int Register(const MenuIconEntry* entries, std::size_t count);
    template <std::size_t N> static int Register(const MenuIconEntry (&entries)[N]) { return Register(entries, N); }

    // Makes every item of a drop-down menu owner-drawn, with the menu's handle as its data.
    static void PreparePopup(HMENU popup);

    // The system's measure and draw requests for items of prepared menus. False (and nothing
    // done) for requests that are not for a menu item.
    bool MeasureItem(MEASUREITEMSTRUCT& item) const;
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

    // A letter typed in an open menu of owner-drawn items: the item with that mnemonic is chosen,
    // or, where several have it, the next of them is moved to; no item with it: ignored (a
    // beep). False (nothing answered) for the system menu and menus the system draws.
    static bool AnswerMenuChar(ui::Message& m);

    // WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR of the owning window: true
    // when handled (the result set); false for the system menu and for other controls' items.
    bool HandleMenuMessage(ui::Message& m) const;

private:
    HMENU menu_ = nullptr;
    HWND window_ = nullptr;
};

// An item of a menu found by the id the system reports for it (a command id, or the handle of
// the sub-menu it opens).
struct MenuItemFacts {
    bool found = false;
    bool separator = false;
    bool opensSubMenu = false;
    std::wstring text; // at most 100 characters
};
[[nodiscard]] MenuItemFacts ReadMenuItem(HMENU menu, UINT itemId);

} // namespace vk
