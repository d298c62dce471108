#pragma once
// The result list: the list-view control of the result view, taken over when the view is made.
// It is an owner-data list: the control keeps only the count, the selection and the focus, and
// the rows themselves (texts, images, data values) are the model here, which the parent reads
// when the control asks for a cell (LVN_GETDISPINFO). Sorting, emptying and deleting are done on
// the model, so they cost about what the model's work costs even at a million rows. Besides the
// row operations it carries the guarded row operations that the engine's threads use, the pop-up
// menu of a right click on a row, the Delete key, a tooltip over each cell, and the walks over the
// selected rows.
//
// Guarded operations and threads. Each operation is one message sent synchronously: from an
// engine thread the message crosses to the user interface thread, which carries it out on the
// model while the engine thread waits. Engine threads hold listLock around each operation. The user
// interface thread does not take listLock: an engine thread may hold it while it waits inside
// the send for this very thread, and a user interface thread blocked on the lock would never
// carry that message out. Its own operations cannot interleave with an engine thread's anyway:
// the engine's messages are carried out only while the user interface thread handles messages,
// never in the middle of one of its own sends.
//
// The control's count. Rows that go in behind those the control knows of (a search's hits), and a
// batch among them that moves neither a row in view nor a selected or the focused row (the batches
// of walkers that run at once interleave), only grow the model: the control learns the new count
// when ShowNewRows is called (the result view does so a few times a second while rows stream in),
// and at once when anything else asks the control about its rows (a list-view message, a key, a
// click, the scroll bar). While a search runs, the result view gives it only rows the user would
// see (ShowNewRowsIfSeen), and the rest once the search has ended. The item count this control
// answers (LVM_GETITEMCOUNT) is always the model's.

#include "engine/EngineSeams.h"
#include "framework/Controls.h"
#include "results/ResultRows.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// The columns' sub-item indexes.
inline constexpr int kNameColumn = 0;
inline constexpr int kSizeColumn = 1;
inline constexpr int kPathColumn = 2;
// Its text is asked of the list's parent when a row is drawn (see the result view).
inline constexpr int kModifiedColumn = 3;

// What changed in the rows, for the parent (see rowsChanged).
enum class RowChange {
    kBatchInserted,  // a batch of rows went in, moving rows in view or selected ones
    kBatchOutOfView, // a batch went in where it moves no row in view and no selected row
    kRowInserted,    // a row went in on its own
    kRowsDeleted,    // selected rows went
    kEmptied,        // every row went
};

class CResultListCtrl final : public ui::ListViewCtrl, public IResultList {
public:
    ~CResultListCtrl() override;

    // After the control is taken over: the tooltips of the cells.
    void EnableToolTips();

    // The guarded row operations (any thread). GetItemCount takes no lock: callers that need a
    // stable count hold countLock.
    [[nodiscard]] int GetItemCount() override;
    int InsertRow(int position, std::wstring_view text, int image) override;
    bool SetColumnText(int row, int column, std::wstring_view text) override;
    bool SetRowData(int row, std::intptr_t data) override;
    [[nodiscard]] std::intptr_t GetRowData(int row) override;
    void DeleteAllRows() override;
    // A batch of rows in one message from an engine thread; the list is painted and the item
    // count shown once for the batch (see rowsChanged), not once per row.
    int InsertRows(int position, std::span<const NewRow> rows) override;

    // Called on the user interface thread after each change of the rows.
    std::function<void(RowChange)> rowsChanged;
    // Gives the control the rows it has not been told of yet (user interface thread). Only what
    // they change is repainted: the new rows in view and the scroll bar; the rows shown stay.
    void ShowNewRows();
    // The same while rows stream in, but only when the user would see a difference (a new row in
    // view, the scroll bar's thumb moved or resized by a pixel), and no sooner after the last time
    // than a few times what that one cost: under Wine giving the count repaints the scroll bar
    // through the X server and may take a good part of a second, and the thread must go on
    // answering in between.
    void ShowNewRowsIfSeen();
    // Whether the model holds rows the control has not been told of.
    [[nodiscard]] bool RowsUntold() const { return shownCount_ != rows_.Size(); }

    // The rows (user interface thread only), and a row's data value (the result store's index
    // of its hit; 0 for a row that does not exist) and texts.
    [[nodiscard]] const ResultRows& Rows() const { return rows_; }
    [[nodiscard]] std::intptr_t RowData(int row) const { return rows_.Data(row); }
    [[nodiscard]] std::wstring RowText(int row, int column) const { return rows_.Text(row, column); }
    // Orders the rows stably by a number worked out once for each data value, keyOf(data),
    // ascending or descending. Selected rows and the focused row stay selected and focused where
    // they go.
    void SortRows(const std::function<std::uint64_t(std::intptr_t)>& keyOf, bool ascending);

    // The selection walk: position = FirstSelectedPosition(); while (position != 0)
    // row = NextSelectedItem(position). Positions are row index + 1, 0 for none; rows come in
    // increasing order. Each step asks the control afresh, so a walk that deletes rows starts
    // again from FirstSelectedPosition.
    [[nodiscard]] int FirstSelectedPosition() const;
    int NextSelectedItem(int& position) const;
    // The selected rows in increasing order.
    [[nodiscard]] std::vector<int> SelectedRows() const;
    // The lowest selected row, or -1.
    [[nodiscard]] int FirstSelectedRow() const { return NextItem(-1, LVNI_SELECTED); }

    // Deletes a row from the control and the rows (the control's own DeleteItem would leave the
    // rows behind).
    bool DeleteItem(int row);
    // Deletes the selected rows, the first selected one at a time, until none is selected; all
    // of them at once when every row is selected.
    void DeleteSelectedRows();
    // Selects every row; other state bits (the focus) stay.
    void SelectAll() const;
    // Selects the rows that are not selected and the other way round.
    void InvertSelection() const;

    // Where the right mouse button was last pressed, in client coordinates. Unset (0, 0) before
    // the first press.
    POINT rightClickPoint{};
    // The data value (the result store's index) of the row the pop-up menu was last opened on,
    // taken when it opened: rows that come or go while the menu is open do not change which hit
    // its Open and Properties act on. Empty before the first menu.
    std::optional<std::intptr_t> menuRowData;

    // The cell under a client point in report view: its row (-1 for none), its rectangle and,
    // if asked for, its column.
    int CellFromPoint(POINT point, RECT& cell, int* column) const;
    // The tool of the cell under a point for the tooltip control: its id (see ResultTips), or -1
    // outside the cells. Fills the tool: this control, the id, the cell, text on request.
    INT_PTR OnToolHitTest(POINT point, TTTOOLINFOW* tool) const;
    // The tooltip control of the cells; null before EnableToolTips.
    [[nodiscard]] HWND ToolTips() const { return toolTips_; }

    // True on the thread that made the control (the user interface thread).
    [[nodiscard]] bool OnOwnThread() const;

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnRightButtonDown(ui::Message& m);
    bool OnContextMenu(ui::Message& m);
    bool OnKeyDown(ui::Message& m);
    bool OnMouseMessage(ui::Message& m);
    bool OnToolTipText(ui::Message& m);
    bool OnDestroy(ui::Message& m);
    bool OnInsertRows(ui::Message& m);
    bool OnBatchTurn(ui::Message& m);
    bool OnRunHere(ui::Message& m);
    int InsertRowsHere(int position, std::span<const NewRow> rows);
    // Runs op on the user interface thread (at once when called there), holding listLock from an
    // engine thread.
    void RunHere(const std::function<void()>& op);
    // Gives the control the model's row count; rowsMoved: rows went in among those shown, which
    // are then all repainted.
    void ShowRowCount(bool rowsMoved);
    // Whether giving the control the rows it has not been told of would change what it shows.
    [[nodiscard]] bool NewRowsWouldShow();
    // Whether a message asks the control about its rows, so that it must know all of them first.
    [[nodiscard]] static bool NeedsAllRows(UINT message);
    // Whether rows going in at position land among those the control knows of (the selection and
    // focus then may have to move along, and the rows in view to be drawn again).
    [[nodiscard]] bool AmongShownRows(int position) const;
    // What rows going in at a row move: the focused row and the selected rows from it on, and
    // whether it is in view. Asked of the control as it stands, without giving it the rows it has
    // not been told of: those carry no selection, and telling costs a repaint of the scroll bar.
    struct StateFrom {
        int focused = -1;
        std::vector<int> selectedAfter;
        bool inView = false;
    };
    [[nodiscard]] StateFrom ShownStateFrom(int row);
    // In report view, the first row in view and how many fit wholly, asked without giving the
    // control the rows it has not been told of; nothing in the other views.
    struct RowsInView {
        int top = 0;
        int perPage = 0;
    };
    [[nodiscard]] std::optional<RowsInView> ReportRowsInView();
    void Empty();
    // The selected rows from row on, in increasing order.
    [[nodiscard]] std::vector<int> SelectedRowsFrom(int row) const;
    void SetFocusedRow(int row) const;
    // Rows came in at [position, position + count): selected and focused rows after them move
    // along, as the control does not move them in an owner-data list.
    void ShiftSelection(int position, int count, const std::vector<int>& selectedAfter, int focused) const;

    // Shows pop-up menu IDR_RESULT_POPUP for a row at a client point, first taking the row's data
    // value; its command goes to the top-level window (the main frame) as a posted WM_COMMAND.
    void ShowPopupMenu(int row, POINT point);
    // Makes the tooltip control's one tool the cell under the point (or none).
    void TrackToolAt(POINT point);
    [[nodiscard]] std::wstring TipOfRow(int row) const;

    ResultRows rows_;
    // The row count the control was last given, when, and what giving it cost.
    std::size_t shownCount_ = 0;
    std::chrono::steady_clock::time_point countGiven_{};
    std::chrono::steady_clock::duration countCost_{};
    // While set, questions to the control do not give it the rows it has not been told of.
    bool askingShownState_ = false;
    // Whether a batch's turn message still waits in the user interface thread's queue. The lock is
    // held only to read or write the flag, never while waiting.
    std::mutex turnLock_;
    std::condition_variable turnTaken_;
    bool turnWaiting_ = false;
    HWND toolTips_ = nullptr;
    INT_PTR currentTool_ = -1; // the id of the cell the tooltip control knows, -1 for none
};

// The program's result list, set by the result view's initial update; null before.
extern CResultListCtrl* theResultList;

} // namespace vk
