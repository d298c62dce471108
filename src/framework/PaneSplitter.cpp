#include "framework/PaneSplitter.h"

#include <windowsx.h>

#include <algorithm>

namespace vk {
namespace {

// Posted to itself by ReplaceView: the views it took out can go now.
constexpr UINT kReleaseRetired = WM_APP + 0x100;

// A pane window's rectangle in its parent's client coordinates.
PaneRect CurrentRect(HWND pane) {
    RECT rect{};
    GetWindowRect(pane, &rect);
    MapWindowPoints(nullptr, GetParent(pane), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

CPaneSplitter::~CPaneSplitter() {
    // The window and its panes' windows go while every pane object can still see its messages.
    Destroy();
}

bool CPaneSplitter::CreateStatic(HWND parent, int rows, int columns, UINT id) {
    if (rows < 1 || columns < 1) {
        return false;
    }
    rows_.assign(static_cast<std::size_t>(rows), {});
    columns_.assign(static_cast<std::size_t>(columns), {});
    panes_.clear();
    panes_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    return Create(L"VarnoklePaneSplitter", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CPaneSplitter::ValidCell(int row, int column) const {
    return row >= 0 && column >= 0 && row < RowCount() && column < ColumnCount();
}

bool CPaneSplitter::CreateView(int row, int column, std::unique_ptr<ui::FormView> view, SIZE initial) {
    if (!view || !ValidCell(row, column) || !view->CreateView(Handle())) {
        return false;
    }
    return Adopt(row, column, std::move(view), initial);
}

bool CPaneSplitter::AddPane(int row, int column, std::unique_ptr<ui::Window> pane, SIZE initial) {
    if (!pane || !ValidCell(row, column) || GetParent(pane->Handle()) != Handle()) {
        return false;
    }
    return Adopt(row, column, std::move(pane), initial);
}

bool CPaneSplitter::Adopt(int row, int column, std::unique_ptr<ui::Window> pane, SIZE initial) {
    SetWindowLongPtrW(pane->Handle(), GWLP_ID, static_cast<LONG_PTR>(PaneId(row, column)));
    ShowWindow(pane->Handle(), SW_SHOWNA);
    columns_[static_cast<std::size_t>(column)].ideal = initial.cx;
    rows_[static_cast<std::size_t>(row)].ideal = initial.cy;
    panes_[Cell(row, column)] = std::move(pane);
    return true;
}

bool CPaneSplitter::ReplaceView(int row, int column, const ViewFactory& make) {
    if (!ValidCell(row, column)) {
        return false;
    }
    // The new view's window first: when it cannot be made, the old view stays as it was.
    std::unique_ptr<ui::FormView> view = make ? make() : nullptr;
    ui::FormView* created = view.get();
    if (!view || !view->CreateView(Handle())) {
        return false;
    }
    std::unique_ptr<ui::Window>& cell = panes_[Cell(row, column)];
    const HWND focus = GetFocus();
    const bool hadFocus = cell && cell->Exists() && (focus == cell->Handle() || IsChild(cell->Handle(), focus));
    if (cell) {
        // Destroyed while its object still sees its messages (a form saves its state as it goes,
        // before the new one reads it in its initial update); the object itself may be running
        // the handler that asked for this.
        cell->Destroy();
        retired_.push_back(std::move(cell));
        PostMessageW(Handle(), kReleaseRetired, 0, 0);
    }
    SetWindowLongPtrW(view->Handle(), GWLP_ID, static_cast<LONG_PTR>(PaneId(row, column)));
    ShowWindow(view->Handle(), SW_SHOWNA);
    cell = std::move(view);
    RecalcLayout();
    created->Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(0, 0));
    created->OnInitialUpdate();
    if (hadFocus && created->Exists()) {
        SetFocus(created->Handle()); // the keyboard stays in the pane
    }
    return true;
}

void CPaneSplitter::SetColumnInfo(int column, int ideal, int minimum) {
    columns_.at(static_cast<std::size_t>(column)) = {ideal, minimum};
}

void CPaneSplitter::SetRowInfo(int row, int ideal, int minimum) {
    rows_.at(static_cast<std::size_t>(row)) = {ideal, minimum};
}

ui::Window* CPaneSplitter::Pane(int row, int column) const {
    return ValidCell(row, column) ? panes_[Cell(row, column)].get() : nullptr;
}

void CPaneSplitter::RecalcLayout() {
    if (!Exists()) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const int inside = 2 * kSplitterBorder;
    columnSpans_ = LayOutPanes(columns_, kSplitterBorder, client.right - inside);
    rowSpans_ = LayOutPanes(rows_, kSplitterBorder, client.bottom - inside);

    // Only the panes that move are positioned, all of them in one go.
    struct Move {
        HWND window;
        PaneRect rect;
    };
    std::vector<Move> moves;
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < ColumnCount(); ++column) {
            const ui::Window* pane = panes_[Cell(row, column)].get();
            if (!pane || !pane->Exists()) {
                continue;
            }
            const HWND window = pane->Handle();
            const bool enlarged = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 ||
                                  dynamic_cast<const CPaneSplitter*>(pane) != nullptr;
            const PaneRect rect = PaneWindowRect(columnSpans_[static_cast<std::size_t>(column)],
                                                 rowSpans_[static_cast<std::size_t>(row)], enlarged);
            if (rect != CurrentRect(window)) {
                moves.push_back({window, rect});
            }
        }
    }
    if (!moves.empty()) {
        HDWP positions = BeginDeferWindowPos(static_cast<int>(moves.size()));
        for (const Move& move : moves) {
            // No old pixels are copied along: a moved pane and everything in it paints afresh.
            const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
            if (positions) {
                positions = DeferWindowPos(positions, move.window, nullptr, move.rect.x, move.rect.y, move.rect.width,
                                           move.rect.height, flags);
            } else {
                SetWindowPos(move.window, nullptr, move.rect.x, move.rect.y, move.rect.width, move.rect.height, flags);
            }
        }
        if (positions) {
            EndDeferWindowPos(positions);
        }
        // A pane's controls are children of their own: the system invalidates only what a move
        // uncovers of the pane itself, and left to that, a form's controls or a list's header
        // stayed blank or showed what had been there before until something made them paint.
        for (const Move& move : moves) {
            RepaintWhole(move.window);
        }
    }
    // The bars and the border between the panes.
    InvalidateRect(Handle(), nullptr, TRUE);
}

void RepaintWhole(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool CPaneSplitter::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CPaneSplitter> kMessages[] = {
        ui::On(WM_SIZE, &CPaneSplitter::OnSize),
        ui::On(WM_PAINT, &CPaneSplitter::OnPaint),
        ui::On(WM_ERASEBKGND, &CPaneSplitter::OnEraseBackground),
        ui::On(WM_SETCURSOR, &CPaneSplitter::OnSetCursor),
        ui::On(WM_LBUTTONDOWN, &CPaneSplitter::OnButtonDown),
        ui::On(WM_MOUSEMOVE, &CPaneSplitter::OnMouseMove),
        ui::On(WM_LBUTTONUP, &CPaneSplitter::OnButtonUp),
        ui::On(WM_CAPTURECHANGED, &CPaneSplitter::OnCaptureChanged),
        ui::On(WM_KEYDOWN, &CPaneSplitter::OnKeyDown),
        ui::On(kReleaseRetired, &CPaneSplitter::OnReleaseRetired),
    };
    // clang-format on
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::Window::ProcessMessage(m);
}

bool CPaneSplitter::OnSize(ui::Message&) {
    RecalcLayout();
    return true;
}

bool CPaneSplitter::OnEraseBackground(ui::Message& m) {
    m.result = 1; // painted whole in WM_PAINT
    return true;
}

bool CPaneSplitter::OnPaint(ui::Message&) {
    Paint();
    return true;
}

// The bars in the face colour, and a sunken border round the panes.
void CPaneSplitter::Paint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (client.right > 0 && client.bottom > 0) {
        const RECT top{0, 0, client.right, 1};
        const RECT left{0, 0, 1, client.bottom};
        const RECT bottom{0, client.bottom - 1, client.right, client.bottom};
        const RECT right{client.right - 1, 0, client.right, client.bottom};
        FillRect(dc, &top, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &left, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        FillRect(dc, &right, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    EndPaint(Handle(), &paint);
}

std::optional<CPaneSplitter::Bar> CPaneSplitter::BarAtPoint(POINT point) const {
    const int column = BarAt(columnSpans_, point.x);
    if (column >= 0) {
        return Bar{true, column};
    }
    const int row = BarAt(rowSpans_, point.y);
    if (row >= 0) {
        return Bar{false, row};
    }
    return std::nullopt;
}

bool CPaneSplitter::OnSetCursor(ui::Message& m) {
    if (reinterpret_cast<HWND>(m.wParam) != Handle() || LOWORD(m.lParam) != HTCLIENT) {
        return false;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(Handle(), &point);
    const auto bar = BarAtPoint(point);
    if (!bar) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, bar->column ? IDC_SIZEWE : IDC_SIZENS));
    m.result = TRUE;
    return true;
}

bool CPaneSplitter::OnButtonDown(ui::Message& m) {
    const POINT point{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    const auto bar = BarAtPoint(point);
    if (bar && !drag_) {
        StartDrag(*bar, point);
    }
    return true;
}

void CPaneSplitter::StartDrag(const Bar& bar, POINT point) {
    const std::vector<PaneSpan>& spans = bar.column ? columnSpans_ : rowSpans_;
    const PaneSpan& span = spans[static_cast<std::size_t>(bar.index)];
    Drag drag;
    drag.column = bar.column;
    drag.index = bar.index;
    drag.grab = (bar.column ? point.x : point.y) - (span.start + span.size);
    drag.saved = bar.column ? columns_ : rows_;
    drag_ = std::move(drag);
    SetCapture(Handle());
    // The splitter takes the keyboard while the bar moves, for Escape.
    drag_->previousFocus = SetFocus(Handle());
    SetCursor(LoadCursorW(nullptr, bar.column ? IDC_SIZEWE : IDC_SIZENS));
}

bool CPaneSplitter::OnMouseMove(ui::Message& m) {
    if (drag_) {
        TrackDrag({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    }
    return true;
}

// The pane before the bar takes the size that puts the bar under the pointer.
void CPaneSplitter::TrackDrag(POINT point) {
    SetCursor(LoadCursorW(nullptr, drag_->column ? IDC_SIZEWE : IDC_SIZENS));
    std::vector<PaneSize>& sizes = drag_->column ? columns_ : rows_;
    const std::vector<PaneSpan>& spans = drag_->column ? columnSpans_ : rowSpans_;
    const auto index = static_cast<std::size_t>(drag_->index);
    const int position = (drag_->column ? point.x : point.y) - drag_->grab;
    const int ideal = std::max(position - spans[index].start, 0);
    if (ideal == sizes[index].ideal) {
        return;
    }
    sizes[index].ideal = ideal;
    RecalcLayout();
    // The panes follow the pointer as it moves, not when the drag has ended.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool CPaneSplitter::OnButtonUp(ui::Message&) {
    if (drag_) {
        EndDrag(true);
    }
    return true;
}

bool CPaneSplitter::OnCaptureChanged(ui::Message&) {
    // Another window took the mouse: the drag is cancelled.
    if (drag_) {
        EndDrag(false);
    }
    return true;
}

bool CPaneSplitter::OnKeyDown(ui::Message& m) {
    if (drag_ && m.wParam == VK_ESCAPE) {
        EndDrag(false);
        return true;
    }
    return false;
}

void CPaneSplitter::EndDrag(bool keep) {
    Drag drag = std::move(*drag_);
    drag_.reset(); // before the capture goes, so that its notice finds no drag
    if (!keep) {
        (drag.column ? columns_ : rows_) = drag.saved;
        RecalcLayout();
    }
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
    if (drag.previousFocus && IsWindow(drag.previousFocus)) {
        SetFocus(drag.previousFocus);
    }
}

bool CPaneSplitter::OnReleaseRetired(ui::Message&) {
    retired_.clear();
    return true;
}

} // namespace vk
