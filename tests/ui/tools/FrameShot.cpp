// Shows the main frame with its real panes on a folder network and a test form in the lower pane,
// browses a few nodes the way a user's double-clicks do, and waits, so that
// scripts/screenshot-panes.sh --frame can take a picture of it.
//
//   vk_frame_shot NETWORK-FOLDER READY-FILE STOP-FILE [SECONDS] [advanced]
//
// READY-FILE is written once the window is drawn; the program ends when STOP-FILE appears or after
// SECONDS (default 60). With "advanced" the taller test form is shown.

#include "document/Varnokle2Doc.h"
#include "framework/Controls.h"
#include "network/win/UpView.h"
#include "platform/NetworkEnvironment.h"
#include "shell/win/MainFrame.h"
#include "shell/win/SplitterView.h"
#include "ui/support/TestForm.h"
#include "ui/tools/ShotSteps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vk {
namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 700;

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 4) {
        std::fwprintf(stderr, L"usage: vk_frame_shot NETWORK-FOLDER READY-FILE STOP-FILE [SECONDS] [advanced]\n");
        return 2;
    }
    const int seconds = args.size() > 4 ? std::max(1, _wtoi(args[4].c_str())) : 60;
    const bool advanced = args.size() > 5 && args[5] == L"advanced";

    ui::InitCommonControlClasses();
    NetworkEnvironment environment;
    if (environment.UseFolderNetwork(args[1]) != kErrorSuccess) {
        std::fwprintf(stderr, L"vk_frame_shot: cannot read the network folder %ls\n", args[1].c_str());
        return 1;
    }
    CVarnokle2Doc document(environment);
    testing::TestFormFactory forms;
    CMainFrame::Setup setup;
    setup.makeForm = [&forms](bool advancedForm, IFormHost& host) { return forms(advancedForm, host); };
    setup.advancedForm = advanced;
    CMainFrame frame(document, setup);
    if (!frame.CreateFrame()) {
        std::fwprintf(stderr, L"vk_frame_shot: cannot open the window\n");
        return 1;
    }
    frame.SetEndsProgram(true);
    frame.InitialUpdate();
    SetWindowPos(frame.Handle(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER);
    ShowWindow(frame.Handle(), SW_SHOW);
    BrowseTheDemoNetwork(frame.LeftSide()->Tree()->Tree());
    frame.OnIdle();
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::PumpWaitingMessages();

    std::ofstream(std::filesystem::path(args[2])) << "ready\n";
    ui::PumpUntil([&] { return FileExists(args[3]); }, std::chrono::seconds(seconds));
    return 0;
}

} // namespace
} // namespace vk

int main() {
    return vk::Run(vk::CommandLineArguments());
}
