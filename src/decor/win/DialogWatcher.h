#pragma once
// Watches a decorated dialog for controls created after its initialisation: a subclass of the
// dialog (framework/Subclass.h) decorates each child whose creation the dialog is told of, and
// ends the watch at the dialog's final destruction.

#include "framework/Subclass.h"
#include "framework/Win32.h"

namespace vk {

class DialogWatcher final : public ui::Subclass {
public:
    explicit DialogWatcher(HWND dialog) : dialog_(dialog) {}

    // Takes over the dialog's procedure. False if it could not.
    bool Start() { return Install(dialog_); }
    // Gives the dialog its procedure back (if nothing has taken it over since; otherwise the
    // watcher's place in the chain passes everything on).
    void Stop() { Remove(); }

    [[nodiscard]] HWND Dialog() const { return dialog_; }

protected:
    LRESULT OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND dialog_;
};

} // namespace vk
