#include "shell/win/RightFrameWnd.h"

#include "framework/WindowIds.h"

namespace vk {
namespace {

// The view's id while it is made, and the id a frame's view carries.
constexpr UINT kCreationId = 1;
constexpr UINT kViewId = ui::kFirstPaneId;

} // namespace

CRightFrameWnd::~CRightFrameWnd() {
    Destroy();
}

bool CRightFrameWnd::CreateIn(HWND parent, int width) {
    return Create(L"VarnokleInnerFrame", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, width, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kCreationId)));
}

bool CRightFrameWnd::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CRightFrameWnd> kMessages[] = {
        ui::On(WM_CREATE, &CRightFrameWnd::OnCreate),
        ui::On(WM_SIZE, &CRightFrameWnd::OnSize),
        ui::On(WM_SETFOCUS, &CRightFrameWnd::OnSetFocus),
    };
    // clang-format on
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::Window::ProcessMessage(m);
}

bool CRightFrameWnd::OnCreate(ui::Message& m) {
    // The frame stands even when its view could not be made: the main splitter keeps its column.
    if (view_.CreateIn(Handle(), kCreationId)) {
        SetWindowLongPtrW(view_.Handle(), GWLP_ID, static_cast<LONG_PTR>(kViewId));
        ShowWindow(view_.Handle(), SW_SHOWNA);
        FitView();
    }
    m.result = 0;
    return true;
}

bool CRightFrameWnd::OnSize(ui::Message&) {
    FitView();
    return true;
}

bool CRightFrameWnd::OnSetFocus(ui::Message&) {
    if (view_.Exists()) {
        SetFocus(view_.Handle());
    }
    return true;
}

void CRightFrameWnd::FitView() {
    if (!view_.Exists()) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT now{};
    GetWindowRect(view_.Handle(), &now);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != 0 || now.top != 0 || now.right != client.right || now.bottom != client.bottom) {
        MoveWindow(view_.Handle(), 0, 0, client.right, client.bottom, TRUE);
    }
}

} // namespace vk
