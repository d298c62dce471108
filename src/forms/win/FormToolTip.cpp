#include "forms/win/FormToolTip.h"

#include "platform/DebugTrace.h"

#include <algorithm>
#include <vector>

namespace vk {
namespace {

// How wide a tip may grow before its lines are broken; also what makes "\r\n" break a line.
constexpr int kMaxTipWidth = 400;

// The hook that feeds the tooltips, and the forms whose messages each one gets. User interface
// thread only.
HHOOK relayHook = nullptr;

struct RelayTarget {
    HWND form;
    HWND tip;
};
std::vector<RelayTarget>& Targets() {
    static std::vector<RelayTarget> targets;
    return targets;
}

LRESULT CALLBACK RelayProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        try {
            auto* msg = reinterpret_cast<MSG*>(lParam);
            for (const RelayTarget& target : Targets()) {
                if (msg->hwnd && (msg->hwnd == target.form || IsChild(target.form, msg->hwnd))) {
                    SendMessageW(target.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
                }
            }
        } catch (...) {
            // Relaying is a nicety: nothing may unwind through the system.
            DebugTrace(L"a message could not be relayed to a form's tooltip");
        }
    }
    return CallNextHookEx(relayHook, code, wParam, lParam);
}

} // namespace

FormToolTip::~FormToolTip() {
    Destroy();
}

bool FormToolTip::Create(HWND form) {
    Destroy();
    tip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip_) {
        return false;
    }
    form_ = form;
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    Targets().push_back({form_, tip_});
    if (!relayHook) {
        relayHook = SetWindowsHookExW(WH_GETMESSAGE, RelayProcedure, nullptr, GetCurrentThreadId());
    }
    return true;
}

void FormToolTip::AddTool(HWND control, const wchar_t* text) const {
    if (!tip_ || !control) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Over an editable combo box's text the mouse's messages go to its edit part, a window of its
    // own: that is a tool with the same text.
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    if (GetComboBoxInfo(control, &combo) && combo.hwndItem && combo.hwndItem != control) {
        tool.uId = reinterpret_cast<UINT_PTR>(combo.hwndItem);
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void FormToolTip::Activate() const {
    SendMessageW(tip_, TTM_ACTIVATE, TRUE, 0);
}

void FormToolTip::Destroy() {
    if (!tip_) {
        return;
    }
    auto& targets = Targets();
    targets.erase(
        std::remove_if(targets.begin(), targets.end(), [this](const RelayTarget& t) { return t.tip == tip_; }),
        targets.end());
    if (targets.empty() && relayHook) {
        UnhookWindowsHookEx(relayHook);
        relayHook = nullptr;
    }
    if (IsWindow(tip_)) {
        DestroyWindow(tip_);
    }
    tip_ = nullptr;
    form_ = nullptr;
}

} // namespace vk
