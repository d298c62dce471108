#include "decor/win/FlatLook.h"

#include "decor/DecoratorChoice.h"
#include "decor/win/FlatKinds.h"
#include "decor/win/VisualStyles.h"
#include "platform/DebugTrace.h"

#include <string>
#include <vector>

namespace vk {
namespace {

// The styles the choice reads must be the system's.
static_assert(styles::kButtonFlat == BS_FLAT);
static_assert(styles::kComboSimple == CBS_SIMPLE);
static_assert(styles::kScrollSizeBoxOrGrip == (SBS_SIZEBOX | SBS_SIZEGRIP));
static_assert(styles::kHeaderButtons == HDS_BUTTONS);
static_assert(styles::kToolbarFlat == TBSTYLE_FLAT);
static_assert(styles::kDateTimeUpDown == DTS_UPDOWN);
static_assert(styles::kExClientEdge == WS_EX_CLIENTEDGE);
static_assert(styles::kChild == WS_CHILD);

std::wstring ClassName(HWND window) {
    wchar_t name[65] = {};
    GetClassNameW(window, name, 65);
    return name;
}

DWORD StyleOf(HWND window) {
    return window ? static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) : 0;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

} // namespace

FlatLook theFlatLook;

FlatLook::~FlatLook() {
    EndOfProgram();
}

bool FlatLook::SwitchOn(DWORD threadId, int mode) {
    std::lock_guard lock(hookLock_);
    const DWORD thread = threadId == kCallingThread ? GetCurrentThreadId() : threadId;
    mode_ = mode;
    if (threadHooks_.count(thread) != 0) {
        return true;
    }
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &FlatLook::HookProcedure, nullptr, thread);
    if (!hook) {
        return false;
    }
    threadHooks_[thread] = hook;
    return true;
}

void FlatLook::SwitchOff(DWORD threadId) {
    std::lock_guard lock(hookLock_);
    const DWORD thread = threadId == kCallingThread ? GetCurrentThreadId() : threadId;
    const auto found = threadHooks_.find(thread);
    if (found != threadHooks_.end()) {
        UnhookWindowsHookEx(found->second);
        threadHooks_.erase(found);
    }
    if (threadHooks_.empty()) {
        StopHoverTimer();
    }
}

std::size_t FlatLook::HookedThreadCount() const {
    std::lock_guard lock(hookLock_);
    return threadHooks_.size();
}

LRESULT CALLBACK FlatLook::HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(theFlatLook.hookLock_);
    if (code == HC_ACTION && lParam != 0) {
        try {
            theFlatLook.OnHookedMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        } catch (...) {
            // The window keeps the system's look; the message goes on regardless.
            DebugTrace(L"a window could not be decorated");
        }
    }
    const auto found = theFlatLook.threadHooks_.find(GetCurrentThreadId());
    return CallNextHookEx(found != theFlatLook.threadHooks_.end() ? found->second : nullptr, code, wParam, lParam);
}

void FlatLook::OnHookedMessage(const CWPSTRUCT& message) {
    if (mode_ == kDecorateDialogs) {
        if (message.message == WM_INITDIALOG) {
            DecorateDialog(message.hwnd);
        }
        return;
    }
    if (message.message == WM_CREATE && (StyleOf(message.hwnd) & WS_CHILD) != 0 &&
        !SameClassName(ClassName(message.hwnd), kScrollBarClass)) {
        DecorateControl(message.hwnd);
    }
}

void FlatLook::DecorateDialog(HWND dialog) {
    if (!dialog || IsWatched(dialog)) {
        return;
    }
    std::vector<HWND> decorated;
    for (HWND child : ChildrenOf(dialog)) {
        if ((StyleOf(child) & WS_CHILD) != 0 && !SameClassName(ClassName(child), kDialogClass) &&
            DecorateControl(child)) {
            decorated.push_back(child);
        }
    }
    auto watcher = std::make_unique<DialogWatcher>(dialog);
    if (watcher->Start()) {
        dialogs_[dialog] = std::move(watcher);
    }
    for (HWND child : decorated) {
        if (FlatControl* control = FindControl(child)) {
            control->RedrawFrame();
        }
    }
}

bool FlatLook::DecorateControl(HWND window, const wchar_t* className) {
    if (!window || !IsWindow(window) || FindControl(window)) {
        return false;
    }
    // A themed control keeps the theme's look.
    if (DrawnByTheme(window)) {
        return false;
    }
    const std::wstring name = className ? std::wstring(className) : ClassName(window);
    HWND parent = GetParent(window);
    const std::wstring parentName = parent ? ClassName(parent) : std::wstring();
    const DecoratorChoice choice =
        ChooseDecorator({name, StyleOf(window), static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), parentName,
                         StyleOf(parent)});
    if (choice.decorateEachChild) {
        for (HWND child : ChildrenOf(window)) {
            DecorateControl(child);
        }
    }
    bool taken = false;
    if (auto control = MakeFlatControl(choice.kind, window)) {
        TakeOver(window, std::move(control));
        taken = FindControl(window) != nullptr;
    }
    if (choice.decorateFirstChild) {
        DecorateControl(GetWindow(window, GW_CHILD));
    }
    return taken;
}

void FlatLook::TakeOver(HWND window, std::unique_ptr<FlatControl> control) {
    FlatControl* record = control.get();
    controls_[window] = std::move(control);
    if (!record->Install(window)) {
        controls_.erase(window);
        return;
    }
}

FlatControl* FlatLook::FindControl(HWND window) const {
    const auto found = window ? controls_.find(window) : controls_.end();
    return found != controls_.end() ? found->second.get() : nullptr;
}

void FlatLook::EndDecoration(HWND window) {
    FlatControl* control = FindControl(window);
    if (!control) {
        return;
    }
    control->Remove();
    control->MarkEnded();
    if (hovered_ == window) {
        hovered_ = nullptr;
    }
    ReleaseIfIdle(window);
}

void FlatLook::ReleaseIfIdle(HWND window) {
    const auto found = controls_.find(window);
    if (found == controls_.end() || found->second->busy > 0 || !found->second->Ended()) {
        return;
    }
    controls_.erase(found);
    if (controls_.empty()) {
        StopHoverTimer();
    }
}

void FlatLook::EndWatch(HWND dialog) {
    const auto found = dialogs_.find(dialog);
    if (found == dialogs_.end()) {
        return;
    }
    found->second->Stop();
    dialogs_.erase(found);
}

void FlatLook::EndOfProgram() {
    {
        std::lock_guard lock(hookLock_);
        for (const auto& [thread, hook] : threadHooks_) {
            UnhookWindowsHookEx(hook);
        }
        threadHooks_.clear();
    }
    std::vector<HWND> windows;
    for (const auto& [window, control] : controls_) {
        windows.push_back(window);
    }
    for (HWND window : windows) {
        EndDecoration(window);
    }
    // A control still inside one of its own messages is freed when that message returns.
    std::vector<HWND> dialogs;
    for (const auto& [dialog, watcher] : dialogs_) {
        dialogs.push_back(dialog);
    }
    for (HWND dialog : dialogs) {
        EndWatch(dialog);
    }
    hovered_ = nullptr;
    StopHoverTimer();
}

LRESULT FlatLook::OnControlMessage(FlatControl& control, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = control.Window();
    if (control.Ended()) {
        return control.PassOn(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = control.PassOn(message, wParam, lParam);
        EndDecoration(window);
        return result;
    }
    if (message == WM_THEMECHANGED) {
        // Visual styles turned on: the theme draws the control from now on.
        const LRESULT result = control.PassOn(message, wParam, lParam);
        if (DrawnByTheme(window)) {
            EndDecoration(window);
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        }
        return result;
    }
    // The pointer is over the control (or a child of it, whose WM_SETCURSOR comes to its parent):
    // the hover timer follows it until it leaves every decorated control.
    if (message == WM_SETCURSOR || message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
        StartHoverTimer();
    }
    ++control.busy;
    LRESULT result = 0;
    try {
        result = control.HandleMessage(message, wParam, lParam);
    } catch (...) {
        DebugTrace(L"a decorated control failed on message " + std::to_wstring(message) + L"; answered with 0");
    }
    --control.busy;
    // The control may be freed here: nothing of it is touched after.
    ReleaseIfIdle(window);
    return result;
}

void FlatLook::StartHoverTimer() {
    if (hoverTimer_ == 0) {
        hoverTimer_ = SetTimer(nullptr, 0, kHoverInterval, &FlatLook::HoverTimerProcedure);
    }
}

void FlatLook::StopHoverTimer() {
    if (hoverTimer_ != 0) {
        KillTimer(nullptr, hoverTimer_);
        hoverTimer_ = 0;
    }
}

void CALLBACK FlatLook::HoverTimerProcedure(HWND, UINT, UINT_PTR, DWORD) {
    try {
        theFlatLook.TrackHover();
    } catch (...) {
        // The next tick tries again.
        DebugTrace(L"the hover tracking failed");
    }
}

void FlatLook::TrackHover() {
    if (controls_.empty() || GetCapture() != nullptr) {
        return;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    HWND under = WindowFromPoint(pointer);
    FlatControl* found = FindControl(under);
    if (!found && under) {
        found = FindControl(GetParent(under));
    }
    if (found) {
        if (!found->MayTakeHover()) {
            return;
        }
        if (FlatControl* previous = FindControl(hovered_)) {
            previous->SetHover(false);
            previous->RedrawFrame();
        }
        found->SetHover(true);
        hovered_ = found->Window();
        found->RedrawFrame();
        return;
    }
    if (FlatControl* previous = FindControl(hovered_)) {
        previous->SetHover(false);
        previous->RedrawFrame();
    }
    hovered_ = nullptr;
    // The pointer has left the decorated controls: no more ticks until it comes back.
    StopHoverTimer();
}

} // namespace vk
