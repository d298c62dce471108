#pragma once
// A plain top-level window for user-interface tests: it hosts one form view filling its client
// area above a status bar, the way the main window will, and drives the message loop.

#include "document/ProgramStatusBar.h"
#include "framework/Controls.h"
#include "framework/FormView.h"
#include "framework/MessageLoop.h"
#include "shell/win/StatusBar.h"

#include <chrono>
#include <functional>
#include <memory>

namespace vk::testing {

class PaneHost : public ui::Window {
public:
    // Creates the host window (shown, at the given client size) and its status bar, and makes
    // the bar the program's status bar.
    PaneHost(int width = 800, int height = 600) {
        ui::InitCommonControlClasses();
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        Create(L"VarnoklePaneHost", L"Varnokle pane test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 20,
               20, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr);
        statusBar.CreateFor(Handle());
        theStatusBar = &statusBar;
    }
    ~PaneHost() override {
        if (theStatusBar == &statusBar) {
            theStatusBar = nullptr;
        }
    }

    // Creates the view inside the host, sizes it to fill the space above the status bar and runs
    // its initial update.
    bool Host(ui::FormView& view) {
        if (!view.CreateView(Handle())) {
            return false;
        }
        view_ = &view;
        Layout();
        ShowWindow(view.Handle(), SW_SHOW);
        view.OnInitialUpdate();
        ui::PumpWaitingMessages();
        return true;
    }

    // Handles messages until the condition holds (or 20 s have passed).
    static bool PumpUntil(const std::function<bool()>& done) { return ui::PumpUntil(done, std::chrono::seconds(20)); }

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
        if (view_ && view_->Exists()) {
            MoveWindow(view_->Handle(), 0, 0, client.right, client.bottom - barHeight, TRUE);
        }
    }

    ui::FormView* view_ = nullptr;
};

} // namespace vk::testing
