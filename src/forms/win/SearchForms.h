#pragma once
// Makes the search form for the lower pane: the advanced form (CDownView2) or the simple one
// (CDownView). The holder creates its window, sizes it, gives it the holder (SetHost) and runs
// its initial update.

#include "forms/win/SearchFormView.h"

#include <memory>

namespace vk {

class CSearchEngine;
class SearchButtons;

// The form searches with engine; its Start, Stop and mode buttons are bound into buttons while it
// lives.
[[nodiscard]] std::unique_ptr<CSearchFormView> MakeSearchForm(bool advanced, CSearchEngine& engine,
                                                              SearchButtons& buttons);

} // namespace vk
