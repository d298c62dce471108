// Shows the main frame with its real panes on a folder network and a test form in the lower pane,
// browses a few nodes the way a user's double-clicks do, and waits, so that
// scripts/screenshot-panes.sh --frame can take a picture of it.
//
//   vk_frame_shot NETWORK-FOLDER READY-FILE STOP-FILE [SECONDS] [advanced|high-contrast]
//
// READY-FILE is written once the window is drawn; the program ends when STOP-FILE appears or after
// SECONDS (default 60). With "advanced" the taller test form is shown; with "high-contrast" the
// system's colours become a black high-contrast scheme (for this program only, while it runs) and
// high contrast counts as on, as when a user turns it on. Wine's own theme knows no high-contrast
// variant (Windows switches to one): the picture shows the classic look, drawn in the scheme.

#include "document/Varnokle2Doc.h"
#include "framework/Controls.h"
#include "framework/SystemColours.h"
#include "network/win/UpView.h"
#include "platform/NetworkEnvironment.h"
#include "shell/win/MainFrame.h"
#include "shell/win/SplitterView.h"
#include "ui/support/TestForm.h"
#include "ui/tools/ShotSteps.h"

#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 700;

// A black high-contrast scheme, as Windows has one.
struct SchemeColour {
    int element;
    COLORREF colour;
};
constexpr std::array<SchemeColour, 20> kHighContrastBlack{{
    {COLOR_WINDOW, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},
    {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_3DHIGHLIGHT, RGB(255, 255, 255)},
    {COLOR_3DLIGHT, RGB(192, 192, 192)},
    {COLOR_3DSHADOW, RGB(128, 128, 128)},
    {COLOR_3DDKSHADOW, RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
    {COLOR_GRAYTEXT, RGB(63, 242, 63)},
    {COLOR_MENU, RGB(0, 0, 0)},
    {COLOR_MENUTEXT, RGB(255, 255, 255)},
    {COLOR_APPWORKSPACE, RGB(0, 0, 0)},
    {COLOR_INFOBK, RGB(0, 0, 0)},
    {COLOR_INFOTEXT, RGB(255, 255, 255)},
    {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
    {COLOR_MENUBAR, RGB(0, 0, 0)},
    {COLOR_MENUHILIGHT, RGB(26, 235, 255)},
    {COLOR_SCROLLBAR, RGB(0, 0, 0)},
}};

BOOL CALLBACK DrawClassic(HWND window, LPARAM) {
    SetWindowTheme(window, L"", L"");
    return TRUE;
}

bool HighContrastIsOn() {
    return true;
}

// Turns the scheme on: the system tells the top-level windows of the change, as when a user
// chooses it. The previous colours come back when the object goes.
class HighContrastScheme {
public:
    HighContrastScheme() {
        ui::UseHighContrastQuery(&HighContrastIsOn);
        for (std::size_t i = 0; i < kHighContrastBlack.size(); ++i) {
            elements_[i] = kHighContrastBlack[i].element;
            colours_[i] = kHighContrastBlack[i].colour;
            previous_[i] = GetSysColor(elements_[i]);
        }
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours_.data());
    }
    ~HighContrastScheme() {
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), previous_.data());
        ui::UseHighContrastQuery(nullptr);
    }
    HighContrastScheme(const HighContrastScheme&) = delete;
    HighContrastScheme& operator=(const HighContrastScheme&) = delete;

private:
    std::array<int, kHighContrastBlack.size()> elements_{};
    std::array<COLORREF, kHighContrastBlack.size()> colours_{};
    std::array<COLORREF, kHighContrastBlack.size()> previous_{};
};

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 4) {
        std::fwprintf(stderr,
                      L"usage: vk_frame_shot NETWORK-FOLDER READY-FILE STOP-FILE [SECONDS] [advanced|high-contrast]\n");
        return 2;
    }
    const int seconds = args.size() > 4 ? std::max(1, _wtoi(args[4].c_str())) : 60;
    const bool advanced = args.size() > 5 && args[5] == L"advanced";
    const bool highContrast = args.size() > 5 && args[5] == L"high-contrast";

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
    std::unique_ptr<HighContrastScheme> scheme;
    if (highContrast) {
        EnumChildWindows(frame.Handle(), &DrawClassic, 0);
        scheme = std::make_unique<HighContrastScheme>();
    }
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
