#pragma once
// Watches a decorated dialog for controls created after its initialisation: it takes over the
// dialog's window procedure, decorates each child whose creation the dialog is told of, and
// ends its watch at the dialog's final destruction.

#include "framework/Win32.h"

namespace vk {

class DialogWatcher {
public:
    explicit DialogWatcher(HWND dialog) : dialog_(dialog) {}
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Takes over the dialog's procedure. False if it could not.
    bool Start();
    // Gives the dialog its procedure back (if nothing has taken it over since; otherwise the
    // watcher's procedure stays in the chain and passes everything on).
    void Stop();

    [[nodiscard]] HWND Dialog() const { return dialog_; }

private:
    static LRESULT CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog_;
    WNDPROC previous_ = nullptr;
};

// A window procedure taken over by the decoration keeps the procedure it replaced in a window
// property, so that it can pass messages on even after its record is gone (when another
// procedure was put on top of it meanwhile and it could not be taken out of the chain).
namespace subclass {
bool Install(HWND window, const wchar_t* property, WNDPROC procedure, WNDPROC& previous);
void Remove(HWND window, const wchar_t* property, WNDPROC procedure, WNDPROC previous);
LRESULT PassThrough(HWND window, const wchar_t* property, UINT message, WPARAM wParam, LPARAM lParam);
} // namespace subclass

} // namespace vk
