#include "framework/DockBar.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace vk::ui {
namespace {

// A press and release on the gripper closer together than this is a click, not a drag.
constexpr int kDragThreshold = 4;
constexpr DWORD kFloaterStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFloaterExStyle = WS_EX_TOOLWINDOW;

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    return point;
}

} // namespace

DockBar::DockBar() : floater_(*this) {}

DockBar::~DockBar() {
    Destroy();
}

DockBar::Floater::~Floater() {
    Destroy();
}

bool DockBar::CreateFor(HWND frame, ToolBarCtrl& toolBar, std::function<void()> relayout) {
    frame_ = frame;
    toolBar_ = &toolBar;
    relayout_ = std::move(relayout);
    const auto id = static_cast<UINT_PTR>(GetDlgCtrlID(toolBar.Handle()));
    if (!Create(L"VarnokleDockBar", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, 0, frame,
                reinterpret_cast<HMENU>(id))) {
        return false;
    }
    // The buttons' commands, tooltips and hot items go to the frame, whichever window holds the bar.
    toolBar.Send(TB_SETPARENT, reinterpret_cast<WPARAM>(frame));
    SetParent(toolBar.Handle(), Handle());
    Arrange(false);
    return true;
}

SIZE DockBar::Arrange(bool vertical) {
    const HWND bar = toolBar_->Handle();
    const LONG style = GetWindowLongW(bar, GWL_STYLE);
    SetWindowLongW(bar, GWL_STYLE, vertical ? (style | CCS_VERT) : (style & ~CCS_VERT));
    // In a column every button ends its own row.
    const auto count = static_cast<int>(toolBar_->Send(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTONINFOW info{sizeof info};
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        toolBar_->Send(TB_GETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        info.fsState = static_cast<BYTE>(vertical ? (info.fsState | TBSTATE_WRAP) : (info.fsState & ~TBSTATE_WRAP));
        toolBar_->Send(TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
    toolBar_->Send(TB_AUTOSIZE);
    SIZE size{0, 0};
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (toolBar_->Send(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
            size.cx = std::max(size.cx, item.right);
            size.cy = std::max(size.cy, item.bottom);
        }
    }
    // A little room after the last button, as a docked bar has.
    size.cx += vertical ? 2 : 4;
    size.cy += vertical ? 4 : 2;
    const bool docked = GetParent(bar) == Handle();
    const int x = docked && !vertical ? kGripper : 0;
    const int y = docked && vertical ? kGripper : 0;
    SetWindowPos(bar, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

PixelRect DockBar::LayOut(const PixelRect& area) {
    area_ = area;
    if (!Exists()) {
        return area;
    }
    if (!shown_ || floating_) {
        if (IsWindowVisible(Handle())) {
            ShowWindow(Handle(), SW_HIDE);
        }
        return area;
    }
    RECT bar{};
    GetWindowRect(toolBar_->Handle(), &bar);
    const bool vertical = IsVertical(side_);
    const int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    const DockedLayout layout = LayOutDockedBar(area, side_, thickness);
    SetWindowPos(Handle(), nullptr, layout.bar.left, layout.bar.top, layout.bar.Width(), layout.bar.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Handle(), nullptr, TRUE);
    return layout.rest;
}

void DockBar::DockAt(DockSide side) {
    side_ = side;
    floating_ = false;
    if (GetParent(toolBar_->Handle()) != Handle()) {
        SetParent(toolBar_->Handle(), Handle());
    }
    Arrange(IsVertical(side));
    if (floater_.Exists()) {
        ShowWindow(floater_.Handle(), SW_HIDE);
    }
    Relayout();
}

void DockBar::FloatAt(POINT screen) {
    if (!floater_.Exists() && !floater_.Create(L"VarnokleFloatingBar", L"", kFloaterStyle, kFloaterExStyle, screen.x,
                                               screen.y, 0, 0, frame_, nullptr)) {
        return; // no window to float in: the bar stays where it is
    }
    floating_ = true;
    SetParent(toolBar_->Handle(), floater_.Handle());
    const SIZE size = Arrange(false);
    RECT window{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&window, kFloaterStyle, FALSE, kFloaterExStyle);
    SetWindowPos(floater_.Handle(), nullptr, screen.x, screen.y, window.right - window.left, window.bottom - window.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (shown_) {
        ShowWindow(floater_.Handle(), SW_SHOWNA);
    }
    Relayout();
}

void DockBar::Show(bool shown) {
    shown_ = shown;
    if (floating_ && floater_.Exists()) {
        ShowWindow(floater_.Handle(), shown ? SW_SHOWNA : SW_HIDE);
    }
    Relayout();
}

void DockBar::Relayout() const {
    if (relayout_) {
        relayout_();
    }
}

RECT DockBar::GripperRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (IsVertical(side_)) {
        client.bottom = std::min(static_cast<int>(client.bottom), kGripper);
    } else {
        client.right = std::min(static_cast<int>(client.right), kGripper);
    }
    return client;
}

std::optional<DockSide> DockBar::SideAt(POINT screen) const {
    POINT point = screen;
    ScreenToClient(frame_, &point);
    return DockSideAt(area_, point.x, point.y);
}

void DockBar::LetGoAt(POINT screen) {
    if (const auto side = SideAt(screen)) {
        DockAt(*side);
    } else {
        FloatAt(screen);
    }
}

bool DockBar::ProcessMessage(Message& m) {
    // clang-format off
    static constexpr MessageEntry<DockBar> kMessages[] = {
        On(WM_PAINT, &DockBar::OnPaint),
        On(WM_SETCURSOR, &DockBar::OnSetCursor),
        On(WM_LBUTTONDOWN, &DockBar::OnButtonDown),
        On(WM_LBUTTONUP, &DockBar::OnButtonUp),
        On(WM_CAPTURECHANGED, &DockBar::OnCaptureChanged),
    };
    // clang-format on
    return DispatchMessageTable(*this, kMessages, m) || Window::ProcessMessage(m);
}

// The face colour, and the gripper: two raised ridges across the bar.
bool DockBar::OnPaint(Message&) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd_, &paint);
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const RECT gripper = GripperRect();
    for (int offset = 2; offset <= 5; offset += 3) {
        RECT ridge = gripper;
        if (IsVertical(side_)) {
            ridge = {gripper.left + 2, offset, gripper.right - 2, offset + 3};
        } else {
            ridge = {offset, gripper.top + 2, offset + 3, gripper.bottom - 2};
        }
        DrawEdge(dc, &ridge, BDR_RAISEDINNER, BF_RECT);
    }
    EndPaint(hwnd_, &paint);
    return true;
}

bool DockBar::OnSetCursor(Message& m) {
    if (reinterpret_cast<HWND>(m.wParam) != hwnd_ || LOWORD(m.lParam) != HTCLIENT) {
        return false;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(hwnd_, &point);
    const RECT gripper = GripperRect();
    if (!PtInRect(&gripper, point) && !dragFrom_) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
    m.result = TRUE;
    return true;
}

bool DockBar::OnButtonDown(Message& m) {
    const POINT point{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    const RECT gripper = GripperRect();
    if (PtInRect(&gripper, point)) {
        dragFrom_ = ScreenPoint(hwnd_, m.lParam);
        SetCapture(hwnd_);
    }
    return true;
}

bool DockBar::OnButtonUp(Message& m) {
    if (!dragFrom_) {
        return true;
    }
    const POINT from = *dragFrom_;
    dragFrom_.reset(); // before the capture goes, so that its notice finds no drag
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    const POINT to = ScreenPoint(hwnd_, m.lParam);
    if (std::abs(to.x - from.x) >= kDragThreshold || std::abs(to.y - from.y) >= kDragThreshold) {
        LetGoAt(to);
    }
    return true;
}

bool DockBar::OnCaptureChanged(Message&) {
    dragFrom_.reset(); // another window took the mouse: the drag is off
    return true;
}

bool DockBar::Floater::ProcessMessage(Message& m) {
    // clang-format off
    static constexpr MessageEntry<Floater> kMessages[] = {
        On(WM_NCLBUTTONDBLCLK, &Floater::OnCaptionDoubleClick),
        On(WM_EXITSIZEMOVE, &Floater::OnMoved),
        On(WM_CLOSE, &Floater::OnClose),
    };
    // clang-format on
    return DispatchMessageTable(*this, kMessages, m) || Window::ProcessMessage(m);
}

bool DockBar::Floater::OnCaptionDoubleClick(Message& m) {
    if (m.wParam != HTCAPTION) {
        return false;
    }
    bar_.DockAt(bar_.Side());
    return true;
}

bool DockBar::Floater::OnMoved(Message&) {
    // Moved by its caption and let go near a side of the frame: it docks there.
    POINT point{};
    GetCursorPos(&point);
    if (const auto side = bar_.SideAt(point)) {
        bar_.DockAt(*side);
    }
    return false;
}

bool DockBar::Floater::OnClose(Message&) {
    bar_.Show(false);
    return true;
}

} // namespace vk::ui
