#pragma once
// One decorated control of the flat look. The flat look takes over the control's window
// procedure (a subclass, framework/Subclass.h) and hands every message to its FlatControl, which
// passes it on to the control's own procedure and draws a thin frame over the system's three-dimensional edges whenever
// the system may have drawn them. The frame deepens while the pointer is over the control (hover) or while it has the
// focus.
//
// The base class is the generic kind (list boxes, tree views, list views, ...); the other kinds
// (FlatKinds.h) override the five operations: handle a message, may take the hover state, get
// the drawing surface, draw the frame, has the focus.

#include "decor/FlatFrames.h"
#include "decor/win/Gdi.h"
#include "framework/Subclass.h"
#include "framework/Win32.h"

#include <cstdint>

namespace vk {

// Where a control's frame is drawn: a surface and the frame's rectangle on it.
struct FrameSurface {
    gdi::WindowDc dc;
    RECT rect{};
};

class FlatControl : public ui::Subclass {
public:
    explicit FlatControl(HWND window) : window_(window) {}

    [[nodiscard]] HWND Window() const { return window_; }
    [[nodiscard]] std::uint32_t Flags() const { return flags_; }
    [[nodiscard]] std::uint32_t FlagsAtLastDrawing() const { return flagsAtLastDrawing_; }
    [[nodiscard]] bool HasHover() const { return (flags_ & flat::kHover) != 0; }
    void SetHover(bool hover);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The pointer is over the control: may it take the hover state? (Not if it has it already.)
    [[nodiscard]] virtual bool MayTakeHover() const;
    [[nodiscard]] virtual FrameSurface DrawingSurface() const;
    virtual void DrawFrame(HDC dc, const RECT& rect);
    [[nodiscard]] virtual bool HasFocus() const;

    // Draws the frame for the control's current state. A deep frame is not drawn again while
    // the control keeps its hover or focus, unless the system has just drawn over it.
    void RedrawFrame(bool afterSystemDrawing = false);

    // For messages after which the control has drawn itself anew: passes the message on, draws
    // the frame over the control's drawing, and answers as the control did.
    LRESULT PassOnAndRedraw(UINT message, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = PassOn(message, wParam, lParam);
        RedrawFrame(true);
        return result;
    }

    // Set when the decoration has ended while the control was still busy with a message.
    [[nodiscard]] bool Ended() const { return ended_; }
    void MarkEnded() { ended_ = true; }
    int busy = 0;

protected:
    // Every message of the control, to the flat look (FlatLook::OnControlMessage).
    LRESULT OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    [[nodiscard]] DWORD Style() const { return static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)); }
    [[nodiscard]] DWORD ExStyle() const { return static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)); }
    [[nodiscard]] bool Disabled() const { return IsWindowEnabled(window_) == FALSE; }
    [[nodiscard]] bool HotOrFocused() const { return (flags_ & (flat::kHover | flat::kFocus)) != 0; }
    // The state flags are updated before each drawing; kinds may add their own bits.
    virtual void UpdateFlags() {}
    // The generic frame, then the control's own scroll bars drawn flat.
    void DrawGenericFrame(HDC dc, const RECT& rect);

    HWND window_;
    std::uint32_t flags_ = 0;
    std::uint32_t flagsAtLastDrawing_ = 0;

private:
    friend class FlatLook;

    bool ended_ = false;
};

// The window's rectangle relative to itself (0, 0 at its top left).
[[nodiscard]] RECT WindowRectAtOrigin(HWND window);

// The scroll bars of a window drawn flat: arrow buttons and thumb as rings. bar is the bar's
// rectangle on dc; hot when the control has hover or focus.
void DrawFlatScrollBar(HDC dc, const RECT& bar, bool vertical, HWND window, int which, bool hot, bool drawThumb);

} // namespace vk
