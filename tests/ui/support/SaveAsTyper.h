#pragma once
// Answers the system's "Save As" dialog of this process the way a user does: once the dialog is
// up, with the keyboard in its file name box, it types a name and presses Enter (real key input
// through SendInput, from the watcher's thread while the dialog runs on the user interface thread).
// It keeps what the dialog showed: its owner and the filter selected at the start. Given a filter
// (numbered from 1), it first chooses that one in the file type box, as a user's pick does.

#include "ui/support/DialogWatcher.h"

#include <string>
#include <vector>

namespace vk::testing {

class SaveAsTyper {
public:
    explicit SaveAsTyper(std::wstring name, unsigned filter = 0)
        : name_(std::move(name)), filter_(filter),
          watcher_(
              L"Save As", [this](HWND dialog) { Type(dialog); }, std::chrono::seconds(20), &KeysInNameBox) {}

    // Stops waiting; afterwards the results can be read.
    void Join() {
        watcher_.Join();
        found = watcher_.Found();
    }

    bool found = false;
    HWND owner = nullptr;
    std::wstring filterShown; // the text of the file type box when the dialog opened

private:
    static constexpr int kFileNameBox = 1148;
    static constexpr int kFileTypeBox = 1136;

    static bool KeysInNameBox(HWND dialog) {
        const HWND box = GetDlgItem(dialog, kFileNameBox);
        GUITHREADINFO gui{sizeof gui};
        return box && GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui) &&
               (gui.hwndFocus == box || IsChild(box, gui.hwndFocus));
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

    void Type(HWND dialog) {
        owner = GetWindow(dialog, GW_OWNER);
        wchar_t filter[128] = {};
        SendMessageW(GetDlgItem(dialog, kFileTypeBox), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(filter));
        filterShown = filter;
        if (filter_ != 0) {
            const HWND types = GetDlgItem(dialog, kFileTypeBox);
            SendMessageW(types, CB_SETCURSEL, filter_ - 1, 0);
            // What a pick in the closed list sends: the change, then its end.
            for (const WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, code), reinterpret_cast<LPARAM>(types));
            }
        }

        std::vector<INPUT> inputs;
        for (const wchar_t c : name_) {
            Press(inputs, 0, c);
        }
        Press(inputs, VK_RETURN, 0);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    std::wstring name_;
    unsigned filter_;
    DialogWatcher watcher_;
};

} // namespace vk::testing
