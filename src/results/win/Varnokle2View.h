#pragma once
// The result view: a form whose only control, the result list, always fills it. It owns the
// icon cache and the list, sets both up in its initial update and hands them to the engine, keeps
// the item count in the status bar current, sorts the rows, and carries out the row commands
// (open, properties, open containing folder, delete items).

#include "framework/FormView.h"
#include "results/ResultComparers.h"
#include "results/ResultViewHost.h"
#include "results/win/ResultListCtrl.h"
#include "results/win/ShellActions.h"
#include "results/win/ShellIconCache.h"

#include <chrono>
#include <memory>

namespace vk {

class CVarnokle2View final : public ui::FormView {
public:
    // shell: the shell calls to use; null for the system's (on the document's network). The
    // document and the shell calls must outlive the view.
    explicit CVarnokle2View(IResultViewHost& doc, IShellActions* shell = nullptr);
    // Stops a running search and waits for its threads first: they use the list and the icon
    // cache.
    ~CVarnokle2View() override;

    void OnInitialUpdate() override;

    [[nodiscard]] CResultListCtrl& List() { return list_; }
    [[nodiscard]] CShellIconCache& IconCache() { return iconCache_; }

    // The commands on the rows.
    void DeleteItems();                  // "Delete Items": the selected rows
    [[nodiscard]] bool CanDeleteItems(); // the list holds at least one row
    void OpenMenuRow();                  // "Open": the row the pop-up menu was opened on
    void ShowMenuRowProperties();        // "Properties": the same row
    void OpenContainingFolder();         // the folder (column 2) of the first selected row
    // Double-click: open or explore a row's hit; nothing for -1.
    void OpenRow(int row);
    // Enter: open or explore the hit of every selected row.
    void OpenSelectedRows();

    // True while the list or the item count is held back for the refresh a tenth of a second after
    // rows came or went, or the list's control has not been told of rows yet (during a search).
    [[nodiscard]] bool RefreshPending() const { return listBehind_ || countPending_ || list_.RowsUntold(); }
    // How often the list has been brought up to date after it was held back.
    [[nodiscard]] int ListRepaints() const { return listRepaints_; }

    // Sorting, by a column's key or by the "Arrange Icons" commands; the header shows the arrow of
    // the last sort's direction on its column.
    void SortByColumn(int column);
    void SortByName() { SortBy(SortKey::kName); }
    void SortBySize() { SortBy(SortKey::kSize); }
    void SortByFolder() { SortBy(SortKey::kFolder); }
    void SortByModified() { SortBy(SortKey::kModified); }
    // The direction of the next sort by each key; they keep their values for the view's life,
    // which is the program's run.
    [[nodiscard]] const SortFlags& Sorting() const { return sortFlags_; }

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    void SortBy(SortKey key);
    // The header's sort arrow on the sorted column only.
    void ShowSortArrow(int sortedColumn, bool ascending);
    // Rows came in a batch or went in a mass; count is how many there are (or will be).
    // pausePainting: rows in view moved, so the list's painting waits for the refresh; rows that
    // came where none in view moves leave the list's painting as it is.
    void RowsChanged(int count, bool pausePainting);
    // Shows the count in the status bar, repainted at once.
    void ShowItemCount(int count);
    // Holds the list back until the refresh (see RowsChanged), its painting paused until then if
    // pausePainting; rowsWent: rows went, so the refresh draws the list on an erased background.
    void HoldListBack(bool rowsWent, bool pausePainting = true);
    // The list painted again and the count shown, if either was held back.
    void CatchUp();

    bool OnInitDialog(ui::Message& m);
    bool OnSize(ui::Message& m);
    bool OnSysColorChange(ui::Message& m);
    bool OnTimer(ui::Message& m);
    bool OnIconsPending(ui::Message& m);
    bool OnPaintList(ui::Message& m);
    bool OnDoubleClick(ui::Message& m);
    bool OnEnter(ui::Message& m);
    // Open or explore the hit of the store's entry data (a row's data value).
    void OpenHit(std::intptr_t data);
    void OnRowsChanged(RowChange change);
    bool OnAllItemsDeleting(ui::Message& m);
    bool OnFindItem(ui::Message& m);
    bool OnColumnClick(ui::Message& m);
    // A cell's text or a row's image, from the list's rows (the "Modified" column's from the
    // store).
    bool OnGetDisplayInfo(ui::Message& m);
    bool OnIgnoredNotification(ui::Message& m);
    bool OnDeleteItemsCommand(ui::Message& m);
    bool OnOpenCommand(ui::Message& m);
    bool OnPropertiesCommand(ui::Message& m);
    bool OnOpenContainingFolderCommand(ui::Message& m);
    bool OnArrangeCommand(ui::Message& m);

    IResultViewHost& doc_;
    std::unique_ptr<IShellActions> systemShell_;
    IShellActions& shell_;
    CShellIconCache iconCache_;
    CResultListCtrl list_;
    bool listBehind_ = false;
    std::chrono::steady_clock::time_point behindSince_{};
    bool listPaintingPaused_ = false;
    bool rowsWent_ = false; // since the list was held back
    int listRepaints_ = 0;
    bool countPending_ = false;
    std::chrono::steady_clock::time_point countShown_{};
    std::wstring cellText_; // the buffer of the cell being drawn
    SortFlags sortFlags_;
};

} // namespace vk
