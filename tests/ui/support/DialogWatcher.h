#pragma once
// Watching for a dialog that the code under test opens modally (a message box, a modal dialog):
// a thread of its own waits for the top-level dialog window with a given title to be shown, then
// acts on it with messages, which the dialog's own thread carries out.

#include "engine/SearchEngine.h"
#include "framework/Win32.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace vk::testing {

class DialogWatcher {
public:
    DialogWatcher(std::wstring title, std::function<void(HWND)> act)
        : title_(std::move(title)), act_(std::move(act)), thread_([this] { Run(); }) {}
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
    void Run() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            // Shown: its initialisation is over.
            const HWND dialog = FindWindowW(L"#32770", title_.c_str());
            if (dialog && IsWindowVisible(dialog)) {
                act_(dialog);
                found_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::wstring title_;
    std::function<void(HWND)> act_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> found_{false};
    std::thread thread_;
};

// Waits for a message box captioned "Varnokle", keeps what it shows and closes it with OK.
class MessageBoxCloser {
public:
    MessageBoxCloser()
        : watcher_(kProgramName, [this](HWND box) {
              wchar_t buffer[512] = {};
              GetDlgItemTextW(box, 0xFFFF, buffer, 512); // the text of a message box
              text = buffer;
              owner = GetWindow(box, GW_OWNER);
              SendMessageW(box, WM_COMMAND, IDOK, 0);
          }) {}

    // Whether the box has been seen and closed (Join before reading what it showed).
    [[nodiscard]] bool Done() const { return watcher_.Found(); }

    // Stops waiting; afterwards the results can be read.
    void Join() {
        watcher_.Join();
        found = watcher_.Found();
    }

    bool found = false;
    std::wstring text;
    HWND owner = nullptr;

private:
    DialogWatcher watcher_;
};

} // namespace vk::testing
