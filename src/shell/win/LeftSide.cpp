#include "shell/win/LeftSide.h"

#include "document/Varnokle2Doc.h"
#include "forms/win/SearchForms.h"

namespace vk {

FormFactory SearchFormFactory(CVarnokle2Doc& document) {
    return [&document](bool advanced, IFormHost& host) -> std::unique_ptr<ui::FormView> {
        std::unique_ptr<CSearchFormView> form = MakeSearchForm(advanced, document.Engine(), document.Buttons());
        form->SetHost(&host);
        return form;
    };
}

} // namespace vk
