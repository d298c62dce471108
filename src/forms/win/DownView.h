#pragma once
// The simple search form (template IDD_SIMPLE_FORM): a file or folder mask with its history,
// Start, Stop and "Advanced mode".

#include "forms/win/SearchFormView.h"

namespace vk {

class CDownView final : public CSearchFormView {
public:
    CDownView(CSearchEngine& engine, SearchButtons& buttons);
    // Destroys the window while the form can still write its state file.
    ~CDownView() override;

protected:
    [[nodiscard]] ButtonIds Buttons() const override;
    void AttachControls() override;
    void AddTools(FormToolTip& tip) override;
    void LoadHistories(const FormState& state) override;
    [[nodiscard]] FormState HistoriesToStore() const override;
    void OnStart() override;
};

} // namespace vk
