#pragma once
// Which flat decoration a control gets, by its window class and style. The window code reads a
// control's class, styles and parent and then does what the choice says: take the control over
// with a decorator of the chosen kind, and decorate some of its child windows.

#include <cstdint>
#include <string_view>

namespace vk {

enum class FlatKind {
    None,
    PushButton,
    CheckBox,
    RadioButton,
    ComboBox,
    Edit,
    EditInSimpleCombo,
    Generic,
    DateTime,
    UpDown,
    ScrollBar,
    IpAddress,
    TrackBar,
    Header,
    Toolbar,
    Tab,
};

// Window styles the choice reads, with the values of the Windows headers (the window code
// checks that they agree).
namespace styles {
inline constexpr std::uint32_t kButtonFlat = 0x8000;        // BS_FLAT
inline constexpr std::uint32_t kComboTypeMask = 0x3;        // CBS_SIMPLE 1, CBS_DROPDOWN 2, CBS_DROPDOWNLIST 3
inline constexpr std::uint32_t kComboSimple = 0x1;          // CBS_SIMPLE
inline constexpr std::uint32_t kScrollSizeBoxOrGrip = 0x18; // SBS_SIZEBOX 8, SBS_SIZEGRIP 0x10
inline constexpr std::uint32_t kHeaderButtons = 0x2;        // HDS_BUTTONS
inline constexpr std::uint32_t kToolbarFlat = 0x800;        // TBSTYLE_FLAT
inline constexpr std::uint32_t kDateTimeUpDown = 0x1;       // DTS_UPDOWN
inline constexpr std::uint32_t kExClientEdge = 0x200;       // WS_EX_CLIENTEDGE
inline constexpr std::uint32_t kChild = 0x40000000;         // WS_CHILD
} // namespace styles

// What the window code knows of a control when it chooses.
struct ControlTraits {
    std::wstring_view className;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::wstring_view parentClassName;
    std::uint32_t parentStyle = 0;
};

struct DecoratorChoice {
    FlatKind kind = FlatKind::None;
    // Decorate each child window of the control first (a simple combo box's list and edit,
    // a toolbar's embedded controls).
    bool decorateEachChild = false;
    // Decorate the control's first (topmost) child window afterwards: a list view's header, a
    // tab control's up-down, a date-time picker's up-down.
    bool decorateFirstChild = false;

    friend bool operator==(const DecoratorChoice&, const DecoratorChoice&) = default;
};

// Class names compare without regard to case.
[[nodiscard]] DecoratorChoice ChooseDecorator(const ControlTraits& control);

// The classes the decoration treats specially elsewhere.
inline constexpr std::wstring_view kDialogClass = L"#32770";
inline constexpr std::wstring_view kScrollBarClass = L"ScrollBar";

[[nodiscard]] bool SameClassName(std::wstring_view a, std::wstring_view b);

} // namespace vk
