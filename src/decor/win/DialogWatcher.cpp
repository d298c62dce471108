#include "decor/win/DialogWatcher.h"

#include "decor/win/FlatLook.h"

namespace vk {
namespace {

constexpr const wchar_t* kWatcherProperty = L"vk.flat.dialog";

} // namespace

namespace subclass {

bool Install(HWND window, const wchar_t* property, WNDPROC procedure, WNDPROC& previous) {
    previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!previous || !SetPropW(window, property, reinterpret_cast<HANDLE>(previous))) {
        return false;
    }
    if (!SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure))) {
        RemovePropW(window, property);
        return false;
    }
    return true;
}

void Remove(HWND window, const wchar_t* property, WNDPROC procedure, WNDPROC previous) {
    if (!IsWindow(window)) {
        return;
    }
    // Only the top of the chain can be taken out; otherwise the property keeps passing on.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == procedure) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, property);
    }
}

LRESULT PassThrough(HWND window, const wchar_t* property, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, property));
    if (message == WM_NCDESTROY) {
        RemovePropW(window, property);
    }
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

} // namespace subclass

bool DialogWatcher::Start() {
    return subclass::Install(dialog_, kWatcherProperty, &DialogWatcher::Procedure, previous_);
}

void DialogWatcher::Stop() {
    subclass::Remove(dialog_, kWatcherProperty, &DialogWatcher::Procedure, previous_);
}

LRESULT CALLBACK DialogWatcher::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theFlatLook.IsWatched(dialog)) {
        return subclass::PassThrough(dialog, kWatcherProperty, message, wParam, lParam);
    }
    try {
        if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
            theFlatLook.DecorateControl(reinterpret_cast<HWND>(lParam));
        }
    } catch (...) {
        // A control that could not be decorated keeps the system's look.
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = subclass::PassThrough(dialog, kWatcherProperty, message, wParam, lParam);
        theFlatLook.EndWatch(dialog);
        return result;
    }
    return subclass::PassThrough(dialog, kWatcherProperty, message, wParam, lParam);
}

} // namespace vk
