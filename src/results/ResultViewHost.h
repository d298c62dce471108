#pragma once
// What the result view needs of the document besides the engine: the document's pointer to its
// result view, and the item count's pane of the program's status bar.

#include "engine/EngineHost.h"

#include <string_view>

namespace vk {

class CVarnokle2View;

class IResultViewHost : public IEngineHost {
public:
    // The result view sets itself in its initial update, and takes itself back as it goes (which
    // leaves another view that was set since).
    virtual void SetResultView(CVarnokle2View* view) = 0;
    virtual void ReleaseResultView(CVarnokle2View* view) = 0;
    // Shows text in the item count pane (pane 1) of the status bar, painted at once. The user
    // interface thread only.
    virtual void ShowItemCount(std::wstring_view text) = 0;
};

} // namespace vk
