#include "results/win/Varnokle2View.h"

#include "engine/EngineTexts.h"
#include "engine/ModifiedTime.h"
#include "framework/SystemColours.h"
#include "resource.h"
#include "results/win/ModifiedText.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace vk {
namespace {

// The rows' text colour (the system's in high contrast).
constexpr COLORREF kTextColor = RGB(0, 0, 255);

// While rows stream in, the list and the count are brought up to date at most this often (see
// RowsChanged).
constexpr UINT_PTR kRepaintTimer = 1;
// Posted by the icon cache from an engine thread that met a new file type (see CShellIconCache).
constexpr UINT kIconsPending = WM_APP + 0x130;
// Posted by a batch that brought the list up to date: the list is painted in a message of its own.
constexpr UINT kPaintList = WM_APP + 0x131;
constexpr std::chrono::milliseconds kRepaintDelay{100};

// Copies a cell's text into the control's buffer, cut to fit.
void CopyCellText(LVITEMW& item, std::wstring_view text) {
    if (!item.pszText || item.cchTextMax <= 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::memcpy(item.pszText, text.data(), length * sizeof(wchar_t));
    item.pszText[length] = L'\0';
}

// Whether name begins with prefix, ignoring case as the list's own search does.
bool StartsWithIgnoringCase(std::wstring_view name, std::wstring_view prefix) {
    return name.size() >= prefix.size() &&
           CompareStringOrdinal(name.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

std::unique_ptr<IShellActions> SystemShellUnless(IShellActions* shell, const NetworkEnvironment& environment) {
    return shell ? nullptr : std::make_unique<ShellActions>(environment);
}

} // namespace

CVarnokle2View::CVarnokle2View(IResultViewHost& doc, IShellActions* shell)
    : ui::FormView(IDD_RESULT_VIEW), doc_(doc), systemShell_(SystemShellUnless(shell, doc.Environment())),
      shell_(shell ? *shell : *systemShell_) {}

CVarnokle2View::~CVarnokle2View() {
    // The search's threads use the list and the icon cache: only once they have ended may the
    // engine forget them.
    doc_.StopSearchAndWait();
    EngineServices& services = doc_.Engine().Services();
    if (services.resultList == &list_) {
        services.resultList = nullptr;
    }
    if (services.iconIndex == &iconCache_) {
        services.iconIndex = nullptr;
    }
    doc_.ReleaseResultView(this);
    // The list goes before the image lists it shows.
    Destroy();
}

bool CVarnokle2View::ProcessMessage(ui::Message& m) {
    // clang-format off
    static constexpr ui::MessageEntry<CVarnokle2View> kMessages[] = {
        ui::On(WM_INITDIALOG, &CVarnokle2View::OnInitDialog),
        ui::On(WM_SIZE, &CVarnokle2View::OnSize),
        ui::On(WM_TIMER, &CVarnokle2View::OnTimer),
        ui::On(kIconsPending, &CVarnokle2View::OnIconsPending),
        ui::On(kPaintList, &CVarnokle2View::OnPaintList),
        ui::On(WM_SYSCOLORCHANGE, &CVarnokle2View::OnSysColorChange),
        ui::OnNotify(NM_DBLCLK, IDC_RESULT_LIST, &CVarnokle2View::OnDoubleClick),
        ui::OnNotify(NM_RETURN, IDC_RESULT_LIST, &CVarnokle2View::OnEnter),
        ui::OnControl(BN_CLICKED, IDOK, &CVarnokle2View::OnEnter),
        ui::OnNotify(LVN_DELETEALLITEMS, IDC_RESULT_LIST, &CVarnokle2View::OnAllItemsDeleting),
        ui::OnNotify(LVN_ODFINDITEMW, IDC_RESULT_LIST, &CVarnokle2View::OnFindItem),
        ui::OnNotify(LVN_COLUMNCLICK, IDC_RESULT_LIST, &CVarnokle2View::OnColumnClick),
        ui::OnNotify(LVN_GETDISPINFOW, IDC_RESULT_LIST, &CVarnokle2View::OnGetDisplayInfo),
        ui::OnNotify(NM_RCLICK, IDC_RESULT_LIST, &CVarnokle2View::OnIgnoredNotification),
        ui::OnNotify(LVN_BEGINDRAG, IDC_RESULT_LIST, &CVarnokle2View::OnIgnoredNotification),
        ui::OnNotify(HDN_ITEMDBLCLICKW, IDC_RESULT_LIST, &CVarnokle2View::OnIgnoredNotification),
        ui::OnCommand(ID_EDIT_DELETE_ITEMS, &CVarnokle2View::OnDeleteItemsCommand),
        ui::OnCommand(ID_OPEN, &CVarnokle2View::OnOpenCommand),
        ui::OnCommand(ID_PROPERTIES, &CVarnokle2View::OnPropertiesCommand),
        ui::OnCommand(ID_OPEN_CONTAINING_FOLDER, &CVarnokle2View::OnOpenContainingFolderCommand),
        ui::OnCommand(ID_ARRANGE_BY_NAME, &CVarnokle2View::OnArrangeCommand),
        ui::OnCommand(ID_ARRANGE_BY_SIZE, &CVarnokle2View::OnArrangeCommand),
        ui::OnCommand(ID_ARRANGE_BY_FOLDER, &CVarnokle2View::OnArrangeCommand),
        ui::OnCommand(ID_ARRANGE_BY_MODIFIED, &CVarnokle2View::OnArrangeCommand),
    };
    // clang-format on
    // The base first: it offers notifications to the list's own object.
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::FormView::ProcessMessage(m);
}

bool CVarnokle2View::OnInitDialog(ui::Message&) {
    list_.Attach(Item(IDC_RESULT_LIST));
    list_.EnableToolTips();
    list_.rowsChanged = [this](RowChange change) { OnRowsChanged(change); };
    return false; // the dialog manager sets the focus
}

void CVarnokle2View::OnInitialUpdate() {
    ui::FormView::OnInitialUpdate();
    doc_.SetResultView(this);

    RECT window{};
    GetWindowRect(Handle(), &window);
    const int width = window.right - window.left;

    iconCache_.ResetCache();
    // The shell is asked for the icons of types the engine's threads meet on this thread.
    const HWND view = Handle();
    iconCache_.SetWake([view] { PostMessageW(view, kIconsPending, 0, 0); });
    iconCache_.WarmUpShell();
    // The cache owns the image lists: the list must not destroy them when it goes.
    SetWindowLongPtrW(list_.Handle(), GWL_STYLE, GetWindowLongPtrW(list_.Handle(), GWL_STYLE) | LVS_SHAREIMAGELISTS);
    list_.SetImageList(iconCache_.SmallImages(), LVSIL_SMALL);
    list_.SetImageList(iconCache_.LargeImages(), LVSIL_NORMAL);

    // Each inserted at position 1, so that "Size" ends up between "Name" and "Path": sub-item 1
    // is the size, sub-item 2 the path.
    list_.InsertColumn(0, L"Name", width / 4);
    list_.InsertColumn(1, L"Path", width / 2);
    list_.InsertColumn(1, L"Size", width / 4);
    // After the path, as wide as a time of today in the user's format.
    const std::wstring sample = ModifiedText(FileTimeNow());
    const int sampleWidth =
        static_cast<int>(list_.Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(sample.c_str())));
    list_.InsertColumn(kModifiedColumn, L"Modified", std::max(sampleWidth, 60) + 16);

    list_.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    list_.SetTextColor(ui::ProgramTextColour(kTextColor));

    theResultList = &list_;
    theIconCache = &iconCache_;
    EngineServices& services = doc_.Engine().Services();
    services.resultList = &list_;
    services.iconIndex = &iconCache_;
}

bool CVarnokle2View::OnIconsPending(ui::Message&) {
    // Rows of the new types were drawn without their icons.
    if (iconCache_.AddPendingIcons(1) > 0 && list_.Exists()) {
        InvalidateRect(list_.Handle(), nullptr, FALSE);
    }
    return true;
}

bool CVarnokle2View::OnSysColorChange(ui::Message&) {
    if (list_.Exists()) {
        list_.SetTextColor(ui::ProgramTextColour(kTextColor));
        // The list keeps the window colour it was made with as its background.
        list_.Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
    }
    return false;
}

bool CVarnokle2View::OnSize(ui::Message& m) {
    HideScrollBars();
    if (list_.Exists()) {
        MoveWindow(list_.Handle(), 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
    }
    return true;
}

void CVarnokle2View::ShowItemCount(int count) {
    countPending_ = false;
    countShown_ = std::chrono::steady_clock::now();
    doc_.ShowItemCount(std::to_wstring(count) + kTextItemsSuffix);
}

// A list repaints itself after every row that comes or goes, and so does the status bar after
// every text, and that costs far more than the change itself (under Wine a fraction of a
// millisecond for a row against some twenty for the list's repaint and half a millisecond for the
// bar's). So the list is brought up to date by a timer a tenth of a second after the first change.
// Rows that go in where they move no row in view wait in the list's model (see the result list)
// and leave the list as it is: the refresh only gives the control their count, which repaints the
// scroll bar and whatever new rows come into view (while a search runs, only when that shows: see
// CatchUp). Other changes switch the list's painting off until the refresh: rows that came among
// those in view are then drawn over the rows shown, while after rows went (deleted, or emptied by
// a new search) the list is drawn afresh on an erased background. A row that comes or goes on its
// own shows its count at once; while rows stream in (a search's batches) or go in a mass, the count
// is shown when it was last shown longer ago than that, and otherwise by the same timer, or at the
// end: list and count are brought up to date ten times a second instead of once per row.
//
// While batches come one after another, the engine's sent messages and their turn messages keep
// the thread busy, and the timer (a message of the lowest rank) would not come until the stream
// ends: the list would not grow. So a batch that finds the list held back for longer than the
// delay brings it up to date itself, and posts the list's paint: it comes in a message of its own,
// before the next batch's turn, rather than inside this one's on top of giving the count.
void CVarnokle2View::RowsChanged(int count, bool pausePainting) {
    if (listBehind_ && std::chrono::steady_clock::now() - behindSince_ >= kRepaintDelay) {
        CatchUp();
        PostMessageW(Handle(), kPaintList, 0, 0);
    }
    HoldListBack(false, pausePainting);
    if (std::chrono::steady_clock::now() - countShown_ >= kRepaintDelay) {
        ShowItemCount(count);
    } else {
        countPending_ = true;
    }
}

void CVarnokle2View::HoldListBack(bool rowsWent, bool pausePainting) {
    if (!list_.Exists()) {
        return;
    }
    rowsWent_ = rowsWent_ || rowsWent;
    if (pausePainting && !listPaintingPaused_) {
        listPaintingPaused_ = true;
        list_.Send(WM_SETREDRAW, FALSE);
    }
    if (listBehind_) {
        return;
    }
    listBehind_ = true;
    behindSince_ = std::chrono::steady_clock::now();
    // Not moved on by later rows, so that a long stream of them is still shown as it grows.
    SetTimer(Handle(), kRepaintTimer, static_cast<UINT>(kRepaintDelay.count()), nullptr);
}

void CVarnokle2View::CatchUp() {
    KillTimer(Handle(), kRepaintTimer);
    // While a search runs, the control learns only the rows the user would see; the rest when it
    // has ended (the timer keeps coming until then).
    if (doc_.Engine().searchActive) {
        list_.ShowNewRowsIfSeen();
    } else {
        list_.ShowNewRows();
    }
    if (listBehind_) {
        listBehind_ = false;
        ++listRepaints_;
        if (listPaintingPaused_) {
            listPaintingPaused_ = false;
            list_.Send(WM_SETREDRAW, TRUE);
            if (rowsWent_) {
                // Rows went: what is left is drawn afresh on an erased background (room below the
                // last row).
                RedrawWindow(list_.Handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            } else {
                // Rows only came: they are drawn over the rows on the screen, which stay until
                // then, with no blank list between an erase and the paint. The list may have asked
                // for an erase itself when its painting came back on: that is dropped first.
                RedrawWindow(list_.Handle(), nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE);
                RedrawWindow(list_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE);
            }
            rowsWent_ = false;
        }
    }
    if (countPending_) {
        ShowItemCount(list_.ItemCount());
    }
    if (list_.RowsUntold()) {
        SetTimer(Handle(), kRepaintTimer, static_cast<UINT>(kRepaintDelay.count()), nullptr);
    }
}

bool CVarnokle2View::OnPaintList(ui::Message&) {
    if (list_.Exists()) {
        UpdateWindow(list_.Handle());
    }
    return true;
}

bool CVarnokle2View::OnTimer(ui::Message& m) {
    if (m.wParam != kRepaintTimer) {
        return false;
    }
    CatchUp();
    return true;
}

void CVarnokle2View::OnRowsChanged(RowChange change) {
    const int count = list_.ItemCount();
    if (change == RowChange::kBatchInserted || change == RowChange::kBatchOutOfView) {
        RowsChanged(count, change == RowChange::kBatchInserted);
        return;
    }
    // A row that comes or goes on its own, or the list emptied at once: the count is shown now.
    HoldListBack(change != RowChange::kRowInserted);
    ShowItemCount(count);
}

bool CVarnokle2View::OnAllItemsDeleting(ui::Message& m) {
    // Emptying the list (a new search or browse listing): the rows are gone from the model
    // already, so the list is asked for no notification of each row.
    m.result = TRUE;
    return true;
}

bool CVarnokle2View::OnDoubleClick(ui::Message& m) {
    OpenRow(list_.FirstSelectedRow());
    m.result = 0;
    return true;
}

// Enter in the list: the list's own notification, or, where the dialog manager takes the key first,
// the form's OK.
bool CVarnokle2View::OnEnter(ui::Message& m) {
    OpenSelectedRows();
    m.result = 0;
    return true;
}

bool CVarnokle2View::OnColumnClick(ui::Message& m) {
    SortByColumn(reinterpret_cast<const NMLISTVIEW*>(m.lParam)->iSubItem);
    return true;
}

bool CVarnokle2View::OnGetDisplayInfo(ui::Message& m) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(m.lParam)->item;
    const ResultRows& rows = list_.Rows();
    if (!rows.ValidRow(item.iItem)) {
        return false;
    }
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == kNameColumn) {
        item.iImage = rows.Image(item.iItem);
    }
    if ((item.mask & LVIF_TEXT) != 0) {
        if (item.iSubItem == kModifiedColumn) {
            // Formatted when the row is drawn: for each of a million rows as they came it would
            // cost more than the rows themselves.
            const auto data = static_cast<std::size_t>(rows.Data(item.iItem));
            CopyCellText(item, ModifiedText(doc_.Engine().Results().Modified(data).value_or(0)));
        } else {
            rows.ReadText(item.iItem, item.iSubItem, cellText_);
            CopyCellText(item, cellText_);
        }
    }
    m.result = 0;
    return true;
}

// Typing a name's first letters in the list: the next row from the start row whose name begins
// with them, wrapping round to the first row if asked.
bool CVarnokle2View::OnFindItem(ui::Message& m) {
    const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(m.lParam);
    m.result = -1;
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || !find.lvfi.psz) {
        return true;
    }
    const std::wstring_view wanted(find.lvfi.psz);
    const bool whole = (find.lvfi.flags & LVFI_PARTIAL) == 0;
    const ResultRows& rows = list_.Rows();
    const int count = static_cast<int>(rows.Size());
    const int start = std::clamp(find.iStart, 0, count);
    const int span = (find.lvfi.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < span; ++step) {
        const int row = (start + step) % count;
        rows.ReadText(row, kNameColumn, cellText_);
        if (whole ? cellText_.size() == wanted.size() && StartsWithIgnoringCase(cellText_, wanted)
                  : StartsWithIgnoringCase(cellText_, wanted)) {
            m.result = row;
            break;
        }
    }
    return true;
}

bool CVarnokle2View::OnIgnoredNotification(ui::Message& m) {
    m.result = 0;
    return true;
}

bool CVarnokle2View::OnDeleteItemsCommand(ui::Message&) {
    DeleteItems();
    return true;
}

bool CVarnokle2View::OnOpenCommand(ui::Message&) {
    OpenMenuRow();
    return true;
}

bool CVarnokle2View::OnPropertiesCommand(ui::Message&) {
    ShowMenuRowProperties();
    return true;
}

bool CVarnokle2View::OnOpenContainingFolderCommand(ui::Message&) {
    OpenContainingFolder();
    return true;
}

bool CVarnokle2View::OnArrangeCommand(ui::Message& m) {
    switch (m.CommandId()) {
    case ID_ARRANGE_BY_NAME:
        SortByName();
        return true;
    case ID_ARRANGE_BY_SIZE:
        SortBySize();
        return true;
    case ID_ARRANGE_BY_FOLDER:
        SortByFolder();
        return true;
    case ID_ARRANGE_BY_MODIFIED:
        SortByModified();
        return true;
    default:
        return false;
    }
}

void CVarnokle2View::SortByColumn(int column) {
    SortBy(SortKeyForColumn(column));
}

void CVarnokle2View::SortBy(SortKey key) {
    const bool ascending = SortsAscending(key, sortFlags_.FlagFor(key));
    SortResults(key, sortFlags_, doc_.Engine().Results(), [this](const ResultComparer& comparer) {
        list_.SortRows([&comparer](std::intptr_t data) { return comparer.OrderKey(data); }, comparer.Ascending());
    });
    ShowSortArrow(ColumnOfSortKey(key), ascending);
}

void CVarnokle2View::ShowSortArrow(int sortedColumn, bool ascending) {
    const auto header = reinterpret_cast<HWND>(list_.Send(LVM_GETHEADER));
    if (!header) {
        return;
    }
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sortedColumn) {
            item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    }
}

void CVarnokle2View::DeleteItems() {
    list_.DeleteSelectedRows();
}

bool CVarnokle2View::CanDeleteItems() {
    return list_.GetItemCount() > 0;
}

void CVarnokle2View::OpenRow(int row) {
    if (row >= 0) {
        OpenHit(list_.RowData(row));
    }
}

void CVarnokle2View::OpenHit(std::intptr_t data) {
    const auto path = doc_.Engine().Results().Path(static_cast<std::size_t>(data));
    if (!path) {
        return;
    }
    shell_.Execute(OpenVerbFor(shell_.Attributes(*path)), *path, Handle());
}

void CVarnokle2View::OpenSelectedRows() {
    // The data values first: what an opened program does meanwhile cannot shift the rows.
    std::vector<std::intptr_t> hits;
    for (const int row : list_.SelectedRows()) {
        hits.push_back(list_.RowData(row));
    }
    for (const std::intptr_t data : hits) {
        OpenHit(data);
    }
}

void CVarnokle2View::OpenMenuRow() {
    if (list_.menuRowData) {
        OpenHit(*list_.menuRowData);
    }
}

void CVarnokle2View::ShowMenuRowProperties() {
    if (!list_.menuRowData) {
        return;
    }
    if (const auto path = doc_.Engine().Results().Path(static_cast<std::size_t>(*list_.menuRowData))) {
        shell_.ShowProperties(*path);
    }
}

void CVarnokle2View::OpenContainingFolder() {
    const int row = list_.FirstSelectedRow();
    if (row < 0) {
        return;
    }
    const std::wstring folder = list_.RowText(row, kPathColumn);
    shell_.Execute(OpenVerbFor(shell_.Attributes(folder)), folder, Handle());
}

} // namespace vk
