#include "forms/win/SearchForms.h"

#include "forms/win/DownView.h"
#include "forms/win/DownView2.h"

namespace vk {

std::unique_ptr<CSearchFormView> MakeSearchForm(bool advanced, CSearchEngine& engine) {
    if (advanced) {
        return std::make_unique<CDownView2>(engine);
    }
    return std::make_unique<CDownView>(engine);
}

} // namespace vk
