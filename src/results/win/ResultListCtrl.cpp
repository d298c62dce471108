#include "results/win/ResultListCtrl.h"

#include "engine/EngineLocks.h"
#include "resource.h"
#include "results/CellHitTest.h"
#include "results/ResultTips.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

namespace vk {
namespace {

// listLock for a guarded operation, except on the control's own thread (see the header).
class ListGuard {
public:
    explicit ListGuard(const CResultListCtrl& list) {
        if (!list.OnOwnThread()) {
            lock_.emplace(listLock);
        }
    }

private:
    std::optional<std::lock_guard<std::recursive_mutex>> lock_;
};

// An engine thread's batch of rows: wParam the position, lParam the rows (a span).
constexpr UINT kInsertRowsMessage = WM_APP + 0x120;
// Posted after each batch; the next batch waits until the user interface thread has handled it.
constexpr UINT kBatchTurnMessage = WM_APP + 0x121;
// An operation on the rows from an engine thread: lParam the operation (a std::function).
constexpr UINT kRunHereMessage = WM_APP + 0x122;
// A turn message that never comes (the window went) holds a batch up no longer than this.
constexpr std::chrono::milliseconds kLongestTurnWait{100};

// After giving the control its count, the next optional refresh waits this many times what that
// one cost: the thread then spends at most a fifth of its time on them.
constexpr int kRestPerCountCost = 4;

// The vertical scroll bar's thumb in whole pixels of its track, for rows rows of which perPage
// fit in view from row top (rows > perPage). The length is worked out as if the thumb had no least
// size: the system's stops shrinking sooner, so a change it shows is not missed.
struct Thumb {
    int offset = 0;
    int length = 0;
    bool operator==(const Thumb&) const = default;
};

Thumb ThumbOf(std::size_t rows, int perPage, int top, int track) {
    const double length = static_cast<double>(track) * perPage / static_cast<double>(rows);
    const double offset = (track - length) * top / static_cast<double>(rows - static_cast<std::size_t>(perPage));
    return {static_cast<int>(offset), static_cast<int>(length)};
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK;
}

} // namespace

CResultListCtrl* theResultList = nullptr;

CResultListCtrl::~CResultListCtrl() {
    if (theResultList == this) {
        theResultList = nullptr;
    }
    if (toolTips_ && IsWindow(toolTips_)) {
        DestroyWindow(toolTips_);
    }
}

void CResultListCtrl::EnableToolTips() {
    if (toolTips_ || !Exists()) {
        return;
    }
    // Owned by the control's top-level window, so it is destroyed with the control explicitly.
    toolTips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ui::ModuleInstance(), nullptr);
}

bool CResultListCtrl::OnOwnThread() const {
    return GetWindowThreadProcessId(Handle(), nullptr) == GetCurrentThreadId();
}

int CResultListCtrl::GetItemCount() {
    return ItemCount();
}

void CResultListCtrl::RunHere(const std::function<void()>& op) {
    if (OnOwnThread()) {
        op();
        return;
    }
    const ListGuard guard(*this);
    Send(kRunHereMessage, 0, reinterpret_cast<LPARAM>(&op));
}

bool CResultListCtrl::OnRunHere(ui::Message& m) {
    (*reinterpret_cast<const std::function<void()>*>(m.lParam))();
    m.result = 0;
    return true;
}

void CResultListCtrl::ShowRowCount(bool rowsMoved) {
    // The rows shown stay where they are. The control repaints only the rows that are new to it
    // and its scroll bar, without erasing the rows already drawn (no blank flash while hits stream
    // in); rows that moved are repainted over themselves.
    const auto start = std::chrono::steady_clock::now();
    shownCount_ = rows_.Size();
    // The control marks the new rows that come into view for an erase first: they are drawn over
    // the blank below the rows instead, which they cover. What waited to be painted before stays
    // as it was.
    const HRGN before = CreateRectRgn(0, 0, 0, 0);
    const HRGN added = CreateRectRgn(0, 0, 0, 0);
    const bool regions = before && added && GetUpdateRgn(Handle(), before, FALSE) != ERROR;
    Send(LVM_SETITEMCOUNT, shownCount_, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (regions && GetUpdateRgn(Handle(), added, FALSE) != ERROR &&
        CombineRgn(added, added, before, RGN_DIFF) > NULLREGION) {
        RedrawWindow(Handle(), nullptr, added, RDW_VALIDATE | RDW_NOERASE);
        RedrawWindow(Handle(), nullptr, added, RDW_INVALIDATE | RDW_NOERASE);
    }
    for (const HRGN region : {before, added}) {
        if (region) {
            DeleteObject(region);
        }
    }
    if (rowsMoved) {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    countGiven_ = std::chrono::steady_clock::now();
    countCost_ = countGiven_ - start;
}

void CResultListCtrl::ShowNewRows() {
    if (Exists() && RowsUntold()) {
        ShowRowCount(false);
    }
}

void CResultListCtrl::ShowNewRowsIfSeen() {
    if (!Exists() || !RowsUntold() || std::chrono::steady_clock::now() - countGiven_ < kRestPerCountCost * countCost_) {
        return;
    }
    if (NewRowsWouldShow()) {
        ShowRowCount(false);
    }
}

bool CResultListCtrl::NewRowsWouldShow() {
    const auto view = ReportRowsInView();
    // The row partly shown at the bottom, or room below the last row.
    if (!view || shownCount_ <= static_cast<std::size_t>(view->top + view->perPage)) {
        return true;
    }
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetScrollBarInfo(Handle(), OBJID_VSCROLL, &bar) ||
        (bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0) {
        return true;
    }
    // The track between the two arrow buttons, each as high as the system's scroll bar arrows.
    const int track = bar.rcScrollBar.bottom - bar.rcScrollBar.top - 2 * GetSystemMetrics(SM_CYVSCROLL);
    return ThumbOf(shownCount_, view->perPage, view->top, track) !=
           ThumbOf(rows_.Size(), view->perPage, view->top, track);
}

bool CResultListCtrl::AmongShownRows(int position) const {
    return position >= 0 && static_cast<std::size_t>(position) < shownCount_;
}

bool CResultListCtrl::NeedsAllRows(UINT message) {
    if (message >= LVM_FIRST && message < LVM_FIRST + 0x100) {
        // The count itself, and emptying (which makes the count 0), need no rows.
        return message != LVM_SETITEMCOUNT && message != LVM_GETITEMCOUNT && message != LVM_DELETEALLITEMS;
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CONTEXTMENU:
    case WM_NCLBUTTONDOWN: // the scroll bar follows the mouse with the range it has
        return true;
    default:
        return false;
    }
}

int CResultListCtrl::InsertRow(int position, std::wstring_view text, int image) {
    int row = -1;
    RunHere([&] {
        // Behind the rows the control knows of, the row only grows the model (see the header).
        const bool amongShown = AmongShownRows(position);
        const StateFrom state = amongShown ? ShownStateFrom(position) : StateFrom{};
        row = rows_.Insert(position, text, image);
        if (row < 0) {
            return;
        }
        if (amongShown) {
            ShowRowCount(true);
            ShiftSelection(row, 1, state.selectedAfter, state.focused);
        }
        if (rowsChanged) {
            rowsChanged(RowChange::kRowInserted);
        }
    });
    return row;
}

bool CResultListCtrl::SetColumnText(int row, int column, std::wstring_view text) {
    bool set = false;
    RunHere([&] {
        set = rows_.SetText(row, column, text);
        if (set) {
            Send(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
        }
    });
    return set;
}

bool CResultListCtrl::SetRowData(int row, std::intptr_t data) {
    bool set = false;
    RunHere([&] { set = rows_.SetData(row, data); });
    return set;
}

std::intptr_t CResultListCtrl::GetRowData(int row) {
    std::intptr_t data = 0;
    RunHere([&] { data = rows_.Data(row); });
    return data;
}

void CResultListCtrl::DeleteAllRows() {
    RunHere([this] { Empty(); });
}

void CResultListCtrl::Empty() {
    rows_.Clear();
    // The parent answers LVN_DELETEALLITEMS: no notification for each row.
    DeleteAllItems();
    shownCount_ = 0;
    if (rowsChanged) {
        rowsChanged(RowChange::kEmptied);
    }
}

// A thread's sent messages come before its posted ones: engine threads that sent batch after
// batch would keep the user interface from its own messages (input, commands, timers) for as long
// as the stream lasted. So each batch posts a turn message behind it, and the next batch, from
// whichever engine thread, waits until the thread has got through its posted messages up to that
// one. A batch claims the turn before it is sent, so that no other thread's batch slips in while
// it is on its way.
int CResultListCtrl::InsertRows(int position, std::span<const NewRow> rows) {
    if (OnOwnThread()) {
        return InsertRowsHere(position, rows);
    }
    {
        std::unique_lock lock(turnLock_);
        turnTaken_.wait_for(lock, kLongestTurnWait, [this] { return !turnWaiting_; });
        turnWaiting_ = true;
    }
    int first = -1;
    {
        const ListGuard guard(*this);
        first =
            static_cast<int>(Send(kInsertRowsMessage, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&rows)));
    }
    if (PostMessageW(Handle(), kBatchTurnMessage, 0, 0) == FALSE) {
        // No turn message to wait for (the window went).
        {
            std::lock_guard lock(turnLock_);
            turnWaiting_ = false;
        }
        turnTaken_.notify_all();
    }
    return first;
}

bool CResultListCtrl::OnBatchTurn(ui::Message&) {
    {
        std::lock_guard lock(turnLock_);
        turnWaiting_ = false;
    }
    turnTaken_.notify_all();
    return true;
}

bool CResultListCtrl::OnInsertRows(ui::Message& m) {
    const auto& rows = *reinterpret_cast<const std::span<const NewRow>*>(m.lParam);
    m.result = InsertRowsHere(static_cast<int>(m.wParam), rows);
    return true;
}

int CResultListCtrl::InsertRowsHere(int position, std::span<const NewRow> rows) {
    const int start = std::max(0, std::min(position, static_cast<int>(rows_.Size())));
    // A search's batches go in behind the rows the control knows of, or among them (the walkers'
    // rows interleave) but behind the rows in view and with no selected row after them. Either
    // way they only grow the model, and the control learns the count at the next refresh (see the
    // header); only a batch that moves selected rows tells the control at once.
    StateFrom state;
    if (AmongShownRows(start)) {
        state = ShownStateFrom(start);
    }
    const std::size_t before = rows_.Size();
    const int first = rows_.InsertRows(position, rows);
    const bool stateMoves = first >= 0 && (state.focused >= start || !state.selectedAfter.empty());
    if (stateMoves) {
        ShowRowCount(true);
        ShiftSelection(first, static_cast<int>(rows_.Size() - before), state.selectedAfter, state.focused);
    }
    if (rowsChanged) {
        rowsChanged(stateMoves || state.inView ? RowChange::kBatchInserted : RowChange::kBatchOutOfView);
    }
    return first;
}

CResultListCtrl::StateFrom CResultListCtrl::ShownStateFrom(int row) {
    askingShownState_ = true;
    StateFrom state;
    state.focused = NextItem(-1, LVNI_FOCUSED);
    state.selectedAfter = SelectedRowsFrom(row);
    askingShownState_ = false;
    const auto view = ReportRowsInView();
    // The row partly shown at the bottom counts as in view.
    state.inView = !view || row <= view->top + view->perPage;
    return state;
}

std::optional<CResultListCtrl::RowsInView> CResultListCtrl::ReportRowsInView() {
    if ((GetWindowLongW(Handle(), GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) {
        return std::nullopt;
    }
    askingShownState_ = true;
    const RowsInView view{static_cast<int>(Send(LVM_GETTOPINDEX)), static_cast<int>(Send(LVM_GETCOUNTPERPAGE))};
    askingShownState_ = false;
    return view;
}

int CResultListCtrl::FirstSelectedPosition() const {
    return FirstSelectedRow() + 1;
}

int CResultListCtrl::NextSelectedItem(int& position) const {
    const int row = position - 1;
    position = NextItem(row, LVNI_SELECTED) + 1;
    return row;
}

std::vector<int> CResultListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (int position = FirstSelectedPosition(); position != 0;) {
        rows.push_back(NextSelectedItem(position));
    }
    return rows;
}

std::vector<int> CResultListCtrl::SelectedRowsFrom(int row) const {
    std::vector<int> rows;
    if (Send(LVM_GETSELECTEDCOUNT) == 0) {
        return rows;
    }
    for (int next = NextItem(row - 1, LVNI_SELECTED); next >= 0; next = NextItem(next, LVNI_SELECTED)) {
        rows.push_back(next);
    }
    return rows;
}

void CResultListCtrl::ShiftSelection(int position, int count, const std::vector<int>& selectedAfter,
                                     int focused) const {
    if (count <= 0) {
        return;
    }
    // The new rows' places first lose what they had, then the moved rows get it back.
    for (const int row : selectedAfter) {
        SelectItem(row, false);
    }
    for (const int row : selectedAfter) {
        SelectItem(row + count, true);
    }
    if (focused >= position) {
        SetFocusedRow(focused + count);
    }
}

void CResultListCtrl::SetFocusedRow(int row) const {
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CResultListCtrl::SortRows(const std::function<std::uint64_t(std::intptr_t)>& keyOf, bool ascending) {
    // The selection and focus follow their rows by the rows' ids (unless every row or none is
    // selected: then nothing is to follow). The focused row's id goes last, so that one look-up
    // finds every row's new place.
    const auto selected = static_cast<std::size_t>(Send(LVM_GETSELECTEDCOUNT));
    std::vector<std::uint32_t> followedIds;
    if (selected > 0 && selected < rows_.Size()) {
        for (const int row : SelectedRowsFrom(0)) {
            followedIds.push_back(rows_.IdAt(row));
        }
    }
    const std::size_t selectedFollowed = followedIds.size();
    const int focused = NextItem(-1, LVNI_FOCUSED);
    if (rows_.ValidRow(focused)) {
        followedIds.push_back(rows_.IdAt(focused));
    }
    rows_.SortByKey(keyOf, ascending);
    const std::vector<int> newRows = followedIds.empty() ? std::vector<int>() : rows_.RowsOf(followedIds);
    if (selectedFollowed > 0) {
        SelectItem(-1, false);
        for (std::size_t i = 0; i < selectedFollowed; ++i) {
            SelectItem(newRows[i], true);
        }
    }
    if (newRows.size() > selectedFollowed) {
        SetFocusedRow(newRows.back());
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

bool CResultListCtrl::DeleteItem(int row) {
    // The control moves the selection and the focus of the rows behind a deleted one.
    if (!rows_.ValidRow(row) || !ui::ListViewCtrl::DeleteItem(row)) {
        return false;
    }
    rows_.Erase(row);
    shownCount_ = rows_.Size();
    return true;
}

void CResultListCtrl::DeleteSelectedRows() {
    const auto selected = static_cast<std::size_t>(Send(LVM_GETSELECTEDCOUNT));
    if (selected == 0) {
        return;
    }
    if (selected == rows_.Size()) {
        Empty();
        return;
    }
    for (int row = FirstSelectedRow(); row >= 0; row = FirstSelectedRow()) {
        if (!DeleteItem(row)) {
            break;
        }
    }
    if (rowsChanged) {
        rowsChanged(RowChange::kRowsDeleted);
    }
}

void CResultListCtrl::SelectAll() const {
    // Row -1 stands for every row.
    SelectItem(-1, true);
}

void CResultListCtrl::InvertSelection() const {
    for (int row = NextItem(-1, LVNI_ALL); row >= 0; row = NextItem(row, LVNI_ALL)) {
        const bool selected = Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
        SelectItem(row, !selected);
    }
}

int CResultListCtrl::CellFromPoint(POINT point, RECT& cell, int* column) const {
    if ((GetWindowLongW(Handle(), GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) {
        return -1;
    }
    const int top = static_cast<int>(Send(LVM_GETTOPINDEX));
    const int last = LastRowToHitTest(top, static_cast<int>(Send(LVM_GETCOUNTPERPAGE)), ItemCount());
    std::vector<CellRect> rows;
    for (int row = top; row <= last; ++row) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        rows.push_back({bounds.left, bounds.top, bounds.right, bounds.bottom});
    }
    const auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    std::vector<int> widths;
    for (int i = 0; i < columns; ++i) {
        widths.push_back(ColumnWidth(i));
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const CellHit hit = FindCell(point.x, point.y, top, rows, widths, client.right);
    if (hit.row < 0) {
        return -1;
    }
    cell = {hit.rect.left, hit.rect.top, hit.rect.right, hit.rect.bottom};
    if (column) {
        *column = hit.column;
    }
    return hit.row;
}

INT_PTR CResultListCtrl::OnToolHitTest(POINT point, TTTOOLINFOW* tool) const {
    RECT cell{};
    int column = 0;
    const int row = CellFromPoint(point, cell, &column);
    if (row < 0) {
        return -1;
    }
    const auto id = static_cast<INT_PTR>(ToolIdOfCell(row, column));
    tool->hwnd = Handle();
    tool->uId = static_cast<UINT_PTR>(id);
    tool->lpszText = LPSTR_TEXTCALLBACKW;
    tool->rect = cell;
    return id;
}

bool CResultListCtrl::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CResultListCtrl> kMessages[] = {
        ui::On(WM_RBUTTONDOWN, &CResultListCtrl::OnRightButtonDown),
        ui::On(WM_CONTEXTMENU, &CResultListCtrl::OnContextMenu),
        ui::On(WM_KEYDOWN, &CResultListCtrl::OnKeyDown),
        ui::On(WM_DESTROY, &CResultListCtrl::OnDestroy),
        ui::On(kInsertRowsMessage, &CResultListCtrl::OnInsertRows),
        ui::On(kBatchTurnMessage, &CResultListCtrl::OnBatchTurn),
        ui::On(kRunHereMessage, &CResultListCtrl::OnRunHere),
        ui::OnNotify(TTN_NEEDTEXTW, ui::kAnyId, &CResultListCtrl::OnToolTipText),
        ui::OnNotify(TTN_NEEDTEXTA, ui::kAnyId, &CResultListCtrl::OnToolTipText),
    };
    // clang-format on
    if (m.message == LVM_GETITEMCOUNT) {
        m.result = static_cast<LRESULT>(rows_.Size());
        return true;
    }
    if (!askingShownState_ && NeedsAllRows(m.message)) {
        ShowNewRows();
    }
    if (IsMouseMessage(m.message)) {
        OnMouseMessage(m);
    }
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::ListViewCtrl::ProcessMessage(m);
}

bool CResultListCtrl::OnRightButtonDown(ui::Message& m) {
    // Remembered for the pop-up menu's "Open" and "Properties".
    rightClickPoint = PointOf(m.lParam);
    if (const int row = HitTest(rightClickPoint); row >= 0) {
        ShowPopupMenu(row, rightClickPoint);
        // The list's own handling, which comes next, follows the button until it comes up. If it
        // came up while the menu was open, the list would wait for the next click instead.
        if ((GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0) {
            PostMessageW(Handle(), WM_RBUTTONUP, 0, m.lParam);
        }
    }
    return false; // the list's own handling (focus and selection) follows
}

// Shift+F10 or the menu key (a context menu without a point): the menu of the focused row, at
// that row. The mouse's menu opened on the button's press already.
bool CResultListCtrl::OnContextMenu(ui::Message& m) {
    // Both coordinates -1 (the value may come with or without the upper half of a 64-bit LPARAM).
    if (static_cast<DWORD>(m.lParam) != 0xFFFFFFFF) {
        return false;
    }
    m.result = 0;
    int row = NextItem(-1, LVNI_FOCUSED);
    if (row < 0) {
        row = FirstSelectedRow();
    }
    if (row < 0) {
        return true;
    }
    Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT label{};
    label.left = LVIR_LABEL;
    Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
    const POINT point{label.left + 8, (label.top + label.bottom) / 2};
    rightClickPoint = point;
    ShowPopupMenu(row, point);
    return true;
}

void CResultListCtrl::ShowPopupMenu(int row, POINT point) {
    menuRowData = RowData(row);
    // The row is selected first, as the list would select it after a press: the menu's Copy and
    // Delete commands, which need a selection, then act on it.
    if (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) == 0) {
        SelectItem(-1, false);
        SelectItem(row, true);
    }
    POINT screen = point;
    ClientToScreen(Handle(), &screen);
    const HMENU menu = LoadMenuW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDR_RESULT_POPUP));
    if (!menu) {
        return;
    }
    // The top-level window (the main frame) updates the items' states and receives the command.
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                   GetAncestor(Handle(), GA_ROOT), nullptr);
    DestroyMenu(menu);
}

bool CResultListCtrl::OnKeyDown(ui::Message& m) {
    if (m.wParam != VK_DELETE) {
        return false;
    }
    if (FirstSelectedRow() < 0) {
        m.result = 0; // nothing to delete: the key is used up
        return true;
    }
    DeleteSelectedRows();
    return false; // then the list's own handling of the key
}

bool CResultListCtrl::OnMouseMessage(ui::Message& m) {
    if (!toolTips_) {
        return false;
    }
    if (m.message == WM_MOUSEMOVE) {
        TrackToolAt(PointOf(m.lParam));
    }
    MSG relayed{m.hwnd, m.message, m.wParam, m.lParam, 0, {}};
    SendMessageW(toolTips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    return false;
}

void CResultListCtrl::TrackToolAt(POINT point) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    const INT_PTR id = OnToolHitTest(point, &tool);
    if (id == currentTool_) {
        if (id != -1) {
            SendMessageW(toolTips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return;
    }
    if (currentTool_ != -1) {
        TTTOOLINFOW old{};
        old.cbSize = sizeof old;
        old.hwnd = Handle();
        old.uId = static_cast<UINT_PTR>(currentTool_);
        SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
    }
    currentTool_ = id;
    if (id != -1) {
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::wstring CResultListCtrl::TipOfRow(int row) const {
    // A row that has gone since gives empty texts: the folder form with an empty name.
    return ResultTipText(RowText(row, 0), RowText(row, 1));
}

bool CResultListCtrl::OnToolTipText(ui::Message& m) {
    const NMHDR* header = m.Notify();
    if (!toolTips_ || header->hwndFrom != toolTips_ || header->idFrom == 0) {
        return false;
    }
    const std::wstring tip = TipOfRow(RowOfToolId(static_cast<long long>(header->idFrom)));
    if (header->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(m.lParam);
        const std::size_t length = std::min(tip.size(), std::size(info->szText) - 1);
        std::memcpy(info->szText, tip.data(), length * sizeof(wchar_t));
        info->szText[length] = L'\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(m.lParam);
        const int size = WideCharToMultiByte(CP_ACP, 0, tip.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(std::max(size, 1)), '\0');
        WideCharToMultiByte(CP_ACP, 0, tip.c_str(), -1, text.data(), size, nullptr, nullptr);
        const std::size_t length = std::min(std::strlen(text.c_str()), std::size(info->szText) - 1);
        std::memcpy(info->szText, text.data(), length);
        info->szText[length] = '\0';
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
    m.result = 0;
    return true;
}

bool CResultListCtrl::OnDestroy(ui::Message&) {
    if (toolTips_ && IsWindow(toolTips_)) {
        DestroyWindow(toolTips_);
    }
    toolTips_ = nullptr;
    currentTool_ = -1;
    return false;
}

} // namespace vk
