#include "results/win/Varnokle2Doc.h"

#include "framework/MessageLoop.h"
#include "framework/StatusBar.h"

#include <chrono>

namespace vk {

CVarnokle2Doc::CVarnokle2Doc(NetworkEnvironment& environment) : environment_(environment) {
    EngineServices services;
    services.fileSystem = &environment.Files();
    services.network = &environment.Network();
    services.statusBar = theStatusBar;
    services.messages = &messages_;
    engine_ = std::make_unique<CSearchEngine>(services);
}

CVarnokle2Doc::~CVarnokle2Doc() {
    // The engine's threads send messages to this thread: waiting for them without handling
    // those messages would never end.
    StopAndWait();
}

bool CVarnokle2Doc::StopAndWait() {
    CSearchEngine& engine = *engine_;
    if (engine.searchActive) {
        engine.StopSearch();
    }
    // The controller's last texts are messages to this thread: the wait keeps handling them.
    const bool ended = ui::PumpUntil([&] { return !engine.SearchThreadsRunning(); }, std::chrono::seconds(30));
    if (ended) {
        engine.WaitForSearchEnd();
    }
    return ended;
}

} // namespace vk
