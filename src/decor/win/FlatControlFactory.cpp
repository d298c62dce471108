#include "decor/win/FlatKinds.h"

namespace vk {

std::unique_ptr<FlatControl> MakeFlatControl(FlatKind kind, HWND window) {
    switch (kind) {
    case FlatKind::None:
        return nullptr;
    case FlatKind::Generic:
        return std::make_unique<FlatControl>(window);
    case FlatKind::PushButton:
        return std::make_unique<FlatPushButton>(window);
    case FlatKind::CheckBox:
        return std::make_unique<FlatCheckBox>(window);
    case FlatKind::RadioButton:
        return std::make_unique<FlatRadioButton>(window);
    case FlatKind::ComboBox:
        return std::make_unique<FlatComboBox>(window);
    case FlatKind::Edit:
        return std::make_unique<FlatEdit>(window);
    case FlatKind::EditInSimpleCombo:
        return std::make_unique<FlatEditInSimpleCombo>(window);
    case FlatKind::DateTime:
        return std::make_unique<FlatDateTime>(window);
    case FlatKind::UpDown:
        return std::make_unique<FlatUpDown>(window);
    case FlatKind::ScrollBar:
        return std::make_unique<FlatScrollBar>(window);
    case FlatKind::IpAddress:
        return std::make_unique<FlatIpAddress>(window);
    case FlatKind::TrackBar:
        return std::make_unique<FlatTrackBar>(window);
    case FlatKind::Header:
        return std::make_unique<FlatHeader>(window);
    case FlatKind::Toolbar:
        return std::make_unique<FlatToolbar>(window);
    case FlatKind::Tab:
        return std::make_unique<FlatTab>(window);
    }
    return nullptr;
}

} // namespace vk
