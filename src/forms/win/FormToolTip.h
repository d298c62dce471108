#pragma once
// A search form's tooltip control. Every message the user interface thread takes from its queue
// for the form or one of its controls is handed to the tooltip as a relayed event before it is
// dispatched (a message hook of the thread does this while any form tooltip exists), so the tips
// of the form's controls show when the mouse rests on them.

#include "framework/Win32.h"

namespace vk {

class FormToolTip {
public:
    FormToolTip() = default;
    ~FormToolTip();
    FormToolTip(const FormToolTip&) = delete;
    FormToolTip& operator=(const FormToolTip&) = delete;

    // Creates the control for form (its owner) and starts relaying the form's messages to it.
    bool Create(HWND form);
    // Adds a tool: the control window, with its text, and for an editable combo box its edit part
    // too. Lines of the text are broken at "\r\n".
    void AddTool(HWND control, const wchar_t* text) const;
    void Activate() const;

    [[nodiscard]] HWND Handle() const { return tip_; }
    [[nodiscard]] bool Exists() const { return tip_ != nullptr; }

    // Destroys the control and stops relaying (also when the object goes).
    void Destroy();

private:
    HWND form_ = nullptr;
    HWND tip_ = nullptr;
};

} // namespace vk
