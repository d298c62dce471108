#include "decor/win/FlatControl.h"

#include "decor/FlatGeometry.h"
#include "decor/win/FlatLook.h"
#include "decor/win/FrameDrawing.h"

namespace vk {

RECT WindowRectAtOrigin(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

LRESULT FlatControl::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return theFlatLook.OnControlMessage(*this, message, wParam, lParam);
}

void FlatControl::SetHover(bool hover) {
    flags_ = hover ? (flags_ | flat::kHover) : (flags_ & ~flat::kHover);
}

bool FlatControl::MayTakeHover() const {
    return theFlatLook.Hovered() != window_;
}

FrameSurface FlatControl::DrawingSurface() const {
    return {gdi::WindowDc(window_, true), WindowRectAtOrigin(window_)};
}

bool FlatControl::HasFocus() const {
    return GetFocus() == window_;
}

void FlatControl::RedrawFrame(bool afterSystemDrawing) {
    if (ended_ || !IsWindow(window_)) {
        return;
    }
    FrameSurface surface = DrawingSurface();
    if (!surface.dc) {
        return;
    }
    RECT& rect = surface.rect;
    // A client edge inside a border: the frame replaces the edge and leaves the border.
    if ((ExStyle() & WS_EX_CLIENTEDGE) != 0) {
        RECT window{};
        GetWindowRect(window_, &window);
        POINT client{0, 0};
        ClientToScreen(window_, &client);
        if (client.x - window.left == 3) {
            InflateRect(&rect, -1, -1);
        }
    }
    flags_ = HasFocus() ? (flags_ | flat::kFocus) : (flags_ & ~flat::kFocus);
    flags_ = rect.bottom - rect.top <= flat::kSmallHeight ? (flags_ | flat::kSmall) : (flags_ & ~flat::kSmall);
    UpdateFlags();
    if (afterSystemDrawing || ShouldDrawFrame(flags_, flagsAtLastDrawing_)) {
        DrawFrame(surface.dc.Get(), rect);
    }
    flagsAtLastDrawing_ = flags_;
}

void FlatControl::DrawFrame(HDC dc, const RECT& rect) {
    DrawGenericFrame(dc, rect);
}

void FlatControl::DrawGenericFrame(HDC dc, const RECT& rect) {
    DrawRings(dc, rect, GenericFrame(flags_, Disabled()));
    const DWORD style = Style();
    if ((style & (WS_VSCROLL | WS_HSCROLL)) == 0) {
        return;
    }
    // The bars lie between the client area and the edges, in window coordinates.
    RECT window{};
    GetWindowRect(window_, &window);
    RECT client{};
    GetClientRect(window_, &client);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    const int left = origin.x - window.left;
    const int top = origin.y - window.top;
    const bool leftBar = (ExStyle() & WS_EX_LEFTSCROLLBAR) != 0;
    if ((style & WS_VSCROLL) != 0) {
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const int x = leftBar ? left - width : left + client.right;
        DrawFlatScrollBar(dc, {x, top, x + width, top + client.bottom}, true, window_, SB_VERT, HotOrFocused(), true);
    }
    if ((style & WS_HSCROLL) != 0) {
        const int height = GetSystemMetrics(SM_CYHSCROLL);
        const int y = top + client.bottom;
        DrawFlatScrollBar(dc, {left, y, left + client.right, y + height}, false, window_, SB_HORZ, HotOrFocused(),
                          true);
    }
}

LRESULT FlatControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        RedrawFrame();
        return PassOn(message, wParam, lParam);
    case WM_ENABLE:
    case WM_PAINT:
    case WM_NCPAINT:
        PassOnAndRedraw(message, wParam, lParam);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
        // Scrolling redraws the scroll bars the system's way, outside any paint message.
        if ((Style() & (WS_VSCROLL | WS_HSCROLL)) != 0) {
            return PassOnAndRedraw(message, wParam, lParam);
        }
        return PassOn(message, wParam, lParam);
    default:
        return PassOn(message, wParam, lParam);
    }
}

void DrawFlatScrollBar(HDC dc, const RECT& bar, bool vertical, HWND window, int which, bool hot, bool drawThumb) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(window, which, &info)) {
        return;
    }
    const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    const int arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    const ScrollParts parts = LayOutScrollBar(length, arrow, {info.nMin, info.nMax, info.nPage, info.nPos});
    const Frame rings = ButtonPartFrame(hot, false);
    // A stretch [from, to) along the bar as a rectangle.
    const auto along = [&](int from, int to) {
        return vertical ? RECT{bar.left, bar.top + from, bar.right, bar.top + to}
                        : RECT{bar.left + from, bar.top, bar.left + to, bar.bottom};
    };
    DrawRings(dc, along(0, parts.arrowLength), rings);
    DrawRings(dc, along(length - parts.arrowLength, length), rings);
    if (drawThumb && parts.thumb) {
        DrawRings(dc, along(parts.thumb->first, parts.thumb->second), rings);
    }
}

} // namespace vk
