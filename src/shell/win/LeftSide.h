#pragma once
// What the left side of the main window (the network tree above the search form) is made from:
// the document, the maker of the lower pane's form and which form comes first.

#include "forms/FormHost.h"
#include "framework/FormView.h"
#include "shell/PaneLayout.h"

#include <functional>
#include <memory>

namespace vk {

class CVarnokle2Doc;

// Makes the lower pane's search form, the advanced one when advanced is true, for the holder that
// swaps it; the form's window is created by the pane. Null: no form can be made.
using FormFactory = std::function<std::unique_ptr<ui::FormView>(bool advanced, IFormHost& host)>;

// The program's search forms (simple and advanced), searching with the document's engine, their
// buttons bound into the document's, and swapped by their holder.
[[nodiscard]] FormFactory SearchFormFactory(CVarnokle2Doc& document);

struct LeftSideSetup {
    CVarnokle2Doc* document = nullptr;
    FormFactory makeForm;
    bool advancedForm = false;
    // Runs the swap of the form (swap() returns whether the new form is in place), so that the
    // main window can hide its painting meanwhile and fit its panes to the new form after it.
    // Empty: the swap just runs.
    std::function<bool(const std::function<bool()>& swap)> swapForm;
};

// The system's sizing border and window edge, which the panes are sized by.
[[nodiscard]] inline FrameMetrics SystemFrameMetrics() {
    return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CXEDGE)};
}

} // namespace vk
