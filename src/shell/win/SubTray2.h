#pragma once
// An icon in the notification area for any top-level window.
//
// A left click on the icon hides the window or brings it back (maximized if it was); a right
// click opens the icon's menu, whose command reaches the window as an ordinary WM_COMMAND. With
// option bit 0 (kTrayHideWhenMinimized) minimizing the window hides it as well, so that only the
// icon is left. The functions take over the window's procedure and keep all their state in
// named properties of the window, so the window's own class needs no members for it.
//
// Only the thread that owns the window may call them. Each returns false, leaving the window as
// it was, when it cannot do its work.

#include "framework/Win32.h"

namespace vk {

// Adds the icon (id not 0). Without an icon the window's own icon is shown; without a tooltip,
// its title. Adding to a window that already has the icon changes nothing and succeeds.
bool SubTray2Add(HWND window, UINT options, UINT id, const wchar_t* tooltip, HICON icon);

// Appends an item to the icon's menu (command id 0: a separator). The window must have the icon.
bool SubTray2AddMenuItem(HWND window, UINT commandId, const wchar_t* text);

// Removes the icon and its menu and gives the window its own procedure back. A window the icon
// had hidden is shown minimized, so that it stays reachable from the task bar.
bool SubTray2Remove(HWND window);

// While keep is true, minimizing the window does not hide it even with option bit 0: for a
// program that minimizes and restores its own window to lay it out again. Nothing happens to a
// window without the icon; removing the icon ends it.
bool SubTray2KeepShownWhenMinimized(HWND window, bool keep);

// The window procedure that SubTray2Add installs.
LRESULT CALLBACK SubTray2WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The names of the window properties that hold the icon's state, and the name under which its
// callback message is registered.
inline constexpr const wchar_t* kSubTray2NotifyTrayMsgProperty = L"#SubTray2NotifyTrayMsg#";
inline constexpr const wchar_t* kSubTray2OldWndProcProperty = L"#SubTray2OldWndProc#";
inline constexpr const wchar_t* kSubTray2StyleProperty = L"#SubTray2Style#";
inline constexpr const wchar_t* kSubTray2IdProperty = L"#SubTray2ID#";
inline constexpr const wchar_t* kSubTray2MenuHandleProperty = L"#SubTray2MenuHandle#";
inline constexpr const wchar_t* kSubTray2KeepShownProperty = L"#SubTray2KeepShown#";
inline constexpr const wchar_t* kSubTray2MessageName = L"SubTray2WindowMsg";

} // namespace vk
