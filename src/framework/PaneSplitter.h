#pragma once
// A splitter window: a grid of panes (rows and columns) separated by thin bars that the user can
// drag. The panes' sizes follow the splitter rule (see SplitterLayout.h): each row and column
// has an ideal and a minimum size, which the owner sets and the user's drags change; every
// layout puts the panes in their cells at once, in one deferred positioning, and leaves alone the
// panes that are already where they belong.
//
// The splitter owns its pane objects. A pane is a form view that the splitter creates, or a window
// that its owner has created as the splitter's child; either way it gets the control id of its
// cell (ui::kFirstPaneId + 16 * row + column).

#include "framework/FormView.h"
#include "framework/SplitterLayout.h"
#include "framework/WindowIds.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vk {

class CPaneSplitter final : public ui::Window {
public:
    CPaneSplitter() = default;
    ~CPaneSplitter() override;

    // Creates the splitter, child and visible, with rows x columns empty cells.
    // id: the splitter's own; a splitter that is itself a pane carries the first pane's.
    bool CreateStatic(HWND parent, int rows, int columns, UINT id = ui::kFirstPaneId);

    // Creates the view in cell (row, column) and keeps it. The cell's column and row take the
    // initial size's width and height as their ideal sizes. The view's initial update is the
    // owner's to call.
    bool CreateView(int row, int column, std::unique_ptr<ui::FormView> view, SIZE initial);
    // Takes a window that its owner made as a child of the splitter as the pane of a cell.
    bool AddPane(int row, int column, std::unique_ptr<ui::Window> pane, SIZE initial);

    // Swaps the view of one cell: creates the one that make() returns, destroys the view that is
    // there, lays the panes out again, sends the new view a size message of 0 by 0 and runs its
    // initial update; if the old view held the focus, the new one gets it. Returns false, and
    // leaves the cell as it was, when the new view cannot be made.
    // The old view's object lives on until the messages waiting now have been handled, so a view
    // may ask for its own replacement from one of its handlers.
    using ViewFactory = std::function<std::unique_ptr<ui::FormView>()>;
    bool ReplaceView(int row, int column, const ViewFactory& make);

    void SetColumnInfo(int column, int ideal, int minimum);
    void SetRowInfo(int row, int ideal, int minimum);
    [[nodiscard]] PaneSize ColumnInfo(int column) const { return columns_.at(static_cast<std::size_t>(column)); }
    [[nodiscard]] PaneSize RowInfo(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    // Puts every pane in its cell for the splitter's present size.
    void RecalcLayout();

    [[nodiscard]] ui::Window* Pane(int row, int column) const;
    [[nodiscard]] int RowCount() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] int ColumnCount() const { return static_cast<int>(columns_.size()); }
    [[nodiscard]] static UINT PaneId(int row, int column) { return ui::kFirstPaneId + 16 * row + column; }

    // Where the bars are, in client coordinates (spans of the last layout).
    [[nodiscard]] const std::vector<PaneSpan>& ColumnSpans() const { return columnSpans_; }
    [[nodiscard]] const std::vector<PaneSpan>& RowSpans() const { return rowSpans_; }
    [[nodiscard]] bool Dragging() const { return drag_.has_value(); }

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    // A bar the user is dragging: which one, where it was grabbed, and the sizes to go back to.
    struct Drag {
        bool column = true;
        int index = 0;
        int grab = 0; // the pointer's distance from the bar's start
        std::vector<PaneSize> saved;
        HWND previousFocus = nullptr;
    };
    struct Bar {
        bool column = true;
        int index = -1;
    };

    [[nodiscard]] std::size_t Cell(int row, int column) const {
        return static_cast<std::size_t>(row) * columns_.size() + static_cast<std::size_t>(column);
    }
    [[nodiscard]] bool ValidCell(int row, int column) const;
    bool Adopt(int row, int column, std::unique_ptr<ui::Window> pane, SIZE initial);
    [[nodiscard]] std::optional<Bar> BarAtPoint(POINT point) const;
    void StartDrag(const Bar& bar, POINT point);
    void TrackDrag(POINT point);
    void EndDrag(bool keep);
    void Paint();

    bool OnSize(ui::Message& m);
    bool OnPaint(ui::Message& m);
    bool OnEraseBackground(ui::Message& m);
    bool OnSetCursor(ui::Message& m);
    bool OnButtonDown(ui::Message& m);
    bool OnMouseMove(ui::Message& m);
    bool OnButtonUp(ui::Message& m);
    bool OnCaptureChanged(ui::Message& m);
    bool OnKeyDown(ui::Message& m);
    bool OnReleaseRetired(ui::Message& m);

    std::vector<PaneSize> columns_;
    std::vector<PaneSize> rows_;
    std::vector<std::unique_ptr<ui::Window>> panes_; // by row, then column
    std::vector<PaneSpan> columnSpans_;
    std::vector<PaneSpan> rowSpans_;
    std::optional<Drag> drag_;
    // Views that ReplaceView took out, kept until the messages waiting then have been handled.
    std::vector<std::unique_ptr<ui::Window>> retired_;
};

// Has the window, its frame and every window inside it painted afresh (at the next paint): what a
// window needs after it was moved or sized, so that none of its controls keeps stale pixels.
void RepaintWhole(HWND window);

} // namespace vk
