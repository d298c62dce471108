#include "document/UserMessages.h"

#include "framework/MessageBoxes.h"

namespace vk {

void MessageBoxMessages::ShowMessage(std::wstring_view text, std::wstring_view caption) {
    ui::ShowMessageBox(text, caption, MB_OK | MB_ICONINFORMATION);
}

} // namespace vk
