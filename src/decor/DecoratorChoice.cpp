#include "decor/DecoratorChoice.h"

#include <algorithm>

namespace vk {
namespace {

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool AllSet(std::uint32_t style, std::uint32_t bits) {
    return (style & bits) == bits;
}

DecoratorChoice Kind(FlatKind kind) {
    return {kind, false, false};
}

DecoratorChoice ChooseButton(std::uint32_t style) {
    // Owner-drawn buttons, group boxes and flat buttons keep their own look.
    if (AllSet(style, 0xB) || AllSet(style, 0x7) || (style & styles::kButtonFlat) != 0) {
        return Kind(FlatKind::None);
    }
    if ((style & 0x2) != 0 || AllSet(style, 0x5)) {
        return Kind(FlatKind::CheckBox);
    }
    if (AllSet(style, 0x9) || (style & 0x4) != 0) {
        return Kind(FlatKind::RadioButton);
    }
    return Kind(FlatKind::PushButton);
}

} // namespace

bool SameClassName(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

DecoratorChoice ChooseDecorator(const ControlTraits& control) {
    const std::wstring_view name = control.className;
    const std::uint32_t style = control.style;
    const bool clientEdge = (control.exStyle & styles::kExClientEdge) != 0;
    const auto is = [name](std::wstring_view className) { return SameClassName(name, className); };
    const auto withEdge = [clientEdge](FlatKind kind) { return Kind(clientEdge ? kind : FlatKind::None); };

    if (is(L"Button")) {
        return ChooseButton(style);
    }
    if (is(L"ComboBox")) {
        if ((style & styles::kComboTypeMask) == styles::kComboSimple) {
            return {FlatKind::None, true, false};
        }
        return Kind(FlatKind::ComboBox);
    }
    if (is(L"Edit")) {
        if (SameClassName(control.parentClassName, L"ComboBox") &&
            (control.parentStyle & styles::kComboTypeMask) == styles::kComboSimple) {
            return Kind(FlatKind::EditInSimpleCombo);
        }
        return withEdge(FlatKind::Edit);
    }
    for (const std::wstring_view generic :
         {L"ListBox", L"SysTreeView32", L"ComboLBox", L"msctls_hotkey32", L"RichEdit", L"RichEdit20W"}) {
        if (is(generic)) {
            return withEdge(FlatKind::Generic);
        }
    }
    if (is(L"SysListView32")) {
        return clientEdge ? DecoratorChoice{FlatKind::Generic, false, true} : Kind(FlatKind::None);
    }
    if (is(L"SHELLDLL_DefView") || is(L"ComboBoxEx32")) {
        return {FlatKind::None, false, true};
    }
    if (is(L"SysDateTimePick32")) {
        if (!clientEdge) {
            return Kind(FlatKind::None);
        }
        return {FlatKind::DateTime, false, (style & styles::kDateTimeUpDown) != 0};
    }
    if (is(L"SysMonthCal32")) {
        return Kind(FlatKind::Generic);
    }
    if (is(L"msctls_updown32")) {
        return Kind(FlatKind::UpDown);
    }
    if (is(kScrollBarClass)) {
        return Kind((style & styles::kScrollSizeBoxOrGrip) == 0 ? FlatKind::ScrollBar : FlatKind::None);
    }
    if (is(L"SysIPAddress32")) {
        return withEdge(FlatKind::IpAddress);
    }
    if (is(L"msctls_trackbar32")) {
        return Kind(FlatKind::TrackBar);
    }
    if (is(L"SysHeader32")) {
        return Kind((style & styles::kHeaderButtons) != 0 ? FlatKind::Header : FlatKind::None);
    }
    if (is(L"ToolbarWindow32")) {
        return (style & styles::kToolbarFlat) == 0 ? DecoratorChoice{FlatKind::Toolbar, true, false}
                                                   : Kind(FlatKind::None);
    }
    if (is(L"SysTabControl32")) {
        return {FlatKind::Tab, false, true};
    }
    return Kind(FlatKind::None);
}

} // namespace vk
