#include "network/win/UpView.h"

#include "engine/ServerList.h"
#include "framework/MessageBoxes.h"
#include "framework/SystemColours.h"
#include "network/win/AddServerDlg.h"
#include "platform/Profile.h"
#include "resource.h"

#include <windowsx.h>

namespace vk {
namespace {

// The pictures of both image lists: 16 x 15 pixels each, cut from one bitmap strip, magenta
// transparent.
constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// Posted by a browse thread of the engine: an enumeration's outcome waits to be applied.
constexpr UINT kBrowsesFinished = WM_APP + 0x140;

// Adds the images of a bitmap strip of the resources to the list; the bitmap is released.
void AddStrip(HIMAGELIST images, UINT bitmapId) {
    const HBITMAP strip = LoadBitmapW(ui::ModuleInstance(), MAKEINTRESOURCEW(bitmapId));
    if (!strip) {
        return;
    }
    ImageList_AddMasked(images, strip, kTransparent);
    DeleteObject(strip);
}

} // namespace

CUpView::CUpView(IEngineHost& document) : ui::FormView(IDD_TREE_VIEW), document_(document) {}

CUpView::~CUpView() {
    ReleaseTree();
    // The window goes first, while the tree object and the image lists it uses still exist.
    Destroy();
}

void CUpView::OnInitialUpdate() {
    engine_ = &document_.Engine();
    ui::FormView::OnInitialUpdate();
    if (!tree_.Exists()) {
        return;
    }
    tree_.SetTextColor(ui::ProgramTextColour(kTextColor));
    if (!nodeImages_) {
        CreateImageLists();
    }
    engine_->SetScopeTree(&tree_);
    engine_->SetBrowseWake([view = Handle()] { PostMessageW(view, kBrowsesFinished, 0, 0); });
    engine_->AddedServers().SetEntries(LoadServerList(AppProfile()));
    engine_->ExpandNetworkNode(kNoNode, -1);
}

bool CUpView::OnBrowsesFinished(ui::Message&) {
    if (!engine_ || engine_->ScopeTree() != &tree_) {
        return true;
    }
    for (const TreeNode node : engine_->DeliverBrowses()) {
        if (node == kNoNode) {
            // The top level is there: so are the servers added by name.
            ShowAddedServers();
        } else if (tree_.Selection() == CCheckTreeCtrl::Item(node) && tree_.Child(CCheckTreeCtrl::Item(node))) {
            // The node the user opened shows what came.
            tree_.Expand(CCheckTreeCtrl::Item(node), TVE_EXPAND);
        }
    }
    return true;
}

void CUpView::ShowAddedServers() {
    if (const TreeNode group = engine_->AddedServers().GroupNode(); group != kNoNode) {
        tree_.Expand(CCheckTreeCtrl::Item(tree_.Parent(group)), TVE_EXPAND);
        tree_.Expand(CCheckTreeCtrl::Item(group), TVE_EXPAND);
    }
}

void CUpView::CreateImageLists() {
    nodeImages_.reset(ImageList_Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, 0, 1));
    checkImages_.reset(ImageList_Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, 4, 4));
    if (nodeImages_) {
        AddStrip(nodeImages_.get(), IDB_NODE_IMAGES);
        tree_.SetImageList(nodeImages_.get(), TVSIL_NORMAL);
    }
    if (checkImages_) {
        AddStrip(checkImages_.get(), IDB_CHECK_IMAGES);
        tree_.SetImageList(checkImages_.get(), TVSIL_STATE);
    }
}

void CUpView::ReleaseTree() {
    if (!engine_ || engine_->ScopeTree() != &tree_) {
        return;
    }
    document_.StopSearchAndWait();
    engine_->SetScopeTree(nullptr);
}

bool CUpView::ProcessMessage(ui::Message& m) {
    static constexpr ui::MessageEntry<CUpView> kMessages[] = {
        ui::On(WM_INITDIALOG, &CUpView::OnInitDialog),
        ui::On(WM_SIZE, &CUpView::OnSize),
        ui::On(WM_DESTROY, &CUpView::OnDestroy),
        ui::On(WM_SYSCOLORCHANGE, &CUpView::OnSysColorChange),
        ui::OnNotify(NM_DBLCLK, IDC_NETWORK_TREE, &CUpView::OnDoubleClick),
        ui::OnNotify(TVN_KEYDOWN, IDC_NETWORK_TREE, &CUpView::OnTreeKeyDown),
        ui::OnControl(BN_CLICKED, IDOK, &CUpView::OnEnter),
        ui::On(WM_CONTEXTMENU, &CUpView::OnContextMenu),
        ui::OnCommand(ID_TOOLS_ADD_SERVER, &CUpView::OnAddServer),
        ui::OnCommand(ID_TREE_REMOVE_SERVER, &CUpView::OnRemoveServer),
        ui::On(kBrowsesFinished, &CUpView::OnBrowsesFinished),
    };
    return ui::DispatchMessageTable(*this, kMessages, m) || ui::FormView::ProcessMessage(m);
}

void CUpView::OnFinalMessage() {
    // The tree is gone with the view: nothing uses the pictures any more.
    nodeImages_.reset();
    checkImages_.reset();
    ui::FormView::OnFinalMessage();
}

bool CUpView::OnInitDialog(ui::Message& m) {
    tree_.Attach(Item(IDC_NETWORK_TREE));
    m.result = TRUE;
    return true;
}

bool CUpView::OnSize(ui::Message& m) {
    HideScrollBars();
    if (const HWND tree = Item(IDC_NETWORK_TREE)) {
        MoveWindow(tree, 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
    }
    m.result = 0;
    return true;
}

bool CUpView::OnSysColorChange(ui::Message&) {
    if (tree_.Exists()) {
        tree_.SetTextColor(ui::ProgramTextColour(kTextColor));
    }
    return false;
}

bool CUpView::OnDestroy(ui::Message&) {
    ReleaseTree();
    return false;
}

bool CUpView::OnDoubleClick(ui::Message& m) {
    // Answered with 0 in every case: the control then expands or collapses the node as usual.
    m.result = 0;
    BrowseSelected();
    return true;
}

void CUpView::BrowseSelected() {
    const HTREEITEM selected = tree_.Selection();
    if (!selected || !engine_) {
        return;
    }
    const TreeNode node = CCheckTreeCtrl::Node(selected);
    engine_->ExpandNetworkNode(node, tree_.Data(node));
}

// Enter in the tree (the dialog manager makes it the form's OK): the selected node is browsed, as
// a double-click does, and opened.
bool CUpView::OnEnter(ui::Message&) {
    BrowseSelected();
    if (const HTREEITEM selected = tree_.Selection()) {
        tree_.Expand(selected, TVE_EXPAND);
    }
    return true;
}

// Right on a node that has not been browsed yet browses it first, so that the control's own
// handling of the key has something to open.
bool CUpView::OnTreeKeyDown(ui::Message& m) {
    const auto* key = reinterpret_cast<const NMTVKEYDOWN*>(m.lParam);
    m.result = 0;
    const HTREEITEM selected = tree_.Selection();
    if (key->wVKey == VK_RIGHT && selected && !tree_.Child(selected)) {
        BrowseSelected();
        tree_.Expand(selected, TVE_EXPAND);
    } else if (key->wVKey == VK_DELETE) {
        RemoveSelectedServer();
    }
    return true;
}

// The tree's pop-up menu: at the node clicked on (which is selected first), or for Shift+F10 and
// the menu key at the selected node.
bool CUpView::OnContextMenu(ui::Message& m) {
    if (!tree_.Exists() || reinterpret_cast<HWND>(m.wParam) != tree_.Handle()) {
        return false;
    }
    POINT screen{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    if (static_cast<DWORD>(m.lParam) == 0xFFFFFFFF) {
        const HTREEITEM selected = tree_.Selection();
        const RECT label = selected ? tree_.ItemRect(selected, true) : RECT{};
        screen = {label.left + 8, (label.top + label.bottom) / 2};
        ClientToScreen(tree_.Handle(), &screen);
    } else {
        POINT client = screen;
        ScreenToClient(tree_.Handle(), &client);
        UINT flags = 0;
        if (const HTREEITEM item = tree_.HitTest(client, &flags); item && (flags & TVHT_ONITEM)) {
            tree_.Select(item);
        }
    }
    const HMENU menu = LoadMenuW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDR_TREE_POPUP));
    if (!menu) {
        return true;
    }
    const HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, ID_TREE_REMOVE_SERVER, MF_BYCOMMAND | (CanRemoveSelected() ? MF_ENABLED : MF_GRAYED));
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
    DestroyMenu(menu);
    m.result = 0;
    return true;
}

bool CUpView::OnAddServer(ui::Message&) {
    if (!engine_) {
        return true;
    }
    CAddServerDlg dialog;
    if (dialog.DoModal(ui::MessageBoxOwner()) != IDOK) {
        return true;
    }
    engine_->AddedServers().Add(dialog.Entries());
    SaveServers();
    ShowAddedServers();
    return true;
}

bool CUpView::OnRemoveServer(ui::Message&) {
    RemoveSelectedServer();
    return true;
}

void CUpView::RemoveSelectedServer() {
    if (CanRemoveSelected()) {
        engine_->AddedServers().Remove(CCheckTreeCtrl::Node(tree_.Selection()));
        SaveServers();
    }
}

bool CUpView::CanRemoveSelected() const {
    const HTREEITEM selected = tree_.Exists() ? tree_.Selection() : nullptr;
    // A node being read must stay until its outcome has come.
    return engine_ && selected && !engine_->searchActive && !engine_->SearchThreadsRunning() && !engine_->Browsing() &&
           engine_->AddedServers().IsAddedServer(CCheckTreeCtrl::Node(selected));
}

void CUpView::SaveServers() const {
    if (engine_) {
        SaveServerList(AppProfile(), engine_->AddedServers().Entries());
    }
}

} // namespace vk
