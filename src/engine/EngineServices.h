#pragma once
// What the engine works with: the file system, the network and the seams to the user interface.

#include "engine/AtomicPointer.h"
#include "engine/EngineSeams.h"
#include "platform/FileSystem.h"
#include "platform/NetworkServices.h"

namespace vk {

// Nothing here is owned by the engine. The user interface thread may set a pointer at any time
// (the engine's threads read them atomically), but may clear it, or destroy what it points to,
// only once no search thread runs (CSearchEngine::SearchThreadsRunning() false).
struct EngineServices {
    AtomicPointer<FileSystem> fileSystem;
    AtomicPointer<IResultList> resultList;
    AtomicPointer<IStatusBar> statusBar;
    AtomicPointer<IIconIndex> iconIndex;
    AtomicPointer<ISearchForm> searchForm;  // may be null (the console tool has no buttons)
    AtomicPointer<NetworkServices> network; // may be null: no network to enumerate
    AtomicPointer<IUserMessages> messages;  // may be null: browse failures are not shown
};

} // namespace vk
