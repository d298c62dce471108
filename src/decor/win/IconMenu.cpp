#include "decor/win/IconMenu.h"

#include "decor/MenuItemLayout.h"
#include "decor/MenuMnemonics.h"
#include "decor/win/EmbossedImage.h"
#include "decor/win/FrameDrawing.h"
#include "decor/win/Gdi.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vk {
namespace {

// The system's menu font, created afresh for each request.
gdi::Font MenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return gdi::Font(nullptr);
    }
    return gdi::Font(CreateFontIndirectW(&metrics.lfMenuFont));
}

MenuColours ReadMenuColours() {
    return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_MENU), GetSysColor(COLOR_MENUTEXT),
            GetSysColor(COLOR_GRAYTEXT)};
}

MenuSize TextExtent(HDC dc, const std::wstring& text) {
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A text on one line, vertically centred; a disabled item that is not hot first gets a white
// copy one pixel right and down.
void DrawItemText(HDC dc, const std::wstring& text, RECT rect, UINT align, const MenuItemPaint& paint) {
    const UINT format = DT_SINGLELINE | DT_VCENTER | align;
    if (paint.embossText) {
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    }
    SetTextColor(dc, paint.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

// The check mark of a checked item that has no image of its own, in the icon column.
void DrawCheckMark(HDC dc, MenuPoint icon, COLORREF colour) {
    const int x = icon.x + 4;
    const int y = icon.y + 7;
    for (int thickness = 0; thickness < 3; ++thickness) {
        const POINT tick[] = {{x, y + thickness}, {x + 2, y + 2 + thickness}, {x + 7, y - 3 + thickness}};
        gdi::Pen pen(CreatePen(PS_SOLID, 1, colour));
        gdi::Selection selected(dc, pen.Get());
        Polyline(dc, tick, 3);
    }
}

// The text of the item at a position (at most 100 characters).
std::wstring TextAt(HMENU menu, int position) {
    wchar_t text[kMenuTextLimit + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(kMenuTextLimit + 1);
    return GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) ? std::wstring(text) : std::wstring();
}

} // namespace

MenuItemFacts ReadMenuItem(HMENU menu, UINT itemId) {
    MenuItemFacts facts;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) {
            continue;
        }
        const bool opensSubMenu = info.hSubMenu != nullptr;
        const bool matches = info.wID == itemId ||
                             (opensSubMenu && static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu)) == itemId);
        if (!matches) {
            continue;
        }
        facts.found = true;
        facts.opensSubMenu = opensSubMenu;
        facts.separator = (info.fType & MFT_SEPARATOR) != 0 && !opensSubMenu;
        if (!facts.separator) {
            facts.text = TextAt(menu, position);
        }
        return facts;
    }
    return facts;
}

CIconMenu::~CIconMenu() {
    if (!menu_) {
        return;
    }
    const bool heldByWindow = window_ && IsWindow(window_) && GetMenu(window_) == menu_;
    if (!heldByWindow && IsMenu(menu_)) {
        DestroyMenu(menu_);
    }
}

bool CIconMenu::Load(UINT menuId, HWND window) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId));
    if (!menu) {
        return false;
    }
    if (window) {
        HMENU previous = GetMenu(window);
        if (!SetMenu(window, menu)) {
            DestroyMenu(menu);
            return false;
        }
        if (previous && previous != menu) {
            DestroyMenu(previous);
        }
    }
    if (menu_ && menu_ != menu && (!window_ || GetMenu(window_) != menu_) && IsMenu(menu_)) {
        DestroyMenu(menu_);
    }
    menu_ = menu;
    window_ = window;
    return true;
}

int CIconMenu::Register(const MenuIconEntry* entries, std::size_t count) {
    return theMenuIconList.Register(entries, count);
}

void CIconMenu::PreparePopup(HMENU popup) {
    const int count = popup ? GetMenuItemCount(popup) : 0;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (!GetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info)) {
            continue;
        }
        // Only the type and the data change: the item keeps its text, which drawing reads.
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(popup);
        SetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info);
    }
}

bool CIconMenu::MeasureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    const MenuItemFacts facts = ReadMenuItem(reinterpret_cast<HMENU>(item.itemData), item.itemID);
    if (facts.separator) {
        item.itemWidth = static_cast<UINT>(kSeparatorSize.width);
        item.itemHeight = static_cast<UINT>(kSeparatorSize.height);
        return true;
    }
    gdi::WindowDc surface(window_ && IsWindow(window_) ? window_ : nullptr, false);
    if (!surface) {
        return false;
    }
    const gdi::Font font = MenuFont();
    gdi::Selection selected(surface.Get(), font.Get());
    const MenuItemText text = SplitMenuText(facts.text);
    std::optional<MenuSize> accelerator;
    if (!text.accelerator.empty()) {
        accelerator = TextExtent(surface.Get(), text.accelerator);
    }
    const MenuSize size = MeasureMenuItem(TextExtent(surface.Get(), text.label), accelerator, facts.opensSubMenu);
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
    return true;
}

bool CIconMenu::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    if (width <= 0 || height <= 0) {
        return true;
    }
    // Everything goes into an off-screen bitmap first, copied to the menu in one step.
    gdi::MemoryDc dc(item.hDC);
    gdi::Bitmap bitmap(CreateCompatibleBitmap(item.hDC, width, height));
    if (!dc || !bitmap) {
        return false;
    }
    gdi::Selection selectedBitmap(dc.Get(), bitmap.Get());
    const MenuColours colours = ReadMenuColours();
    const MenuItemGeometry geometry{width, height};
    FillSolid(dc.Get(), {0, 0, width, height}, colours.menu);

    const MenuItemFacts facts = ReadMenuItem(reinterpret_cast<HMENU>(item.hwndItem), item.itemID);
    if (facts.separator) {
        RECT line = ToRect(geometry.SeparatorLine());
        DrawEdge(dc.Get(), &line, EDGE_ETCHED, BF_TOP);
    } else {
        const bool checked = (item.itemState & ODS_CHECKED) != 0;
        const MenuIcon icon = theMenuIconList.Find(static_cast<int>(item.itemID), checked);
        MenuItemDrawRequest request;
        request.drawEntire = (item.itemAction & ODA_DRAWENTIRE) != 0;
        request.drawSelect = (item.itemAction & ODA_SELECT) != 0;
        request.selected = (item.itemState & ODS_SELECTED) != 0;
        request.disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
        request.checked = checked;
        request.hasImage = icon.HasImage();
        request.entryLacksAnImage = icon.EntryLacksAnImage();
        const MenuItemPaint paint = PlanMenuItem(request, colours);

        if (paint.highlightBar) {
            FillSolid(dc.Get(), ToRect(geometry.HighlightBar(request.hasImage)), colours.highlight);
        }
        const MenuPoint iconAt = geometry.IconPosition();
        if (request.hasImage) {
            if (paint.raisedFrame) {
                DrawRing(dc.Get(), ToRect(geometry.IconFrame()), GetSysColor(COLOR_BTNHIGHLIGHT),
                         GetSysColor(COLOR_BTNSHADOW));
            }
            const auto images = static_cast<HIMAGELIST>(icon.list);
            if (paint.embossImage) {
                DrawEmbossedImage(dc.Get(), images, icon.index, iconAt.x, iconAt.y);
            } else {
                ImageList_Draw(images, icon.index, dc.Get(), iconAt.x, iconAt.y, ILD_TRANSPARENT);
            }
        } else if (paint.checkMark) {
            DrawCheckMark(dc.Get(), iconAt, paint.text);
        }

        const gdi::Font font = MenuFont();
        gdi::Selection selectedFont(dc.Get(), font.Get());
        SetBkMode(dc.Get(), TRANSPARENT);
        const MenuItemText text = SplitMenuText(facts.text);
        DrawItemText(dc.Get(), text.label, ToRect(geometry.LabelRect()), DT_LEFT, paint);
        if (!text.accelerator.empty()) {
            DrawItemText(dc.Get(), text.accelerator, ToRect(geometry.AcceleratorRect()), DT_RIGHT, paint);
        }
    }
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, dc.Get(), 0, 0, SRCCOPY);
    return true;
}

bool CIconMenu::AnswerMenuChar(ui::Message& m) {
    const auto menu = reinterpret_cast<HMENU>(m.lParam);
    if ((HIWORD(m.wParam) & MF_SYSMENU) != 0 || !menu) {
        return false;
    }
    const int count = GetMenuItemCount(menu);
    std::vector<std::wstring> texts;
    std::vector<MenuCharItem> items;
    texts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    bool ownerDrawn = false;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        ownerDrawn = ownerDrawn || (info.fType & MFT_OWNERDRAW) != 0;
        MenuCharItem item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0 && !info.hSubMenu;
        item.disabled = (info.fState & MFS_DISABLED) != 0;
        item.highlighted = (info.fState & MFS_HILITE) != 0;
        texts.push_back(item.separator ? std::wstring() : TextAt(menu, position));
        item.text = texts.back();
        items.push_back(item);
    }
    // The system's own menus find their mnemonics themselves.
    if (!ownerDrawn) {
        return false;
    }
    const MenuCharAnswer answer = vk::AnswerMenuChar(static_cast<wchar_t>(LOWORD(m.wParam)), items);
    switch (answer.action) {
    case MenuCharAction::Execute:
        m.result = MAKELRESULT(answer.position, MNC_EXECUTE);
        return true;
    case MenuCharAction::Select:
        m.result = MAKELRESULT(answer.position, MNC_SELECT);
        return true;
    case MenuCharAction::Ignore:
        break;
    }
    m.result = MAKELRESULT(0, MNC_IGNORE);
    return true;
}

bool CIconMenu::HandleMenuMessage(ui::Message& m) const {
    switch (m.message) {
    case WM_MENUCHAR:
        return AnswerMenuChar(m);
    case WM_INITMENUPOPUP:
        if (HIWORD(m.lParam) != 0) {
            return false; // the system menu keeps the system's drawing
        }
        PreparePopup(reinterpret_cast<HMENU>(m.wParam));
        m.result = 0;
        return true;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam);
        if (!item || !MeasureItem(*item)) {
            return false;
        }
        m.result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
        if (!item || !DrawItem(*item)) {
            return false;
        }
        m.result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

} // namespace vk
