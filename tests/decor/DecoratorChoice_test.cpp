// The flat look's choice of decorator by window class and style.
#include "decor/DecoratorChoice.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

constexpr std::uint32_t kEdge = styles::kExClientEdge;

DecoratorChoice Choose(std::wstring_view name, std::uint32_t style = 0, std::uint32_t exStyle = 0,
                       std::wstring_view parent = L"#32770", std::uint32_t parentStyle = 0) {
    return ChooseDecorator({name, style, exStyle, parent, parentStyle});
}

FlatKind KindOf(std::wstring_view name, std::uint32_t style = 0, std::uint32_t exStyle = 0) {
    return Choose(name, style, exStyle).kind;
}

TEST(DecoratorChoice, ButtonsByTheirTypeBits) {
    EXPECT_EQ(KindOf(L"Button", 0x0), FlatKind::PushButton);  // BS_PUSHBUTTON
    EXPECT_EQ(KindOf(L"Button", 0x1), FlatKind::PushButton);  // BS_DEFPUSHBUTTON
    EXPECT_EQ(KindOf(L"Button", 0x2), FlatKind::CheckBox);    // BS_CHECKBOX
    EXPECT_EQ(KindOf(L"Button", 0x3), FlatKind::CheckBox);    // BS_AUTOCHECKBOX
    EXPECT_EQ(KindOf(L"Button", 0x5), FlatKind::CheckBox);    // BS_3STATE
    EXPECT_EQ(KindOf(L"Button", 0x6), FlatKind::CheckBox);    // BS_AUTO3STATE
    EXPECT_EQ(KindOf(L"Button", 0x4), FlatKind::RadioButton); // BS_RADIOBUTTON
    EXPECT_EQ(KindOf(L"Button", 0x9), FlatKind::RadioButton); // BS_AUTORADIOBUTTON
    EXPECT_EQ(KindOf(L"Button", 0x8), FlatKind::PushButton);  // BS_USERBUTTON
    // Push-like check boxes and other style bits do not change the kind.
    EXPECT_EQ(KindOf(L"Button", 0x3 | 0x1000 | 0x50010000), FlatKind::CheckBox);
}

TEST(DecoratorChoice, OwnerDrawnFlatButtonsAndGroupBoxesKeepTheirLook) {
    EXPECT_EQ(KindOf(L"Button", 0xB), FlatKind::None);          // BS_OWNERDRAW
    EXPECT_EQ(KindOf(L"Button", 0x7), FlatKind::None);          // BS_GROUPBOX
    EXPECT_EQ(KindOf(L"Button", 0x0 | 0x8000), FlatKind::None); // BS_FLAT
    EXPECT_EQ(KindOf(L"Button", 0x3 | 0x8000), FlatKind::None);
}

TEST(DecoratorChoice, ClassNamesIgnoreCase) {
    EXPECT_EQ(KindOf(L"BUTTON"), FlatKind::PushButton);
    EXPECT_EQ(KindOf(L"edit", 0, kEdge), FlatKind::Edit);
    EXPECT_EQ(KindOf(L"sYsLiStViEw32", 0, kEdge), FlatKind::Generic);
    EXPECT_EQ(KindOf(L"Buttons"), FlatKind::None) << "the whole name must match";
    EXPECT_EQ(KindOf(L"Butto"), FlatKind::None);
}

TEST(DecoratorChoice, ComboBoxes) {
    EXPECT_EQ(Choose(L"ComboBox", 0x2), (DecoratorChoice{FlatKind::ComboBox, false, false})); // drop-down
    EXPECT_EQ(Choose(L"ComboBox", 0x3), (DecoratorChoice{FlatKind::ComboBox, false, false})); // drop-down list
    // A simple combo box: its list and edit are decorated instead.
    EXPECT_EQ(Choose(L"ComboBox", 0x1), (DecoratorChoice{FlatKind::None, true, false}));
    EXPECT_EQ(Choose(L"Edit", 0, 0, L"ComboBox", 0x1).kind, FlatKind::EditInSimpleCombo);
    EXPECT_EQ(Choose(L"Edit", 0, kEdge, L"ComboBox", 0x2).kind, FlatKind::Edit);
    EXPECT_EQ(Choose(L"Edit", 0, 0, L"ComboBox", 0x2).kind, FlatKind::None) << "a drop-down's edit has no edge";
    EXPECT_EQ(Choose(L"ComboBoxEx32"), (DecoratorChoice{FlatKind::None, false, true}));
}

TEST(DecoratorChoice, ClientEdgeDecidesForEditsAndListLikeControls) {
    for (const wchar_t* name : {L"Edit", L"ListBox", L"SysTreeView32", L"ComboLBox", L"msctls_hotkey32", L"RichEdit",
                                L"RichEdit20W", L"SysIPAddress32", L"SysDateTimePick32", L"SysListView32"}) {
        SCOPED_TRACE(testing::Message() << std::wstring(name).size());
        EXPECT_EQ(KindOf(name, 0, 0), FlatKind::None);
        EXPECT_NE(KindOf(name, 0, kEdge), FlatKind::None);
    }
    EXPECT_EQ(KindOf(L"ListBox", 0, kEdge), FlatKind::Generic);
    EXPECT_EQ(KindOf(L"SysIPAddress32", 0, kEdge), FlatKind::IpAddress);
    EXPECT_EQ(KindOf(L"SysMonthCal32"), FlatKind::Generic) << "always";
}

TEST(DecoratorChoice, ListViewsTakeTheirHeaderAlong) {
    EXPECT_EQ(Choose(L"SysListView32", 0x1, kEdge), (DecoratorChoice{FlatKind::Generic, false, true}));
    EXPECT_EQ(Choose(L"SysListView32", 0x1, 0), (DecoratorChoice{FlatKind::None, false, false}));
    EXPECT_EQ(KindOf(L"SysHeader32", 0x2), FlatKind::Header);
    EXPECT_EQ(KindOf(L"SysHeader32", 0x0), FlatKind::None) << "a header without buttons";
    EXPECT_EQ(Choose(L"SHELLDLL_DefView"), (DecoratorChoice{FlatKind::None, false, true}));
}

TEST(DecoratorChoice, DateTimePickersWithAnUpDownDecorateItToo) {
    EXPECT_EQ(Choose(L"SysDateTimePick32", 0x1, kEdge), (DecoratorChoice{FlatKind::DateTime, false, true}));
    EXPECT_EQ(Choose(L"SysDateTimePick32", 0x0, kEdge), (DecoratorChoice{FlatKind::DateTime, false, false}));
}

TEST(DecoratorChoice, BarsTabsAndOtherCommonControls) {
    EXPECT_EQ(KindOf(L"msctls_updown32"), FlatKind::UpDown);
    EXPECT_EQ(KindOf(L"msctls_trackbar32"), FlatKind::TrackBar);
    EXPECT_EQ(KindOf(L"ScrollBar", 0x1), FlatKind::ScrollBar);
    EXPECT_EQ(KindOf(L"ScrollBar", 0x8), FlatKind::None);  // size box
    EXPECT_EQ(KindOf(L"ScrollBar", 0x10), FlatKind::None); // size grip
    EXPECT_EQ(Choose(L"ToolbarWindow32", 0x0), (DecoratorChoice{FlatKind::Toolbar, true, false}));
    EXPECT_EQ(Choose(L"ToolbarWindow32", 0x800), (DecoratorChoice{FlatKind::None, false, false})) << "flat already";
    EXPECT_EQ(Choose(L"SysTabControl32"), (DecoratorChoice{FlatKind::Tab, false, true}));
    EXPECT_EQ(KindOf(L"Static"), FlatKind::None);
    EXPECT_EQ(KindOf(L"msctls_progress32", 0, kEdge), FlatKind::None);
    EXPECT_EQ(KindOf(L""), FlatKind::None);
}

} // namespace
} // namespace vk
