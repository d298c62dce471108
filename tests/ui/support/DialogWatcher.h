#pragma once
// Watching for a dialog that the code under test opens modally (a message box, a modal dialog, the
// system's file dialogs): a thread of its own waits for a shown top-level dialog window of this
// process with a given title, and ready for what is to be done, then acts on it with messages or
// input, which the dialog's own thread carries out.

#include "engine/EngineTexts.h"
#include "framework/Win32.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace vk::testing {

class DialogWatcher {
public:
    // ready, if given, says when the shown dialog can be acted on (the keyboard in a box, say).
    DialogWatcher(std::wstring title, std::function<void(HWND)> act,
                  std::chrono::milliseconds patience = std::chrono::seconds(20), std::function<bool(HWND)> ready = {})
        : title_(std::move(title)), act_(std::move(act)), ready_(std::move(ready)), patience_(patience),
          thread_([this] { Run(); }) {}
    ~DialogWatcher() { Join(); }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Stops waiting (an action that has begun ends first); afterwards the results can be read.
    void Join() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    // Whether the dialog appeared and the action ran.
    [[nodiscard]] bool Found() const { return found_; }

private:
    struct Search {
        const std::wstring* title;
        HWND found;
    };

    static BOOL CALLBACK Consider(HWND window, LPARAM context) {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process != GetCurrentProcessId() || std::wstring(className) != L"#32770" || !IsWindowVisible(window)) {
            return TRUE;
        }
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        if (*search->title != title) {
            return TRUE;
        }
        search->found = window;
        return FALSE;
    }

    void Run() {
        const auto deadline = std::chrono::steady_clock::now() + patience_;
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            // Shown: its initialisation is over.
            Search search{&title_, nullptr};
            EnumWindows(&DialogWatcher::Consider, reinterpret_cast<LPARAM>(&search));
            if (search.found && (!ready_ || ready_(search.found))) {
                act_(search.found);
                found_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::wstring title_;
    std::function<void(HWND)> act_;
    std::function<bool(HWND)> ready_;
    std::chrono::milliseconds patience_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> found_{false};
    std::thread thread_;
};

// Waits for a dialog (by default a message box captioned "Varnokle"), keeps what it shows and
// closes it with OK.
class DialogCloser {
public:
    explicit DialogCloser(std::wstring title = kProgramName,
                          std::chrono::milliseconds patience = std::chrono::seconds(20))
        : watcher_(
              std::move(title), [this](HWND box) { Keep(box); }, patience) {}

    // Whether the dialog has been seen and closed (Join before reading what it showed).
    [[nodiscard]] bool Done() const { return watcher_.Found(); }

    // Stops waiting; afterwards the results can be read.
    void Join() {
        watcher_.Join();
        found = watcher_.Found();
    }

    bool found = false;
    std::wstring text; // a message box's text
    HWND owner = nullptr;
    RECT rect{};          // where it was shown, on the screen
    HICON icon = nullptr; // the picture of its first icon control
    SIZE picture{0, 0};   // the size of the bitmap of its first bitmap control

private:
    static BOOL CALLBACK Inspect(HWND control, LPARAM context) {
        auto* self = reinterpret_cast<DialogCloser*>(context);
        const auto style = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
        wchar_t className[16] = {};
        GetClassNameW(control, className, 16);
        if (_wcsicmp(className, L"Static") != 0) {
            return TRUE;
        }
        if (style == SS_ICON && !self->icon) {
            self->icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
        } else if (style == SS_BITMAP && self->picture.cx == 0) {
            const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
            BITMAP info{};
            if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
                self->picture = {info.bmWidth, info.bmHeight};
            }
        }
        return TRUE;
    }

    void Keep(HWND box) {
        wchar_t buffer[512] = {};
        GetDlgItemTextW(box, 0xFFFF, buffer, 512); // the text of a message box
        text = buffer;
        owner = GetWindow(box, GW_OWNER);
        GetWindowRect(box, &rect);
        EnumChildWindows(box, &DialogCloser::Inspect, reinterpret_cast<LPARAM>(this));
        SendMessageW(box, WM_COMMAND, IDOK, 0);
    }

    DialogWatcher watcher_;
};

} // namespace vk::testing
