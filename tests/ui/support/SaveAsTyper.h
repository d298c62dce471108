#pragma once
// Answers the system's "Save As" dialog of this process the way a user does: once the dialog is
// up, with the keyboard in its file name box, it types a name and presses Enter (real key input
// through SendInput, from a thread of its own while the dialog runs on the user interface thread).
// It keeps what the dialog showed: its owner and the filter selected at the start.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace vk::testing {

class SaveAsTyper {
public:
    explicit SaveAsTyper(std::wstring name) : name_(std::move(name)), thread_([this] { Run(); }) {}
    ~SaveAsTyper() { Join(); }
    SaveAsTyper(const SaveAsTyper&) = delete;
    SaveAsTyper& operator=(const SaveAsTyper&) = delete;

    void Join() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    bool found = false;
    HWND owner = nullptr;
    std::wstring filterShown; // the text of the file type box when the dialog opened

private:
    static constexpr int kFileNameBox = 1148;
    static constexpr int kFileTypeBox = 1136;

    static HWND FindDialog() {
        struct Search {
            HWND found = nullptr;
        } search;
        EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t title[64] = {};
                GetWindowTextW(window, title, 64);
                if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(title) == L"Save As") {
                    reinterpret_cast<Search*>(context)->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static void Press(std::vector<INPUT>& inputs, WORD key, wchar_t character) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        down.ki.wScan = character;
        down.ki.dwFlags = character ? KEYEVENTF_UNICODE : 0;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }

    void Run() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        HWND dialog = nullptr;
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            dialog = FindDialog();
            const HWND box = dialog ? GetDlgItem(dialog, kFileNameBox) : nullptr;
            GUITHREADINFO gui{sizeof gui};
            if (box && GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui) &&
                (gui.hwndFocus == box || IsChild(box, gui.hwndFocus))) {
                break;
            }
            dialog = nullptr;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!dialog) {
            return;
        }
        found = true;
        owner = GetWindow(dialog, GW_OWNER);
        wchar_t filter[128] = {};
        SendMessageW(GetDlgItem(dialog, kFileTypeBox), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(filter));
        filterShown = filter;

        std::vector<INPUT> inputs;
        for (const wchar_t c : name_) {
            Press(inputs, 0, c);
        }
        Press(inputs, VK_RETURN, 0);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    std::wstring name_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace vk::testing
