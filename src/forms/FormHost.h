#pragma once
// What a search form shares with the panes around it: the size it was laid out at, which the
// pane layout sizes the left column and the form row by, and the holder of the lower pane, which
// swaps the form for the other one.

namespace vk {

// The laid-out size, in pixels, of the search form that is shown. 0 by 0 until a form has had its
// initial update; each form's initial update writes its size here.
struct FormSize {
    int width = 0;
    int height = 0;
};
extern FormSize theFormSize;

// The holder of the lower pane (the inner splitter's view). The forms' mode buttons ask it for the
// swap; it is below the forms so that no form needs the frame.
class IFormHost {
public:
    virtual ~IFormHost() = default;
    // Creates the other kind of form (the advanced form when advanced is true, else the simple
    // one) and destroys the form in the lower pane (it writes its state file while it goes) to put
    // the new one in its place. The new form is sized and gets its initial update before this
    // returns true. False: the new form could not be made, and the form in the pane stays.
    [[nodiscard]] virtual bool ReplaceForm(bool advanced) = 0;
};

} // namespace vk
