#pragma once
// A dialog template built in memory, for tests that need a dialog of their own controls.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vk::testing {

class DialogTemplate {
public:
    // A dialog of the given style and size in dialog units, with the "MS Shell Dlg" font.
    DialogTemplate(DWORD style, short width, short height, const std::wstring& title) {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT;
        header.cx = width;
        header.cy = height;
        Append(&header, sizeof header);
        Word(0); // no menu
        Word(0); // the standard dialog class
        Text(title);
        Word(8);
        Text(L"MS Shell Dlg");
    }

    // A control of a class given by name, at x, y, width, height in dialog units.
    void Add(const std::wstring& className, const std::wstring& text, WORD id, DWORD style, DWORD exStyle, short x,
             short y, short width, short height) {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.dwExtendedStyle = exStyle;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        Append(&item, sizeof item);
        Text(className);
        Text(text);
        Word(0); // no creation data
        ++count_;
        DLGTEMPLATE header{};
        std::memcpy(&header, bytes_.data(), sizeof header);
        header.cdit = count_;
        std::memcpy(bytes_.data(), &header, sizeof header);
    }

    [[nodiscard]] const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Append(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void Word(WORD value) { Append(&value, sizeof value); }
    void Text(const std::wstring& text) { Append(text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
    void Align() {
        while (bytes_.size() % 4 != 0) {
            bytes_.push_back(0);
        }
    }

    // The allocator's storage is aligned more than the DWORD the system needs.
    std::vector<std::uint8_t> bytes_;
    WORD count_ = 0;
};

} // namespace vk::testing
