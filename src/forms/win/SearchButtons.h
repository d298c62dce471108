#pragma once
// The Start, Stop and mode buttons of the search forms: one process-wide set per form class, so
// that the engine can switch them from its controller thread without a reference to a form. The
// form that exists binds its set when it is created and lets go of it when it is destroyed.

#include "engine/EngineSeams.h"
#include "framework/Win32.h"

#include <atomic>

namespace vk {

class SearchButtonSet {
public:
    // Takes the buttons of form by their control ids.
    void Bind(HWND form, int startId, int stopId, int modeId);
    // Forgets the buttons (of the form being destroyed).
    void Unbind();

    // Running: Start and the mode button disabled, Stop enabled; not running: the opposite.
    // Handles of a form that has gone are ignored (the calls fail harmlessly).
    void Show(bool running) const;

    [[nodiscard]] HWND Start() const { return start_.load(); }
    [[nodiscard]] HWND Stop() const { return stop_.load(); }
    [[nodiscard]] HWND Mode() const { return mode_.load(); }

private:
    std::atomic<HWND> start_{nullptr};
    std::atomic<HWND> stop_{nullptr};
    std::atomic<HWND> mode_{nullptr};
};

extern SearchButtonSet theSimpleFormButtons;
extern SearchButtonSet theAdvancedFormButtons;

// The buttons the engine switches: those of the form that the Advanced setting names.
class SearchStateButtons final : public ISearchForm {
public:
    void SetSearchButtons(bool running) override;
};

// What the forms register with the engine.
extern SearchStateButtons theSearchStateButtons;

} // namespace vk
