#pragma once
// A stand-in for the search forms in the lower pane: a small form of the tests' own whose initial
// update writes its laid-out size into theFormSize, as the search forms do, and whose button asks
// its holder for the other kind, as their mode buttons do. It records the sizes it is given.

#include "forms/FormHost.h"
#include "framework/FormView.h"
#include "ui/support/TestForms.h"

#include <memory>
#include <vector>

namespace vk::testing {

class TestForm final : public ui::FormView {
public:
    TestForm(bool advancedForm, IFormHost& host)
        : ui::FormView(advancedForm ? IDD_TEST_FORM_ADVANCED : IDD_TEST_FORM_SIMPLE), advanced(advancedForm),
          host_(host) {}

    void OnInitialUpdate() override {
        ++initialUpdates;
        sizesAtInitialUpdate = sizes.size();
        theFormSize = laidOut;
    }

    const bool advanced;
    FormSize laidOut;        // the template's size, as the dialog manager made it
    std::vector<SIZE> sizes; // every size message, in order
    std::size_t sizesAtInitialUpdate = 0;
    int initialUpdates = 0;

protected:
    bool ProcessMessage(ui::Message& m) override {
        if (m.message == WM_INITDIALOG) {
            RECT rect{};
            GetWindowRect(Handle(), &rect);
            laidOut = {rect.right - rect.left, rect.bottom - rect.top};
            return false;
        }
        if (m.message == WM_SIZE) {
            sizes.push_back({LOWORD(m.lParam), HIWORD(m.lParam)});
            return false;
        }
        if (m.message == WM_COMMAND && m.CommandId() == IDC_TEST_BUTTON) {
            // The form goes while this runs: nothing of it may be touched afterwards.
            (void)host_.ReplaceForm(!advanced);
            return true;
        }
        return ui::FormView::ProcessMessage(m);
    }

private:
    IFormHost& host_;
};

// Makes test forms and remembers the last one (the one in the pane).
struct TestFormFactory {
    TestForm* last = nullptr;
    int made = 0;
    bool fail = false;

    std::unique_ptr<ui::FormView> operator()(bool advanced, IFormHost& host) {
        if (fail) {
            return nullptr;
        }
        auto form = std::make_unique<TestForm>(advanced, host);
        last = form.get();
        ++made;
        return form;
    }
};

} // namespace vk::testing
