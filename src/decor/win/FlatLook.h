#pragma once
// The flat look of the standard controls: a hook on the user interface thread sees each dialog
// being initialised, picks a decorator for every child control by its window class and style
// (ChooseDecorator) and takes over the control's window procedure; the decorated control then
// draws a thin frame of its own (FlatControl) that deepens under the pointer and with the focus.
// A 100 ms timer follows the pointer from control to control; it runs only while the pointer is
// over a decorated control (it starts when one hears of the pointer, and stops when the pointer
// has left them all), so that it does not wake the machine for the whole session. Controls a
// theme draws (DrawnByTheme) are left to the theme.
//
// Start-up switches it on for its thread in mode 1 (decorate each dialog's children when it is
// initialised), and calls EndOfProgram when the program ends:
//     theFlatLook.SwitchOn(FlatLook::kCallingThread, FlatLook::kDecorateDialogs);
//     ...
//     theFlatLook.EndOfProgram();
//
// The hook runs on the hooked thread under a process-wide lock; the decorated controls, the
// maps and the timer belong to the user interface thread.

#include "decor/win/DialogWatcher.h"
#include "decor/win/FlatControl.h"
#include "framework/Win32.h"

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>

namespace vk {

class FlatLook {
public:
    static constexpr DWORD kCallingThread = static_cast<DWORD>(-1);
    // Decorate the children of each dialog when it is initialised (the program's mode); any
    // other mode decorates each child window when it is created.
    static constexpr int kDecorateDialogs = 1;
    static constexpr UINT kHoverInterval = 100; // milliseconds

    FlatLook() = default;
    ~FlatLook();
    FlatLook(const FlatLook&) = delete;
    FlatLook& operator=(const FlatLook&) = delete;

    // Sets the mode and hooks the thread (once). False when the hook cannot be installed.
    bool SwitchOn(DWORD threadId, int mode);
    // Unhooks the thread; with no hooked thread left, the hover timer stops.
    void SwitchOff(DWORD threadId);

    // Decorates a dialog's controls and watches it for controls created later. Nothing happens
    // for a dialog already watched.
    void DecorateDialog(HWND dialog);
    // Decorates one control (and the children its kind names); className may be null. True
    // when a decorator took the control over.
    bool DecorateControl(HWND window, const wchar_t* className = nullptr);

    // Ends every decoration and watch (each window gets its own procedure back) and removes
    // every hook and the timer.
    void EndOfProgram();

    // Ends the decoration of one control: its procedure restored, its record freed.
    void EndDecoration(HWND window);
    void EndWatch(HWND dialog);

    // Every 100 ms while the pointer is over decorated controls: the hover state follows it. Tests
    // call it directly.
    void TrackHover();
    // The pointer has come over a decorated control: the ticks begin (once).
    void StartHoverTimer();

    [[nodiscard]] FlatControl* FindControl(HWND window) const;
    [[nodiscard]] bool IsWatched(HWND dialog) const { return dialogs_.count(dialog) != 0; }
    [[nodiscard]] HWND Hovered() const { return hovered_; }
    [[nodiscard]] UINT_PTR HoverTimer() const { return hoverTimer_; }
    [[nodiscard]] std::size_t DecoratedCount() const { return controls_.size(); }
    [[nodiscard]] std::size_t HookedThreadCount() const;
    [[nodiscard]] int Mode() const { return mode_; }

private:
    friend class FlatControl;

    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam);
    // Every message of a decorated control (from its subclass).
    LRESULT OnControlMessage(FlatControl& control, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK HoverTimerProcedure(HWND, UINT, UINT_PTR, DWORD);

    void OnHookedMessage(const CWPSTRUCT& message);
    void TakeOver(HWND window, std::unique_ptr<FlatControl> control);
    void ReleaseIfIdle(HWND window);
    void StopHoverTimer();

    int mode_ = kDecorateDialogs;
    UINT_PTR hoverTimer_ = 0;
    std::map<DWORD, HHOOK> threadHooks_;
    std::map<HWND, std::unique_ptr<FlatControl>> controls_;
    std::map<HWND, std::unique_ptr<DialogWatcher>> dialogs_;
    HWND hovered_ = nullptr;
    mutable std::recursive_mutex hookLock_;
};

extern FlatLook theFlatLook;

} // namespace vk
