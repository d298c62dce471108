#include "forms/win/MaskComboBox.h"

#include "forms/FormStateFile.h"

namespace vk {

void MaskComboBox::Attach(HWND combo) {
    combo_ = combo;
    SendMessageW(combo_, CB_LIMITTEXT, kMaxStoredEntryLength, 0);
}

std::vector<std::wstring> MaskComboBox::Entries() const {
    std::vector<std::wstring> entries;
    const auto count = static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == CB_ERR) {
            continue;
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const auto got =
            SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
        entries.push_back(std::move(text));
    }
    return entries;
}

void MaskComboBox::Fill(const std::vector<std::wstring>& entries) const {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Insert(static_cast<int>(i), entries[i]);
    }
}

void MaskComboBox::InsertAtTop(const std::wstring& text) const {
    Insert(0, text);
}

void MaskComboBox::Insert(int position, const std::wstring& text) const {
    SendMessageW(combo_, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

std::wstring MaskComboBox::EditText() const {
    return ControlText(combo_);
}

void MaskComboBox::SetEditText(const std::wstring& text) const {
    SetWindowTextW(combo_, text.c_str());
}

} // namespace vk
