#include "framework/Controls.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vk::ui {
namespace {

// Texts the controls hand back are read into a buffer of this many characters.
constexpr int kTextBuffer = 1024;
// The longest item text read back: more than the longest path.
constexpr std::size_t kMaxItemText = 65536;

} // namespace

void InitCommonControlClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                                           ICC_TAB_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

int ListViewCtrl::InsertColumn(int position, const std::wstring& title, int width, int format) const {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column)));
}

int ListViewCtrl::ColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

std::wstring ListViewCtrl::ColumnTitle(int column) const {
    std::vector<wchar_t> buffer(kTextBuffer, L'\0');
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer.data();
    info.cchTextMax = kTextBuffer;
    if (!Send(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info))) {
        return {};
    }
    return info.pszText;
}

int ListViewCtrl::InsertItem(int position, const std::wstring& text, int image) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = position;
    item.iSubItem = 0;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListViewCtrl::SetItemText(int itemIndex, int column, const std::wstring& text) const {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::wstring ListViewCtrl::ItemText(int itemIndex, int column) const {
    // The control cuts the text to the buffer and does not say how long it is: a text that
    // fills the buffer is read again with a larger one (a long path must not come back cut to
    // one of its folders).
    for (std::size_t size = kTextBuffer;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length = static_cast<std::size_t>(
            Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size || size > kMaxItemText) {
            return std::wstring(buffer.data(), std::min(length, size - 1));
        }
    }
}

bool ListViewCtrl::SetItemData(int itemIndex, LPARAM data) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = itemIndex;
    item.lParam = data;
    return Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM ListViewCtrl::ItemData(int itemIndex) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = itemIndex;
    return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

int ListViewCtrl::ItemImage(int itemIndex) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = itemIndex;
    return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

bool ListViewCtrl::SelectItem(int itemIndex, bool selected) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item)) != 0;
}

int ListViewCtrl::HitTest(POINT point) const {
    LVHITTESTINFO info{};
    info.pt = point;
    return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

HTREEITEM TreeViewCtrl::InsertItem(HTREEITEM parent, const std::wstring& text, int image, int selectedImage,
                                   LPARAM data, bool hasChildren, UINT stateImage) const {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    item.iSelectedImage = selectedImage;
    item.lParam = data;
    item.cChildren = hasChildren ? 1 : 0;
    item.state = INDEXTOSTATEIMAGEMASK(stateImage);
    item.stateMask = TVIS_STATEIMAGEMASK;
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::wstring TreeViewCtrl::ItemText(HTREEITEM handle) const {
    std::vector<wchar_t> buffer(kTextBuffer, L'\0');
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle;
    item.pszText = buffer.data();
    item.cchTextMax = kTextBuffer;
    if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return {};
    }
    return item.pszText;
}

LPARAM TreeViewCtrl::ItemData(HTREEITEM handle) const {
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = handle;
    return Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

bool TreeViewCtrl::SetItemState(HTREEITEM handle, UINT state, UINT mask) const {
    TVITEMW item{};
    item.mask = TVIF_STATE;
    item.hItem = handle;
    item.state = state;
    item.stateMask = mask;
    return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::pair<int, int> TreeViewCtrl::ItemImages(HTREEITEM handle) const {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = handle;
    if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return {-1, -1};
    }
    return {item.iImage, item.iSelectedImage};
}

bool TreeViewCtrl::ItemHasChildrenFlag(HTREEITEM handle) const {
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = handle;
    return Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) && item.cChildren != 0;
}

HTREEITEM TreeViewCtrl::HitTest(POINT point, UINT* flags) const {
    TVHITTESTINFO info{};
    info.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags) {
        *flags = info.flags;
    }
    return item;
}

RECT TreeViewCtrl::ItemRect(HTREEITEM handle, bool textOnly) const {
    // The message takes the item's handle in the rectangle it fills.
    RECT rect{};
    static_assert(sizeof rect >= sizeof handle);
    std::memcpy(&rect, &handle, sizeof handle);
    if (!Send(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect))) {
        return {};
    }
    return rect;
}

bool StatusBarCtrl::CreateBar(HWND parent, UINT id, const int* rightEdges, int parts) {
    const HWND bar =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
    if (!bar || !Attach(bar)) {
        return false;
    }
    Send(SB_SETPARTS, static_cast<WPARAM>(parts), reinterpret_cast<LPARAM>(rightEdges));
    return true;
}

void StatusBarCtrl::SetPaneText(int pane, const std::wstring& text) const {
    Send(SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBarCtrl::PaneText(int pane) const {
    const auto length = LOWORD(Send(SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane)));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

} // namespace vk::ui
