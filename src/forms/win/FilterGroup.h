#pragma once
// The advanced form's filter group, below its other controls: the modified time ("Modified": a
// choice and one or two date-time pickers), the exclusion masks ("Exclude", with their own history),
// the depth ("Depth", an edit box with an up-down; empty for no limit) and the kind of hit ("Find").
// The form hands it its window; it reads the controls into the form's input, whose filling of the
// request is vkfind's (SearchCriteria.h).
//
// The first picker is the time of "after" and "before" and the start of "between"; the second, the
// end of "between", is shown only then. Both show the user's short date and time formats, to the
// minute.

#include "forms/win/MaskComboBox.h"

namespace vk {

struct AdvancedFormInput;
class FormToolTip;

class FilterGroup {
public:
    // Takes the group's controls of form (at WM_INITDIALOG).
    void Attach(HWND form);
    void AddTools(FormToolTip& tip) const;

    // The way the group looks each time the form is shown: any time (the pickers at the start of
    // today and of tomorrow), no exclusion, no depth limit, files and folders.
    void Reset() const;
    // The modified choice changed: shows and enables the pickers it uses.
    void ShowPickers() const;

    // The group's part of the form's input.
    void Read(AdvancedFormInput& input) const;

    // The exclusion box, whose list is the exclude-mask history.
    [[nodiscard]] const MaskComboBox& ExcludeBox() const { return excludeMasks_; }

private:
    [[nodiscard]] HWND Item(int id) const { return GetDlgItem(form_, id); }
    [[nodiscard]] int Choice(int id) const;

    HWND form_ = nullptr;
    MaskComboBox excludeMasks_;
};

} // namespace vk
