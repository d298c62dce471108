#pragma once
// The left side's only view: it holds the inner splitter, the network tree above the search form,
// and sizes the form row from the form that is shown. It is the holder the forms ask to swap
// themselves for the other kind.

#include "framework/PaneSplitter.h"
#include "shell/win/LeftSide.h"

namespace vk {

class CUpView;

class CSplitterView final : public ui::Window, public IFormHost {
public:
    explicit CSplitterView(LeftSideSetup setup);
    ~CSplitterView() override;

    // Creates the view and its panes as a child of parent. False when the view or the tree pane
    // cannot be made; a form that cannot be made leaves the lower pane empty.
    bool CreateIn(HWND parent, UINT id);
    // The tree's and the form's initial updates, then the rows fitted to the form.
    void InitialUpdate();

    bool ReplaceForm(bool advanced) override;

    [[nodiscard]] CPaneSplitter& Splitter() { return splitter_; }
    [[nodiscard]] const CPaneSplitter& Splitter() const { return splitter_; }
    [[nodiscard]] CUpView* Tree() const;
    [[nodiscard]] ui::FormView* Form() const;

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnCreate(ui::Message& m);
    bool OnSize(ui::Message& m);
    bool OnPaint(ui::Message& m);
    bool OnEraseBackground(ui::Message& m);

    // Puts the splitter just beyond the view's edges and the form row at the form's height.
    void SizePanes(int width, int height);
    std::unique_ptr<ui::FormView> MakeForm(bool advanced);

    LeftSideSetup setup_;
    CPaneSplitter splitter_;
};

} // namespace vk
