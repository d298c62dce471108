// Shows the network tree pane and the result pane side by side on a folder network, browses a few
// nodes the way a user's double-clicks do, and waits, so that scripts/screenshot-panes.sh can take
// a picture of them.
//
//   vk_pane_shot NETWORK-FOLDER READY-FILE STOP-FILE [SECONDS]
//
// READY-FILE is written once the panes are drawn; the program ends when STOP-FILE appears or
// after SECONDS (default 60).

#include "document/ProgramStatusBar.h"
#include "document/Varnokle2Doc.h"
#include "framework/Controls.h"
#include "framework/MessageLoop.h"
#include "network/win/UpView.h"
#include "platform/NetworkEnvironment.h"
#include "results/win/Varnokle2View.h"
#include "shell/win/StatusBar.h"
#include "ui/tools/ShotSteps.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace vk {
namespace {

constexpr int kTreeWidth = 330;

// The main window's arrangement in small: the tree on the left, the results on the right, the
// status bar below both.
class ShotFrame final : public ui::Window {
public:
    bool Open(CUpView& tree, CVarnokle2View& results) {
        if (!Create(L"VarnoklePaneShot", L"Varnokle", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 1000, 620,
                    nullptr, nullptr)) {
            return false;
        }
        statusBar.CreateFor(Handle());
        theStatusBar = &statusBar;
        tree_ = &tree;
        results_ = &results;
        if (!tree.CreateView(Handle()) || !results.CreateView(Handle())) {
            return false;
        }
        Layout();
        ShowWindow(tree.Handle(), SW_SHOW);
        ShowWindow(results.Handle(), SW_SHOW);
        return true;
    }

    CStatusBar statusBar;

protected:
    bool ProcessMessage(ui::Message& m) override {
        if (m.message == WM_SIZE) {
            Layout();
            return true;
        }
        return Window::ProcessMessage(m);
    }

private:
    void Layout() {
        RECT client{};
        GetClientRect(Handle(), &client);
        const int barHeight = statusBar.Exists() ? statusBar.Resize(client.right) : 0;
        const int height = client.bottom - barHeight;
        if (tree_ && tree_->Exists()) {
            MoveWindow(tree_->Handle(), 0, 0, kTreeWidth, height, TRUE);
        }
        if (results_ && results_->Exists()) {
            MoveWindow(results_->Handle(), kTreeWidth + 4, 0, client.right - kTreeWidth - 4, height, TRUE);
        }
    }

    CUpView* tree_ = nullptr;
    CVarnokle2View* results_ = nullptr;
};

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 4) {
        std::fwprintf(stderr, L"usage: vk_pane_shot NETWORK-FOLDER READY-FILE STOP-FILE [SECONDS]\n");
        return 2;
    }
    const std::wstring& readyFile = args[2];
    const std::wstring& stopFile = args[3];
    const int seconds = args.size() > 4 ? std::max(1, _wtoi(args[4].c_str())) : 60;

    ui::InitCommonControlClasses();
    NetworkEnvironment environment;
    if (environment.UseFolderNetwork(args[1]) != kErrorSuccess) {
        std::fwprintf(stderr, L"vk_pane_shot: cannot read the network folder %ls\n", args[1].c_str());
        return 1;
    }

    ShotFrame frame;
    {
        CVarnokle2Doc document(environment);
        CUpView treeView(document);
        CVarnokle2View resultView(document);
        if (!frame.Open(treeView, resultView)) {
            std::fwprintf(stderr, L"vk_pane_shot: cannot open the window\n");
            return 1;
        }
        // The result view first: the browse listings fill its list.
        resultView.OnInitialUpdate();
        treeView.OnInitialUpdate();

        BrowseTheDemoNetwork(treeView.Tree());
        frame.statusBar.SetPaneText(0, L"Ready");
        RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ui::PumpWaitingMessages();

        std::ofstream(std::filesystem::path(readyFile)) << "ready\n";
        ui::PumpUntil([&] { return FileExists(stopFile); }, std::chrono::seconds(seconds));
    }
    theStatusBar = nullptr;
    return 0;
}

} // namespace
} // namespace vk

int main() {
    return vk::Run(vk::CommandLineArguments());
}
