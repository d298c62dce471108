#pragma once
// Commands and their states, in one table per window class: each entry names a command, the
// member that carries it out and, optionally, the members that say whether it is enabled now and
// whether it is checked. A command without an entry has no handler: its menu items and buttons
// are disabled, and the command does nothing if it arrives all the same. The states are brought
// up to date when a menu opens (UpdateMenuItems) and when the program is idle
// (UpdateToolBarButtons).

#include "framework/ToolBar.h"

#include <functional>
#include <optional>
#include <span>

namespace vk::ui {

template <class T> struct CommandEntry {
    UINT id;
    void (T::*run)(UINT id);
    bool (T::*enabled)() const = nullptr; // null: always enabled
    bool (T::*checked)() const = nullptr; // null: not a check item
};

// What a command looks like now.
struct CommandState {
    bool enabled = false;
    std::optional<bool> checked; // only for check items
};

template <class T> const CommandEntry<T>* FindCommand(std::span<const CommandEntry<T>> table, UINT id) {
    for (const auto& entry : table) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

template <class T> CommandState StateOfCommand(const T& object, std::span<const CommandEntry<T>> table, UINT id) {
    const CommandEntry<T>* entry = FindCommand(table, id);
    if (!entry) {
        return {};
    }
    CommandState state;
    state.enabled = !entry->enabled || (object.*entry->enabled)();
    if (entry->checked) {
        state.checked = (object.*entry->checked)();
    }
    return state;
}

// Carries out the command if the table has it and it is enabled; false otherwise.
template <class T> bool RunCommand(T& object, std::span<const CommandEntry<T>> table, UINT id) {
    const CommandEntry<T>* entry = FindCommand(table, id);
    if (!entry || (entry->enabled && !(object.*entry->enabled)())) {
        return false;
    }
    (object.*entry->run)(id);
    return true;
}

using CommandStateQuery = std::function<CommandState(UINT id)>;

// Enables or greys, checks or unchecks, each command item of a pop-up menu (sub-menus and
// separators are left alone: they get their own update when they open).
void UpdateMenuItems(HMENU popup, const CommandStateQuery& state);

// Enables or disables each button whose state has changed.
void UpdateToolBarButtons(const ToolBarCtrl& bar, const CommandStateQuery& state);

} // namespace vk::ui
