#pragma once
// Thin wrappers of the common controls the panes use. Each call sends one message to the
// control; a wrapper attached to a control of a dialog template (Attach) also receives its own
// notifications (ReflectedMessage).

#include "framework/Window.h"

#include <string>

namespace vk::ui {

// Registers the common control classes (list view, tree view, bars, tooltips) once.
void InitCommonControlClasses();

class ListViewCtrl : public Window {
public:
    int InsertColumn(int position, const std::wstring& title, int width, int format = LVCFMT_LEFT) const;
    [[nodiscard]] int ColumnWidth(int column) const;
    [[nodiscard]] std::wstring ColumnTitle(int column) const;
    [[nodiscard]] int ItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    int InsertItem(int position, const std::wstring& text, int image) const;
    bool SetItemText(int item, int column, const std::wstring& text) const;
    [[nodiscard]] std::wstring ItemText(int item, int column) const;
    bool SetItemData(int item, LPARAM data) const;
    [[nodiscard]] LPARAM ItemData(int item) const;
    [[nodiscard]] int ItemImage(int item) const;
    bool DeleteItem(int item) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
    bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != 0; }
    // The next item after `after` (-1: from the start) with the given LVNI_* flags; -1 if none.
    [[nodiscard]] int NextItem(int after, UINT flags) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
    }
    bool SelectItem(int item, bool selected) const;
    bool SortItems(PFNLVCOMPARE compare, LPARAM context) const {
        return Send(LVM_SORTITEMS, static_cast<WPARAM>(context), reinterpret_cast<LPARAM>(compare)) != 0;
    }
    // The item under a point in client coordinates; -1 if none.
    [[nodiscard]] int HitTest(POINT point) const;
    void AddExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    [[nodiscard]] DWORD ExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    void SetTextColor(COLORREF color) const { Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)); }
    [[nodiscard]] COLORREF TextColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTCOLOR)); }
    void SetImageList(HIMAGELIST images, int which) const {
        Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images));
    }
};

class TreeViewCtrl : public Window {
public:
    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text, int image, int selectedImage, LPARAM data,
                         bool hasChildren, UINT stateImage) const;
    [[nodiscard]] HTREEITEM NextItem(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    [[nodiscard]] HTREEITEM Child(HTREEITEM item) const { return NextItem(item, TVGN_CHILD); }
    [[nodiscard]] HTREEITEM NextSibling(HTREEITEM item) const { return NextItem(item, TVGN_NEXT); }
    [[nodiscard]] HTREEITEM ParentItem(HTREEITEM item) const { return NextItem(item, TVGN_PARENT); }
    [[nodiscard]] HTREEITEM Root() const { return NextItem(nullptr, TVGN_ROOT); }
    [[nodiscard]] HTREEITEM Selection() const { return NextItem(nullptr, TVGN_CARET); }
    bool Select(HTREEITEM item) const { return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }
    [[nodiscard]] std::wstring ItemText(HTREEITEM item) const;
    [[nodiscard]] LPARAM ItemData(HTREEITEM item) const;
    [[nodiscard]] UINT ItemState(HTREEITEM item, UINT mask) const {
        return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    }
    bool SetItemState(HTREEITEM item, UINT state, UINT mask) const;
    // Normal and selected image.
    [[nodiscard]] std::pair<int, int> ItemImages(HTREEITEM item) const;
    [[nodiscard]] bool ItemHasChildrenFlag(HTREEITEM item) const;
    bool DeleteItem(HTREEITEM item) const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool Expand(HTREEITEM item, UINT code) const { return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0; }
    // The item at a point in client coordinates and the TVHT_* flags of the spot.
    [[nodiscard]] HTREEITEM HitTest(POINT point, UINT* flags) const;
    [[nodiscard]] RECT ItemRect(HTREEITEM item, bool textOnly) const;
    void SetTextColor(COLORREF color) const { Send(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)); }
    [[nodiscard]] COLORREF TextColor() const { return static_cast<COLORREF>(Send(TVM_GETTEXTCOLOR)); }
    void SetImageList(HIMAGELIST images, int which) const {
        Send(TVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images));
    }
    [[nodiscard]] int Count() const { return static_cast<int>(Send(TVM_GETCOUNT)); }
};

class StatusBarCtrl : public Window {
public:
    // Creates the bar at the bottom of parent with panes of the given right edges (-1: to the end).
    bool CreateBar(HWND parent, UINT id, const int* rightEdges, int parts);
    void SetPaneText(int pane, const std::wstring& text) const;
    [[nodiscard]] std::wstring PaneText(int pane) const;
};

} // namespace vk::ui
