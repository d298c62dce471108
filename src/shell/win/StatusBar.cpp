#include "shell/win/StatusBar.h"

#include "framework/WindowIds.h"

#include <algorithm>

namespace vk {
namespace {

constexpr int kCountPaneWidth = 90; // the item count pane

} // namespace

bool CStatusBar::CreateFor(HWND parent) {
    RECT client{};
    GetClientRect(parent, &client);
    const int width = client.right - client.left;
    const int edges[2] = {std::max(width - kCountPaneWidth, 0), -1};
    return CreateBar(parent, ui::kStatusBarId, edges, 2);
}

int CStatusBar::Resize(int width) const {
    const int edges[2] = {std::max(width - kCountPaneWidth, 0), -1};
    Send(SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    Send(WM_SIZE);
    RECT bar{};
    GetWindowRect(hwnd_, &bar);
    return bar.bottom - bar.top;
}

} // namespace vk
