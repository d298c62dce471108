#pragma once
// Message boxes for the user, as the engine asks for them (browse failures).

#include "engine/EngineSeams.h"

namespace vk {

class MessageBoxMessages final : public IUserMessages {
public:
    // An information box with an OK button, owned by the active window (ui::ShowMessageBox).
    void ShowMessage(std::wstring_view text, std::wstring_view caption) override;
};

} // namespace vk
