#pragma once
// The Start, Stop and mode buttons of the search form that is shown, as the engine switches them
// (ShowSearchState) from its controller thread without a reference to a form. The document owns
// the one set for the program's whole run; the form that is shown binds its buttons when it is
// created and lets go of them when it is destroyed.

#include "engine/EngineSeams.h"
#include "framework/Win32.h"

#include <atomic>

namespace vk {

class SearchButtons final : public ISearchForm {
public:
    // Takes the buttons of form by their control ids.
    void Bind(HWND form, int startId, int stopId, int modeId);
    // Lets go of the buttons of form (the form being destroyed); nothing when another form's are
    // bound.
    void Unbind(HWND form);

    // Running: Start and the mode button disabled, Stop enabled; not running: the opposite.
    // Handles of a form that has gone are ignored (the calls fail harmlessly). Any thread.
    void SetSearchButtons(bool running) override;

    [[nodiscard]] HWND Start() const { return start_.load(); }
    [[nodiscard]] HWND Stop() const { return stop_.load(); }
    [[nodiscard]] HWND Mode() const { return mode_.load(); }

private:
    std::atomic<HWND> form_{nullptr};
    std::atomic<HWND> start_{nullptr};
    std::atomic<HWND> stop_{nullptr};
    std::atomic<HWND> mode_{nullptr};
};

} // namespace vk
