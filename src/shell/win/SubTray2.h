#pragma once
// An icon in the notification area for any top-level window.
//
// A left click on the icon hides the window or brings it back (maximized if it was); a right
// click opens the icon's menu, whose command reaches the window as an ordinary WM_COMMAND. With
// option bit 0 (kTrayHideWhenMinimized) minimizing the window hides it as well, so that only the
// icon is left. The functions take over the window's procedure and keep all their state in
// named properties of the window, so the window's own class needs no members for it.
//
// The shell may not hold the icon at every moment: at log-on the taskbar may not be there yet,
// and a restarted Explorer has lost every icon. The icon's record is kept with the window, and
// the taskbar's "TaskbarCreated" message adds it again. While the shell holds no icon, the window
// is never hidden (there would be nothing to bring it back with): a window hidden in the tray
// whose icon cannot be added again is shown.
//
// Only the thread that owns the window may call them. Each returns false, leaving the window as
// it was, when it cannot do its work.

#include "framework/Win32.h"

#include <shellapi.h>

namespace vk {

// Adds the icon (id not 0). Without an icon the window's own icon is shown; without a tooltip,
// its title. Adding to a window that already has the icon changes nothing and succeeds. An icon
// the shell does not take now is kept and added when the taskbar is created.
bool SubTray2Add(HWND window, UINT options, UINT id, const wchar_t* tooltip, HICON icon);

// Whether the shell holds the window's icon now.
[[nodiscard]] bool SubTray2IconShown(HWND window);

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

// The shell's Shell_NotifyIconW, or what tests put in its place; returns the one it replaces.
using NotifyIconFunction = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAW* record);
NotifyIconFunction SubTray2UseNotifyIcon(NotifyIconFunction notify);

// The names of the window properties that hold the icon's state, and the name under which its
// callback message is registered.
inline constexpr const wchar_t* kSubTray2NotifyTrayMsgProperty = L"#SubTray2NotifyTrayMsg#";
inline constexpr const wchar_t* kSubTray2OldWndProcProperty = L"#SubTray2OldWndProc#";
inline constexpr const wchar_t* kSubTray2StyleProperty = L"#SubTray2Style#";
inline constexpr const wchar_t* kSubTray2IdProperty = L"#SubTray2ID#";
inline constexpr const wchar_t* kSubTray2MenuHandleProperty = L"#SubTray2MenuHandle#";
inline constexpr const wchar_t* kSubTray2KeepShownProperty = L"#SubTray2KeepShown#";
inline constexpr const wchar_t* kSubTray2RecordProperty = L"#SubTray2Record#"; // the icon as it was added
inline constexpr const wchar_t* kSubTray2ShownProperty = L"#SubTray2Shown#";   // 1 while the shell holds it
inline constexpr const wchar_t* kSubTray2MessageName = L"SubTray2WindowMsg";
// Sent to every top-level window when the taskbar has been created (again).
inline constexpr const wchar_t* kTaskbarCreatedMessageName = L"TaskbarCreated";

} // namespace vk
