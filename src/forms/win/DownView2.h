#pragma once
// The advanced search form (template IDD_ADVANCED_FORM): a share mask, a file or folder mask, a
// containing text and a size bound, each switched on by its check box; Start, Stop and "Simple
// mode"; below them the filter group (FilterGroup.h). Each time it is shown every criterion is on,
// the size reads at least 0 kb, the filters filter nothing, and only the file mask text (carried
// from the other form) and the three histories come back.

#include "forms/win/FilterGroup.h"
#include "forms/win/SearchFormView.h"

namespace vk {

struct AdvancedFormInput;

class CDownView2 final : public CSearchFormView {
public:
    CDownView2(CSearchEngine& engine, SearchButtons& buttons);
    // Destroys the window while the form can still write its state file.
    ~CDownView2() override;

    [[nodiscard]] const MaskComboBox& ShareMaskBox() const { return shareMasks_; }
    [[nodiscard]] const MaskComboBox& ExcludeMaskBox() const { return filters_.ExcludeBox(); }

protected:
    bool ProcessMessage(ui::Message& m) override;

    [[nodiscard]] ButtonIds Buttons() const override;
    void AttachControls() override;
    void AddTools(FormToolTip& tip) override;
    void LoadHistories(const FormState& state) override;
    [[nodiscard]] FormState HistoriesToStore() const override;
    void ResetInputs() override;
    void OnStart() override;

private:
    bool OnCheckClicked(ui::Message& m);
    bool OnModifiedChosen(ui::Message& m);
    // Enables each criterion's inputs when its box is checked, disables them otherwise.
    void EnableInputs() const;
    [[nodiscard]] bool IsChecked(int id) const;
    [[nodiscard]] std::wstring TextOf(int id) const;
    [[nodiscard]] AdvancedFormInput ReadInput() const;

    MaskComboBox shareMasks_;
    FilterGroup filters_;
};

} // namespace vk
