#pragma once
// The left column of the main window: a frame of its own, without menu or bars, whose only view
// is the splitter view (the network tree above the search form).

#include "shell/win/SplitterView.h"

namespace vk {

class CRightFrameWnd final : public ui::Window {
public:
    explicit CRightFrameWnd(LeftSideSetup setup) : view_(std::move(setup)) {}
    ~CRightFrameWnd() override;

    // Creates the frame as a child of parent, width pixels wide, with its view.
    bool CreateIn(HWND parent, int width);

    [[nodiscard]] CSplitterView& View() { return view_; }

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnCreate(ui::Message& m);
    bool OnSize(ui::Message& m);
    bool OnSetFocus(ui::Message& m);
    void FitView();

    CSplitterView view_;
};

} // namespace vk
