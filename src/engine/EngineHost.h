#pragma once
// The holder of the program's search engine, as the panes see it. The window program's document
// (document/Varnokle2Doc.h), which lies above the panes, implements it: the tree pane and the
// result view reach the engine through this, never by including the document.

#include "engine/SearchEngine.h"
#include "platform/NetworkEnvironment.h"

namespace vk {

class IEngineHost {
public:
    virtual ~IEngineHost() = default;

    [[nodiscard]] virtual CSearchEngine& Engine() = 0;
    // The network the engine searches; the shell's open and explore go to the same one.
    [[nodiscard]] virtual NetworkEnvironment& Environment() = 0;
    // Stops the running search, if any, and returns once every thread of the engine has ended,
    // handling the user interface thread's messages meanwhile. Called on that thread before
    // anything the engine uses goes away.
    virtual void StopSearchAndWait() = 0;
};

} // namespace vk
