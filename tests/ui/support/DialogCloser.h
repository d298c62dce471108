#pragma once
// Waits on a thread of its own for a dialog of this process (a message box, a modal dialog) with
// a given caption, keeps what it shows and closes it with OK, so that a test can run a command
// that opens a modal window on the user interface thread.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace vk::testing {

class DialogCloser {
public:
    explicit DialogCloser(std::wstring caption, std::chrono::milliseconds patience = std::chrono::seconds(20))
        : caption_(std::move(caption)), patience_(patience), thread_([this] { Run(); }) {}
    ~DialogCloser() { Join(); }
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

    // Stops waiting; afterwards the results can be read.
    void Join() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    bool found = false;
    std::wstring text; // a message box's text
    HWND owner = nullptr;
    HICON icon = nullptr; // the picture of its first icon control
    SIZE picture{0, 0};   // the size of the bitmap of its first bitmap control

private:
    struct Search {
        const std::wstring* caption;
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
        if (*search->caption != title) {
            return TRUE;
        }
        search->found = window;
        return FALSE;
    }

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

    void Run() {
        const auto deadline = std::chrono::steady_clock::now() + patience_;
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            Search search{&caption_, nullptr};
            EnumWindows(&DialogCloser::Consider, reinterpret_cast<LPARAM>(&search));
            if (const HWND box = search.found) {
                wchar_t buffer[512] = {};
                GetDlgItemTextW(box, 0xFFFF, buffer, 512); // the text of a message box
                text = buffer;
                owner = GetWindow(box, GW_OWNER);
                EnumChildWindows(box, &DialogCloser::Inspect, reinterpret_cast<LPARAM>(this));
                found = true;
                SendMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::wstring caption_;
    std::chrono::milliseconds patience_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace vk::testing
