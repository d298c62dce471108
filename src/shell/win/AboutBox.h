#pragma once
// The about box: the program's picture over an "Ok" button.

#include "framework/FormView.h"

namespace vk {

class CAboutBox final : public ui::ModalDialog {
public:
    CAboutBox();

    // The picture's size in pixels.
    static constexpr int kPictureWidth = 307;
    static constexpr int kPictureHeight = 190;

protected:
    bool ProcessMessage(ui::Message& m) override;

private:
    bool OnClose(ui::Message& m);
};

} // namespace vk
