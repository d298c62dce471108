#include "document/Varnokle2Doc.h"

#include "engine/EngineTexts.h"
#include "framework/MessageLoop.h"

#include <string>

namespace vk {

CVarnokle2Doc::CVarnokle2Doc(NetworkEnvironment& environment) : environment_(environment) {
    EngineServices services;
    services.fileSystem = &environment.Files();
    services.network = &environment.Network();
    services.statusBar = &statusBar_;
    services.messages = &messages_;
    engine_ = std::make_unique<CSearchEngine>(services);
}

CVarnokle2Doc::~CVarnokle2Doc() {
    // The engine's own destructor joins its threads without handling messages: by then there
    // must be none left.
    StopSearchAndWait();
}

void CVarnokle2Doc::ShowItemCount(std::wstring_view text) {
    if (ui::StatusBarCtrl* bar = theStatusBar) {
        bar->SetPaneText(kPaneItemCount, std::wstring(text));
        UpdateWindow(bar->Handle());
    }
}

void CVarnokle2Doc::StopSearchAndWait() {
    CSearchEngine& engine = *engine_;
    ui::PumpUntilDone([&engine] {
        // Checked again after every message handled: a Start handled meanwhile is stopped too.
        if (engine.searchActive && engine.searchRunning) {
            engine.StopSearch();
        }
        return !engine.SearchThreadsRunning();
    });
    // The controller has finished its last step: joining it only waits for it to return. The
    // browse threads send nothing: they are stopped and joined without the pump, each as soon as
    // the call it is in returns (a server that does not answer: its time-out).
    engine.WaitForSearchEnd();
    engine.StopBrowsingAndWait();
}

} // namespace vk
