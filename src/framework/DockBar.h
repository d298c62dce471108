#pragma once
// A dockable holder for a frame's toolbar. Docked, it lies along one side of the frame (the frame
// asks it for its place in LayOut) with a gripper before the buttons: on the left of a bar docked
// at the top or bottom, above the buttons of one docked on the left or right, where the buttons
// stand in a column. Dragging the gripper and letting go near a side of the frame's area docks the
// bar there; anywhere else floats it in a small tool window of its own at that place. Double-
// clicking the floating window's caption docks it back on the side it came from; moving that window
// near a side docks it there; closing it hides the bar. The toolbar's commands and notifications
// go to the frame wherever the bar is.

#include "framework/DockLayout.h"
#include "framework/ToolBar.h"

#include <functional>
#include <optional>

namespace vk::ui {

class DockBar final : public Window {
public:
    DockBar();
    ~DockBar() override;

    // Creates the holder as a child of frame (with the toolbar's id) and takes in the toolbar,
    // already created and loaded as a child of the frame. relayout: called when the bar has moved
    // to another side, floated, docked or been hidden, for the frame to lay itself out again.
    bool CreateFor(HWND frame, ToolBarCtrl& toolBar, std::function<void()> relayout);

    // The bar's place in area (the frame's client coordinates, what the status bar leaves); returns
    // what is left for the panes. A hidden or floating bar takes nothing.
    PixelRect LayOut(const PixelRect& area);

    void DockAt(DockSide side);
    // Floats the bar in its tool window with the window's top left corner at a screen point.
    void FloatAt(POINT screen);
    // Shows or hides the bar where it is (docked or floating).
    void Show(bool shown);

    [[nodiscard]] bool Shown() const { return shown_; }
    [[nodiscard]] bool Floating() const { return floating_; }
    // The side it is docked on, or goes back to when it floats.
    [[nodiscard]] DockSide Side() const { return side_; }
    [[nodiscard]] HWND FloatingWindow() const { return floater_.Handle(); }
    // The gripper's rectangle in the holder's client coordinates.
    [[nodiscard]] RECT GripperRect() const;

    // The gripper's size along the bar.
    static constexpr int kGripper = 8;

protected:
    bool ProcessMessage(Message& m) override;

private:
    // The floating bar's tool window.
    class Floater final : public Window {
    public:
        explicit Floater(DockBar& bar) : bar_(bar) {}
        ~Floater() override;

    protected:
        bool ProcessMessage(Message& m) override;

    private:
        bool OnCaptionDoubleClick(Message& m);
        bool OnMoved(Message& m);
        bool OnClose(Message& m);

        DockBar& bar_;
    };

    bool OnPaint(Message& m);
    bool OnSetCursor(Message& m);
    bool OnButtonDown(Message& m);
    bool OnButtonUp(Message& m);
    bool OnCaptureChanged(Message& m);

    // Lays the buttons out in a row or a column; returns the toolbar's size.
    SIZE Arrange(bool vertical);
    // Where the bar goes when let go at a screen point: a side of the frame, or floating.
    void LetGoAt(POINT screen);
    [[nodiscard]] std::optional<DockSide> SideAt(POINT screen) const;
    void Relayout() const;

    HWND frame_ = nullptr;
    ToolBarCtrl* toolBar_ = nullptr;
    std::function<void()> relayout_;
    Floater floater_;
    DockSide side_ = DockSide::Top;
    bool floating_ = false;
    bool shown_ = true;
    PixelRect area_;                // the area of the frame's last layout
    std::optional<POINT> dragFrom_; // where the gripper was grabbed, while it is dragged
};

} // namespace vk::ui
