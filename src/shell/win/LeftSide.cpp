#include "shell/win/LeftSide.h"

#include "forms/win/SearchForms.h"

namespace vk {

FormFactory SearchFormFactory(CSearchEngine& engine) {
    return [&engine](bool advanced, IFormHost& host) -> std::unique_ptr<ui::FormView> {
        std::unique_ptr<CSearchFormView> form = MakeSearchForm(advanced, engine);
        form->SetHost(&host);
        return form;
    };
}

} // namespace vk
