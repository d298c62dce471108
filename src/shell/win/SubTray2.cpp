#include "shell/win/SubTray2.h"

#include "platform/DebugTrace.h"
#include "shell/TrayIconRules.h"

#include <shellapi.h>

#include <cwchar>
#include <memory>
#include <string>

namespace vk {
namespace {

NotifyIconFunction theNotifyIcon = &Shell_NotifyIconW;

UINT_PTR Property(HWND window, const wchar_t* name) {
    return reinterpret_cast<UINT_PTR>(GetPropW(window, name));
}

bool SetProperty(HWND window, const wchar_t* name, UINT_PTR value) {
    return SetPropW(window, name, reinterpret_cast<HANDLE>(value)) != FALSE;
}

NOTIFYICONDATAW* StoredRecord(HWND window) {
    return reinterpret_cast<NOTIFYICONDATAW*>(GetPropW(window, kSubTray2RecordProperty));
}

void RemoveProperties(HWND window) {
    const std::unique_ptr<NOTIFYICONDATAW> record(StoredRecord(window));
    for (const wchar_t* name :
         {kSubTray2NotifyTrayMsgProperty, kSubTray2OldWndProcProperty, kSubTray2StyleProperty, kSubTray2IdProperty,
          kSubTray2MenuHandleProperty, kSubTray2KeepShownProperty, kSubTray2RecordProperty, kSubTray2ShownProperty}) {
        RemovePropW(window, name);
    }
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(kTaskbarCreatedMessageName);
    return message;
}

bool HasOurProcedure(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubTray2WindowProc);
}

// The first version of the system's notification-icon record: the one every shell takes (152
// bytes in a 32-bit program, 168 in a 64-bit one, where the handles are wider).
static_assert(NOTIFYICONDATAW_V1_SIZE == (sizeof(void*) == 8 ? 168 : 152));

NOTIFYICONDATAW IconRecord(HWND window, UINT id) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return record;
}

// The window's own icon: its small one, its big one, its class's, or the system's default.
HICON WindowIcon(HWND window) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) {
        icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    }
    if (!icon) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    }
    if (!icon) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
    }
    if (!icon) {
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    return icon;
}

std::wstring WindowTitle(HWND window) {
    std::wstring title(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    title.resize(static_cast<std::size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
    return title;
}

// Gives the shell the kept record: added, or brought up to date where the shell still holds the
// icon (a TaskbarCreated after a change of the screen's resolution). Remembers whether it took it.
bool ShowStoredIcon(HWND window) {
    const NOTIFYICONDATAW* stored = StoredRecord(window);
    if (!stored) {
        return false;
    }
    NOTIFYICONDATAW record = *stored;
    const bool shown = theNotifyIcon(NIM_ADD, &record) || theNotifyIcon(NIM_MODIFY, &record);
    SetProperty(window, kSubTray2ShownProperty, shown ? 1 : 0);
    return shown;
}

// Takes the icon and its menu away and forgets the state; the procedure stays as it is.
void DeleteIcon(HWND window, UINT id) {
    NOTIFYICONDATAW record = IconRecord(window, id);
    theNotifyIcon(NIM_DELETE, &record);
    if (const auto menu = reinterpret_cast<HMENU>(Property(window, kSubTray2MenuHandleProperty))) {
        DestroyMenu(menu);
    }
    RemoveProperties(window);
}

// A hidden window comes back as it was (maximized if it was).
void Restore(HWND window) {
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    ShowWindow(window, SW_RESTORE);
}

// Whether a dialog or message box of the window's own is open: the window is disabled while a
// modal one runs, or an owned window of its was the last active.
bool OwnsOpenDialog(HWND window) {
    const HWND popup = GetLastActivePopup(window);
    return !IsWindowEnabled(window) || (popup && popup != window && IsWindowVisible(popup));
}

// What comes to the front for the window: the dialog it has open, if any (a disabled window in
// front of its own dialog could not be used, nor the dialog reached), else the window itself.
// It is raised above its owner first: where the foreground is refused (a window manager that keeps
// the keyboard where the user clicked), a dialog created while its owner was hidden must still not
// stay behind the disabled owner that has just been shown.
void BringToFront(HWND window) {
    const HWND popup = GetLastActivePopup(window);
    const HWND front = popup && IsWindow(popup) ? popup : window;
    SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(front);
}

// A left click: a shown window goes (through the minimized state, so that it comes back as it
// was), a hidden one comes back in front. Without the icon in the shell nothing is hidden, nor is
// a window with an open dialog: its dialog comes to the front instead.
void HideOrRestore(HWND window) {
    if (IsWindowVisible(window)) {
        if (OwnsOpenDialog(window)) {
            if (IsIconic(window)) {
                ShowWindow(window, SW_RESTORE);
            }
            BringToFront(window);
        } else if (SubTray2IconShown(window)) {
            ShowWindow(window, SW_SHOWMINNOACTIVE);
            ShowWindow(window, SW_HIDE);
        }
        return;
    }
    Restore(window);
    BringToFront(window);
}

// The taskbar has been created again (Explorer restarted, or came late at log-on): the icon goes
// back in, or, should the shell refuse it, a window hidden in the tray comes back.
void OnTaskbarCreated(HWND window) {
    if (!ShowStoredIcon(window) && !IsWindowVisible(window)) {
        Restore(window);
    }
}

// A right click: the menu at the pointer. On Windows a menu closes on a click elsewhere only when
// its owner is the foreground window, and that must be a top-level window: a hidden pop-up helper
// is made the foreground window for it. Afterwards a posted WM_NULL makes the switch of tasks that
// lets the menu open properly the next time. The chosen command (0 if none) is posted to the window.
void ShowTrayMenu(HWND window) {
    const auto menu = reinterpret_cast<HMENU>(Property(window, kSubTray2MenuHandleProperty));
    if (!menu) {
        return;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    const HWND helper = CreateWindowExW(0, L"STATIC", L"HideTrayMenuBase", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                        instance, nullptr);
    if (!helper) {
        return;
    }
    SetForegroundWindow(helper);
    const auto command =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, pointer.x, pointer.y, 0, helper, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyWindow(helper);
    PostMessageW(window, WM_COMMAND, command, 0);
}

// With option bit 0 a minimized window goes to the tray (unless it has a dialog open, which would
// be out of reach with it). It is hidden when it loses activation
// while minimized, as the system deactivates a window that the user minimizes; and when it is
// sized to its minimized state, for systems that leave the only window of a desktop active (Wine).
bool HidesWhenMinimized(HWND window, UINT message, WPARAM wParam) {
    if ((Property(window, kSubTray2StyleProperty) & kTrayHideWhenMinimized) == 0 ||
        Property(window, kSubTray2KeepShownProperty) != 0 || !SubTray2IconShown(window) || OwnsOpenDialog(window)) {
        return false;
    }
    return (message == WM_ACTIVATE && IsIconic(window)) || (message == WM_SIZE && wParam == SIZE_MINIMIZED);
}

} // namespace

bool SubTray2Add(HWND window, UINT options, UINT id, const wchar_t* tooltip, HICON icon) {
    if (!window || !IsWindow(window) || id == 0) {
        return false;
    }
    if (HasOurProcedure(window)) {
        return true;
    }
    if (GetPropW(window, kSubTray2OldWndProcProperty)) {
        return false;
    }
    const std::wstring tip = TrayTooltip(tooltip ? tooltip : L"", WindowTitle(window));
    const UINT message = RegisterWindowMessageW(kSubTray2MessageName);
    if (message == 0) {
        return false;
    }
    auto record = std::make_unique<NOTIFYICONDATAW>(IconRecord(window, id));
    record->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record->uCallbackMessage = message;
    record->hIcon = icon ? icon : WindowIcon(window);
    std::wmemcpy(record->szTip, tip.c_str(), tip.size() + 1);
    const auto procedure = static_cast<UINT_PTR>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!SetProperty(window, kSubTray2RecordProperty, reinterpret_cast<UINT_PTR>(record.get()))) {
        return false;
    }
    record.release(); // the window's state owns it now
    if (!SetProperty(window, kSubTray2NotifyTrayMsgProperty, message) ||
        !SetProperty(window, kSubTray2OldWndProcProperty, procedure) ||
        !SetProperty(window, kSubTray2StyleProperty, options) || !SetProperty(window, kSubTray2IdProperty, id) ||
        !SetProperty(window, kSubTray2ShownProperty, 0) ||
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubTray2WindowProc)) == 0) {
        RemoveProperties(window);
        return false;
    }
    // A program run as administrator gets the taskbar's broadcast only when it lets it in.
    ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    // Without the taskbar now, the icon comes when it does.
    ShowStoredIcon(window);
    return true;
}

bool SubTray2IconShown(HWND window) {
    return window && Property(window, kSubTray2ShownProperty) != 0;
}

NotifyIconFunction SubTray2UseNotifyIcon(NotifyIconFunction notify) {
    const NotifyIconFunction previous = theNotifyIcon;
    theNotifyIcon = notify ? notify : &Shell_NotifyIconW;
    return previous;
}

bool SubTray2AddMenuItem(HWND window, UINT commandId, const wchar_t* text) {
    if (!window || !GetPropW(window, kSubTray2IdProperty)) {
        return false;
    }
    auto menu = reinterpret_cast<HMENU>(Property(window, kSubTray2MenuHandleProperty));
    const bool made = menu == nullptr;
    if (made && (menu = CreatePopupMenu()) == nullptr) {
        return false;
    }
    const BOOL appended = commandId == 0 ? AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)
                                         : AppendMenuW(menu, MF_STRING, commandId, text ? text : L"");
    if (!appended || !SetProperty(window, kSubTray2MenuHandleProperty, reinterpret_cast<UINT_PTR>(menu))) {
        if (made) {
            DestroyMenu(menu);
        }
        return false;
    }
    return true;
}

bool SubTray2Remove(HWND window) {
    if (!window || !IsWindow(window) || !HasOurProcedure(window) || !GetPropW(window, kSubTray2OldWndProcProperty) ||
        !GetPropW(window, kSubTray2IdProperty)) {
        return false;
    }
    const auto procedure = static_cast<LONG_PTR>(Property(window, kSubTray2OldWndProcProperty));
    DeleteIcon(window, static_cast<UINT>(Property(window, kSubTray2IdProperty)));
    SetWindowLongPtrW(window, GWLP_WNDPROC, procedure);
    if (!IsWindowVisible(window)) {
        ShowWindow(window, SW_SHOWMINNOACTIVE);
    }
    return true;
}

bool SubTray2KeepShownWhenMinimized(HWND window, bool keep) {
    if (!window || !GetPropW(window, kSubTray2IdProperty)) {
        return false;
    }
    if (!keep) {
        RemovePropW(window, kSubTray2KeepShownProperty);
        return true;
    }
    return SetProperty(window, kSubTray2KeepShownProperty, 1);
}

LRESULT CALLBACK SubTray2WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto procedure = reinterpret_cast<WNDPROC>(Property(window, kSubTray2OldWndProcProperty));
    try {
        const auto id = static_cast<UINT>(Property(window, kSubTray2IdProperty));
        if (id == 0) {
            return procedure ? CallWindowProcW(procedure, window, message, wParam, lParam)
                             : DefWindowProcW(window, message, wParam, lParam);
        }
        const auto trayMessage = static_cast<UINT>(Property(window, kSubTray2NotifyTrayMsgProperty));
        if (message == trayMessage) {
            if (static_cast<UINT>(wParam) == id) {
                if (lParam == WM_LBUTTONDOWN) {
                    HideOrRestore(window);
                } else if (lParam == WM_RBUTTONUP) {
                    ShowTrayMenu(window);
                }
            }
            return 0;
        }
        const UINT taskbarCreated = TaskbarCreatedMessage();
        if (taskbarCreated != 0 && message == taskbarCreated) {
            OnTaskbarCreated(window);
        } else if (message == WM_DESTROY) {
            DeleteIcon(window, id);
            // The window's own procedure sees the rest of its messages (WM_NCDESTROY among them).
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        } else if (HidesWhenMinimized(window, message, wParam)) {
            ShowWindow(window, SW_HIDE);
        }
        return CallWindowProcW(procedure, window, message, wParam, lParam);
    } catch (...) {
        DebugTrace(L"the tray icon's window procedure failed; answered with 0");
        return 0;
    }
}

} // namespace vk
