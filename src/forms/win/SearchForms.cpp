#include "forms/win/SearchForms.h"

#include "forms/win/DownView.h"
#include "forms/win/DownView2.h"

namespace vk {

std::unique_ptr<CSearchFormView> MakeSearchForm(bool advanced, CSearchEngine& engine, SearchButtons& buttons) {
    if (advanced) {
        return std::make_unique<CDownView2>(engine, buttons);
    }
    return std::make_unique<CDownView>(engine, buttons);
}

} // namespace vk
