#pragma once
// The narrow interfaces through which the engine reaches the user interface: the result list,
// the status bar, the icon cache and the search form's buttons. The window program implements
// them over the real controls (engine threads send synchronous messages to the user interface
// thread); tests and the console tool use in-memory models.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vk {

// A row with everything it shows and carries, for inserting several at once. Its texts belong to
// whoever hands the rows over, and stay valid for the call that takes them.
struct NewRow {
    std::wstring_view name; // column 0
    int image = 0;
    std::wstring_view sizeText; // column 1; empty: not set (folders and shares)
    std::wstring_view pathText; // column 2
    std::intptr_t data = 0;
};

// Inserts rows one after the other from position (at the end when position is past it):
// insertRow(position, row) puts a row in with its name, image and data and returns its index (-1
// when it could not), setText(index, column, text) gives it its size text (if it has one) and its
// path text. Returns the index of the first row, or -1 when none went in.
template <class InsertRow, class SetText>
int InsertRowsInTurn(int position, std::span<const NewRow> rows, InsertRow insertRow, SetText setText) {
    int first = -1;
    for (const NewRow& row : rows) {
        const int index = insertRow(position, row);
        if (index < 0) {
            continue;
        }
        if (first < 0) {
            first = index;
        }
        if (!row.sizeText.empty()) {
            setText(index, 1, row.sizeText);
        }
        setText(index, 2, row.pathText);
        position = index + 1;
    }
    return first;
}

// The guarded row operations of the result list. Every call may come from any engine thread.
class IResultList {
public:
    virtual ~IResultList() = default;
    // Callers that need a stable answer hold countLock, or hitLock, under which no walker inserts.
    [[nodiscard]] virtual int GetItemCount() = 0;
    // Inserts a row (column 0 text and image) at position, or at the end when position is past
    // it. Returns the new row's index, or -1 on failure.
    virtual int InsertRow(int position, std::wstring_view text, int image) = 0;
    virtual bool SetColumnText(int row, int column, std::wstring_view text) = 0;
    virtual bool SetRowData(int row, std::intptr_t data) = 0;
    [[nodiscard]] virtual std::intptr_t GetRowData(int row) = 0;
    virtual void DeleteAllRows() = 0;

    // Inserts the rows one after the other from position (at the end when position is past it),
    // each with its columns and data, as InsertRow, SetColumnText and SetRowData would. Returns
    // the index of the first, or -1 when none was inserted. A list that lives on another thread
    // does it in one step there (the window's list: one message for the whole batch).
    virtual int InsertRows(int position, std::span<const NewRow> rows) {
        return InsertRowsInTurn(
            position, rows,
            [this](int at, const NewRow& row) {
                const int index = InsertRow(at, row.name, row.image);
                if (index >= 0) {
                    SetRowData(index, row.data);
                }
                return index;
            },
            [this](int index, int column, std::wstring_view text) { SetColumnText(index, column, text); });
    }
};

class IStatusBar {
public:
    virtual ~IStatusBar() = default;
    virtual void SetPaneText(int pane, std::wstring_view text) = 0;
};

// Image indexes of the result list's icons.
class IIconIndex {
public:
    virtual ~IIconIndex() = default;
    // The index for a key: "." the folder icon, "*" the generic file icon; -1 if unknown.
    [[nodiscard]] virtual int IndexOfKey(std::wstring_view key) = 0;
    // The index for a file name (its extension), adding the type's icons at the first meeting.
    [[nodiscard]] virtual int IconIndexForFile(std::wstring_view name) = 0;
};

// Message boxes for the user: browse failures in the system's words, captioned with the
// program's name.
class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    virtual void ShowMessage(std::wstring_view text, std::wstring_view caption) = 0;
};

// The buttons of the visible search form: Start and the mode switch against Stop.
class ISearchForm {
public:
    virtual ~ISearchForm() = default;
    virtual void SetSearchButtons(bool running) = 0;
};

} // namespace vk
