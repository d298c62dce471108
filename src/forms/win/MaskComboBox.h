#pragma once
// An editable drop-down combo box of a search form whose list is a mask history: newest first,
// each entry inserted at its place (the list is never sorted by the control).

#include "framework/Win32.h"

#include <string>
#include <vector>

namespace vk {

// The whole text of a window or control.
[[nodiscard]] std::wstring ControlText(HWND control);

class MaskComboBox {
public:
    // Takes the combo box of a form by its handle; limits typing to what the state file keeps.
    void Attach(HWND combo);

    [[nodiscard]] HWND Handle() const { return combo_; }

    // The list's entries, in list order.
    [[nodiscard]] std::vector<std::wstring> Entries() const;
    // Inserts each entry at the position of its place in entries.
    void Fill(const std::vector<std::wstring>& entries) const;
    // Inserts text at the top of the list.
    void InsertAtTop(const std::wstring& text) const;

    // The text of the edit field, whole.
    [[nodiscard]] std::wstring EditText() const;
    void SetEditText(const std::wstring& text) const;

private:
    void Insert(int position, const std::wstring& text) const;

    HWND combo_ = nullptr;
};

} // namespace vk
