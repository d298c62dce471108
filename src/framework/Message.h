#pragma once
// One window message on its way to a handler, and the per-class message tables that route it.
//
// A class lists its handlers in a static table of entries (message; for WM_COMMAND the command
// or control id and optionally the notification code; for WM_NOTIFY the notification code and
// the control id). Its ProcessMessage looks through its own table and then asks its base class,
// so unhandled messages fall back to the base class's handling and finally to the system's.
// A handler returns whether it handled the message; it may set the result.

#include "framework/Win32.h"

#include <cstddef>

namespace vk::ui {

struct Message {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;

    [[nodiscard]] UINT CommandId() const { return LOWORD(wParam); }
    [[nodiscard]] UINT CommandCode() const { return HIWORD(wParam); }
    [[nodiscard]] const NMHDR* Notify() const { return reinterpret_cast<const NMHDR*>(lParam); }
};

constexpr UINT kAnyCode = 0xFFFFFFFFu;
constexpr UINT kAnyId = 0xFFFFFFFFu;

template <class T> struct MessageEntry {
    UINT message;
    UINT code; // WM_COMMAND: notification code (kAnyCode for any); WM_NOTIFY: NMHDR code
    UINT id;   // WM_COMMAND / WM_NOTIFY: command or control id (kAnyId for any)
    bool (T::*handler)(Message&);
};

// Entry helpers, so that tables read like what they route.
template <class T> constexpr MessageEntry<T> On(UINT message, bool (T::*handler)(Message&)) {
    return {message, kAnyCode, kAnyId, handler};
}
template <class T> constexpr MessageEntry<T> OnCommand(UINT id, bool (T::*handler)(Message&)) {
    return {WM_COMMAND, kAnyCode, id, handler};
}
template <class T> constexpr MessageEntry<T> OnControl(UINT code, UINT id, bool (T::*handler)(Message&)) {
    return {WM_COMMAND, code, id, handler};
}
template <class T> constexpr MessageEntry<T> OnNotify(UINT code, UINT id, bool (T::*handler)(Message&)) {
    return {WM_NOTIFY, code, id, handler};
}

[[nodiscard]] inline bool Matches(UINT message, UINT code, UINT id, const Message& m) {
    if (message != m.message) {
        return false;
    }
    if (m.message == WM_COMMAND) {
        return (id == kAnyId || id == m.CommandId()) && (code == kAnyCode || code == m.CommandCode());
    }
    if (m.message == WM_NOTIFY && m.lParam != 0) {
        const NMHDR* header = m.Notify();
        return (code == kAnyCode || code == header->code) && (id == kAnyId || id == header->idFrom);
    }
    return true;
}

// Runs the first handler of the table that matches the message and handles it.
template <class T, std::size_t N> bool DispatchMessageTable(T& object, const MessageEntry<T> (&table)[N], Message& m) {
    for (const auto& entry : table) {
        if (Matches(entry.message, entry.code, entry.id, m) && (object.*entry.handler)(m)) {
            return true;
        }
    }
    return false;
}

} // namespace vk::ui
