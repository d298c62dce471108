#include "results/win/ResultListCtrl.h"

#include "engine/EngineLocks.h"

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

} // namespace

CResultListCtrl* theResultList = nullptr;

CResultListCtrl::~CResultListCtrl() {
    if (theResultList == this) {
        theResultList = nullptr;
    }
}

bool CResultListCtrl::OnOwnThread() const {
    return GetWindowThreadProcessId(Handle(), nullptr) == GetCurrentThreadId();
}

int CResultListCtrl::GetItemCount() {
    return ItemCount();
}

int CResultListCtrl::InsertRow(int position, std::wstring_view text, int image) {
    const ListGuard guard(*this);
    return InsertItem(position, std::wstring(text), image);
}

bool CResultListCtrl::SetColumnText(int row, int column, std::wstring_view text) {
    const ListGuard guard(*this);
    return SetItemText(row, column, std::wstring(text));
}

bool CResultListCtrl::SetRowData(int row, std::intptr_t data) {
    const ListGuard guard(*this);
    return SetItemData(row, static_cast<LPARAM>(data));
}

std::intptr_t CResultListCtrl::GetRowData(int row) {
    const ListGuard guard(*this);
    return static_cast<std::intptr_t>(ItemData(row));
}

void CResultListCtrl::DeleteAllRows() {
    const ListGuard guard(*this);
    DeleteAllItems();
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

bool CResultListCtrl::ProcessMessage(ui::Message& m) {
    if (m.message == WM_RBUTTONDOWN) {
        // Remembered for the pop-up menu's "Open" and "Properties"; the control's own handling
        // (selection) follows.
        rightClickPoint = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
        return false;
    }
    return ui::ListViewCtrl::ProcessMessage(m);
}

} // namespace vk
