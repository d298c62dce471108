// The owner-drawn menus under Wine: items prepared for owner drawing keep their texts, measure
// by the system's menu font, and draw (on a memory bitmap, compared pixel by pixel) with the
// icon in its column, the highlight bar right of it, the accelerator right-aligned and the
// disabled look embossed. A real pop-up menu, opened and walked with keys, is measured and drawn
// through a window that hands its messages to the CIconMenu.
#include "decor/win/IconMenu.h"
#include "decor/win/MenuImages.h"
#include "framework/MessageLoop.h"
#include "framework/Window.h"
#include "resource.h"
#include "ui/support/MenuFont.h"
#include "ui/support/PixelCanvas.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vk {
namespace {

using testing::PixelCanvas;

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};

// The width and height of a text in the system's menu font, measured the plain way.
SIZE MenuTextSize(const std::wstring& text) {
    return testing::WithMenuFont([&](HDC dc) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    });
}

int Even(int value) {
    return value + value % 2;
}

class IconMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadMenuImages());
        CIconMenu::Register(theMenuIconTable);
    }

    void SetUp() override {
        menu_ = CreatePopupMenu();
        AppendMenuW(menu_, MF_STRING, ID_FILE_SAVE_RESULT, L"Save result      \tCtrl+S");
        AppendMenuW(menu_, MF_STRING, ID_EDIT_COPY_PATH, L"Copy Path");
        AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu_, MF_STRING | MF_GRAYED, ID_EDIT_DELETE_ITEMS, L"Delete Items \tDel");
        AppendMenuW(menu_, MF_STRING | MF_CHECKED, ID_VIEW_TOOLBAR, L"&Toolbar");
        sub_ = CreatePopupMenu();
        AppendMenuW(sub_, MF_STRING, ID_ARRANGE_BY_NAME, L"by Name");
        AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub_), L"Arrange Icons");
        CIconMenu::PreparePopup(menu_);
    }
    void TearDown() override { DestroyMenu(menu_); }

    // Draws item `id` of the menu, width x height, onto the canvas.
    void Draw(PixelCanvas& canvas, UINT id, UINT state, UINT action = ODA_DRAWENTIRE) const {
        canvas.Fill(RGB(1, 2, 3)); // never a system colour: the item must cover it all
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = id;
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = reinterpret_cast<HWND>(menu_);
        item.hDC = canvas.Dc();
        item.rcItem = {0, 0, canvas.Width(), canvas.Height()};
        item.itemData = reinterpret_cast<ULONG_PTR>(menu_);
        ASSERT_TRUE(iconMenu_.DrawItem(item));
    }

    MEASUREITEMSTRUCT Measure(UINT id, HMENU menu) const {
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = id;
        item.itemData = reinterpret_cast<ULONG_PTR>(menu);
        EXPECT_TRUE(iconMenu_.MeasureItem(item));
        return item;
    }

    // The leftmost and rightmost columns from `from` on in which a pixel has the colour; -1
    // when none.
    static std::pair<int, int> ColumnsOf(const PixelCanvas& canvas, COLORREF colour, int from) {
        int first = -1;
        int last = -1;
        for (int x = from; x < canvas.Width(); ++x) {
            if (canvas.Count({x, 0, x + 1, canvas.Height()}, colour) > 0) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return {first, last};
    }

    CIconMenu iconMenu_;
    HMENU menu_ = nullptr;
    HMENU sub_ = nullptr;
};

TEST_F(IconMenuTest, PreparedItemsAreOwnerDrawnAndKeepTheirTexts) {
    const int count = GetMenuItemCount(menu_);
    ASSERT_EQ(count, 6);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
        ASSERT_TRUE(GetMenuItemInfoW(menu_, static_cast<UINT>(position), TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << position;
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(menu_)) << position;
    }
    EXPECT_EQ(ReadMenuItem(menu_, ID_FILE_SAVE_RESULT).text, L"Save result      \tCtrl+S");
    EXPECT_TRUE(ReadMenuItem(menu_, ID_VIEW_TOOLBAR).found);
    MENUITEMINFOW state{};
    state.cbSize = sizeof state;
    state.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu_, ID_EDIT_DELETE_ITEMS, FALSE, &state);
    EXPECT_TRUE(state.fState & MFS_GRAYED) << "the state stays";
    GetMenuItemInfoW(menu_, ID_VIEW_TOOLBAR, FALSE, &state);
    EXPECT_TRUE(state.fState & MFS_CHECKED);
    // The sub-menu is found by its handle, as the system reports it.
    const MenuItemFacts arrange = ReadMenuItem(menu_, static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub_)));
    EXPECT_TRUE(arrange.opensSubMenu);
    EXPECT_EQ(arrange.text, L"Arrange Icons");
    EXPECT_FALSE(ReadMenuItem(menu_, 4242).found);
}

TEST_F(IconMenuTest, MeasuresWithTheMenuFont) {
    const SIZE label = MenuTextSize(L"Save result      ");
    const SIZE accelerator = MenuTextSize(L"Ctrl+S");
    const MEASUREITEMSTRUCT save = Measure(ID_FILE_SAVE_RESULT, menu_);
    EXPECT_EQ(static_cast<int>(save.itemWidth), label.cx + accelerator.cx + 30 + 23);
    EXPECT_EQ(static_cast<int>(save.itemHeight), std::max(20, Even(label.cy + 2)));

    const MEASUREITEMSTRUCT copyPath = Measure(ID_EDIT_COPY_PATH, menu_);
    EXPECT_EQ(static_cast<int>(copyPath.itemWidth), MenuTextSize(L"Copy Path").cx + 23);

    const MEASUREITEMSTRUCT separator = Measure(0, menu_);
    EXPECT_EQ(separator.itemWidth, 26u);
    EXPECT_EQ(separator.itemHeight, 9u);

    const MEASUREITEMSTRUCT arrange = Measure(static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub_)), menu_);
    EXPECT_EQ(static_cast<int>(arrange.itemWidth), MenuTextSize(L"Arrange Icons").cx + 23 + 20) << "room for the arrow";

    MEASUREITEMSTRUCT other{};
    other.CtlType = ODT_LISTBOX;
    EXPECT_FALSE(iconMenu_.MeasureItem(other)) << "only menu items";
}

TEST_F(IconMenuTest, HotItemWithIconShowsFrameBarAndRightAlignedAccelerator) {
    PixelCanvas canvas(200, 20);
    ASSERT_TRUE(canvas.Ready());
    Draw(canvas, ID_FILE_SAVE_RESULT, ODS_SELECTED);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF text = GetSysColor(COLOR_MENUTEXT) ^ 0x00FFFFFF;

    EXPECT_EQ(canvas.Count({0, 0, 200, 20}, RGB(1, 2, 3)), 0) << "the whole item is drawn";
    // The icon column keeps the menu colour; the bar starts at x = 21.
    EXPECT_EQ(canvas.Pixel(0, 10), menu);
    EXPECT_EQ(canvas.Pixel(21, 0), bar);
    EXPECT_EQ(canvas.Pixel(199, 19), bar);
    EXPECT_EQ(canvas.Count({21, 0, 24, 20}, bar), 3 * 20);
    // The raised 20 x 20 frame at (1, 0): light top and left, dark bottom and right.
    EXPECT_EQ(canvas.Pixel(1, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(1, 18), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(20, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(10, 19), GetSysColor(COLOR_BTNSHADOW));

    // The icon at (3, 2), exactly as its image list draws it on the menu colour.
    PixelCanvas expected(16, 16);
    expected.Fill(menu);
    ImageList_Draw(theMenuImages, 0, expected.Dc(), 0, 0, ILD_TRANSPARENT);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(canvas.Pixel(3 + x, 2 + y), expected.Pixel(x, y)) << x << "," << y;
        }
    }

    // Text in the inverted menu text colour: the label from x = 24, the accelerator ending
    // close to 25 pixels from the right edge.
    const auto [firstText, lastText] = ColumnsOf(canvas, text, 21);
    EXPECT_GE(firstText, 24);
    EXPECT_LE(firstText, 26);
    EXPECT_LE(lastText, 200 - 25 - 1);
    EXPECT_GE(lastText, 200 - 25 - 3);
    const SIZE accelerator = MenuTextSize(L"Ctrl+S");
    EXPECT_EQ(canvas.Count({24 + MenuTextSize(L"Save result      ").cx, 0, 200 - 25 - accelerator.cx - 1, 20}, text), 0)
        << "blank between label and accelerator";
}

TEST_F(IconMenuTest, ItemWithoutIconHasItsBarFromTheLeftEdgeAndNoFrame) {
    PixelCanvas canvas(150, 20);
    Draw(canvas, ID_EDIT_COPY_PATH, ODS_SELECTED);
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(canvas.Count({0, 0, 24, 20}, bar), 24 * 20);

    Draw(canvas, ID_EDIT_COPY_PATH, 0);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    EXPECT_EQ(canvas.Count({0, 0, 24, 20}, menu), 24 * 20) << "not hot: no bar";
    EXPECT_GT(canvas.Count({24, 0, 150, 20}, GetSysColor(COLOR_MENUTEXT)), 10);

    // Only a drawing of the whole item or of its selection shows the bar.
    Draw(canvas, ID_EDIT_COPY_PATH, ODS_SELECTED, ODA_FOCUS);
    EXPECT_EQ(canvas.Count({0, 0, 150, 20}, bar), 0);
}

TEST_F(IconMenuTest, DisabledItemIsEmbossed) {
    PixelCanvas canvas(200, 20);
    Draw(canvas, ID_EDIT_DELETE_ITEMS, ODS_GRAYED);
    const COLORREF grey = RGB(127, 127, 127);
    const COLORREF white = RGB(255, 255, 255);
    // The icon: a grey silhouette with a white shadow one pixel right and down, none of the
    // picture's own colours.
    const RECT icon{3, 2, 19, 18};
    const int greyPixels = canvas.Count(icon, grey);
    EXPECT_GT(greyPixels, 30);
    EXPECT_GT(canvas.Count({4, 3, 20, 19}, white), 5);
    PixelCanvas plain(16, 16);
    plain.Fill(GetSysColor(COLOR_MENU));
    ImageList_Draw(theMenuImages, 4, plain.Dc(), 0, 0, ILD_TRANSPARENT);
    const COLORREF red = plain.Pixel(4, 4);
    EXPECT_EQ(canvas.Count(icon, red), 0) << "no red left of the cross";
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (plain.Pixel(x, y) == red) {
                EXPECT_EQ(canvas.Pixel(3 + x, 2 + y), grey) << x << "," << y;
            }
        }
    }
    // The texts: grey, with a white copy one pixel right and down.
    const COLORREF grayText = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GT(canvas.Count({24, 0, 200, 20}, grayText), 10);
    EXPECT_GT(canvas.Count({24, 0, 200, 20}, white), 10);
    EXPECT_EQ(canvas.Count({0, 0, 200, 20}, GetSysColor(COLOR_HIGHLIGHT)), 0);

    // Hot, it is grey on the bar, without the white copy; the icon stays embossed, unframed.
    Draw(canvas, ID_EDIT_DELETE_ITEMS, ODS_GRAYED | ODS_SELECTED);
    EXPECT_GT(canvas.Count({24, 0, 200, 20}, grayText), 10);
    EXPECT_EQ(canvas.Count({24, 0, 200, 20}, white), 0);
    EXPECT_GT(canvas.Count(icon, grey), 30);
    EXPECT_NE(canvas.Pixel(20, 0), GetSysColor(COLOR_BTNSHADOW)) << "no raised frame";
}

TEST_F(IconMenuTest, SeparatorIsAnEtchedLine) {
    PixelCanvas canvas(120, 9);
    Draw(canvas, 0, 0);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(canvas.Count({2, 3, 118, 4}, shadow), 116);
    EXPECT_EQ(canvas.Count({2, 4, 118, 5}, light), 116);
    EXPECT_EQ(canvas.Pixel(1, 3), GetSysColor(COLOR_MENU));
    EXPECT_EQ(canvas.Pixel(118, 3), GetSysColor(COLOR_MENU));
}

TEST_F(IconMenuTest, CheckedItemWithoutImageShowsACheckMark) {
    PixelCanvas canvas(120, 20);
    Draw(canvas, ID_VIEW_TOOLBAR, ODS_CHECKED);
    EXPECT_GT(canvas.Count({3, 2, 19, 18}, GetSysColor(COLOR_MENUTEXT)), 10);
    Draw(canvas, ID_VIEW_TOOLBAR, 0);
    EXPECT_EQ(canvas.Count({3, 2, 19, 18}, GetSysColor(COLOR_MENUTEXT)), 0);
}

// A window that hands its menu messages to a CIconMenu, and walks an open pop-up menu with
// keys, one key each time the menu is idle.
class MenuOwner : public ui::Window {
public:
    CIconMenu iconMenu;
    std::vector<UINT> keys;
    std::map<UINT, SIZE> measured;
    std::vector<UINT> drawn;
    std::vector<HMENU> opened;

protected:
    bool ProcessMessage(ui::Message& m) override {
        if (m.message == WM_MEASUREITEM) {
            const bool handled = iconMenu.HandleMenuMessage(m);
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.lParam);
            measured[item->itemID] = {static_cast<LONG>(item->itemWidth), static_cast<LONG>(item->itemHeight)};
            return handled;
        }
        if (m.message == WM_DRAWITEM) {
            drawn.push_back(reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam)->itemID);
            return iconMenu.HandleMenuMessage(m);
        }
        if (m.message == WM_INITMENUPOPUP) {
            opened.push_back(reinterpret_cast<HMENU>(m.wParam));
            return iconMenu.HandleMenuMessage(m);
        }
        if (m.message == WM_ENTERIDLE && m.wParam == MSGF_MENU) {
            if (next_ < keys.size()) {
                PostMessageW(Handle(), WM_KEYDOWN, keys[next_++], 0);
            }
            return true;
        }
        return Window::ProcessMessage(m);
    }

private:
    std::size_t next_ = 0;
};

TEST_F(IconMenuTest, OpenPopupIsMeasuredAndDrawnAndItsSubMenuPreparedWhenItOpens) {
    MenuOwner owner;
    ASSERT_TRUE(
        owner.Create(L"VkMenuOwner", L"menu owner", WS_POPUP | WS_VISIBLE, 0, 100, 100, 200, 100, nullptr, nullptr));
    // Up from the top goes to the last item, Arrange Icons; Right opens its sub-menu; the first
    // Escape closes it, the second the pop-up.
    owner.keys = {VK_UP, VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_ESCAPE};
    // The sub-menu is not prepared yet: it is when it opens.
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(sub_, 0, TRUE, &info);
    ASSERT_FALSE(info.fType & MFT_OWNERDRAW);

    TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN, 120, 120, 0, owner.Handle(), nullptr);

    EXPECT_EQ(owner.measured.count(ID_FILE_SAVE_RESULT), 1u);
    const SIZE save = owner.measured[ID_FILE_SAVE_RESULT];
    EXPECT_EQ(save.cx, MenuTextSize(L"Save result      ").cx + MenuTextSize(L"Ctrl+S").cx + 30 + 23);
    EXPECT_EQ(owner.measured[0].cx, 26) << "the separator";
    EXPECT_EQ(owner.measured[0].cy, 9);
    const UINT arrangeId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub_));
    ASSERT_EQ(owner.measured.count(arrangeId), 1u) << "the system reports the sub-menu item by its handle";
    EXPECT_EQ(owner.measured[arrangeId].cx, MenuTextSize(L"Arrange Icons").cx + 23 + 20);

    ASSERT_EQ(owner.opened.size(), 2u);
    EXPECT_EQ(owner.opened[1], sub_);
    GetMenuItemInfoW(sub_, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "prepared when it opened";
    EXPECT_EQ(owner.measured[ID_ARRANGE_BY_NAME].cx, MenuTextSize(L"by Name").cx + 23);
    EXPECT_NE(std::find(owner.drawn.begin(), owner.drawn.end(), ID_FILE_SAVE_RESULT), owner.drawn.end());
    EXPECT_NE(std::find(owner.drawn.begin(), owner.drawn.end(), ID_ARRANGE_BY_NAME), owner.drawn.end());
}

TEST_F(IconMenuTest, SystemMenuIsLeftToTheSystem) {
    ui::Message m{nullptr, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu_), MAKELPARAM(0, TRUE), 0};
    HMENU fresh = CreatePopupMenu();
    AppendMenuW(fresh, MF_STRING, 1, L"Restore");
    m.wParam = reinterpret_cast<WPARAM>(fresh);
    EXPECT_FALSE(iconMenu_.HandleMenuMessage(m));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(fresh, 0, TRUE, &info);
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
    m.lParam = MAKELPARAM(0, FALSE);
    EXPECT_TRUE(iconMenu_.HandleMenuMessage(m));
    GetMenuItemInfoW(fresh, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    DestroyMenu(fresh);
}

TEST(MenuImages, TenImagesAndTheirCommandsAndOneRegistration) {
    ASSERT_TRUE(LoadMenuImages());
    EXPECT_EQ(ImageList_GetImageCount(theMenuImages), 10);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(theMenuImages, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    const int icons[] = {168, 169, 170, 173, 171, 172, 174, 175, 176, 182};
    const int commands[] = {32772, 32773, 32802, 57664, 32782, 32790, 57670, 32803, 32804, 32808};
    for (std::size_t i = 0; i < kMenuIconCount; ++i) {
        EXPECT_EQ(kMenuImageIcons[i], icons[i]) << i;
        EXPECT_EQ(theMenuIconTable[i].commandId, commands[i]) << i;
        EXPECT_EQ(theMenuIconTable[i].imageIndex, static_cast<int>(i));
        EXPECT_EQ(theMenuIconTable[i].imageList, theMenuImages);
        EXPECT_EQ(theMenuIconTable[i].checkedImageList, nullptr);
    }
    CIconMenu::Register(theMenuIconTable);
    const std::size_t count = theMenuIconList.Count();
    EXPECT_EQ(CIconMenu::Register(theMenuIconTable), 0) << "registered before: nothing added";
    EXPECT_EQ(theMenuIconList.Count(), count);
    // Every icon is a picture: its middle row is not all transparent.
    for (int i = 0; i < 10; ++i) {
        PixelCanvas canvas(16, 16);
        canvas.Fill(RGB(1, 2, 3));
        ImageList_Draw(theMenuImages, i, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
        EXPECT_LT(canvas.Count({0, 0, 16, 16}, RGB(1, 2, 3)), 16 * 16 - 40) << "image " << i;
        EXPECT_GT(canvas.Count({0, 0, 16, 16}, RGB(1, 2, 3)), 0) << "image " << i << " is transparent somewhere";
    }
}

} // namespace
} // namespace vk
