#include "network/win/UpView.h"

#include "framework/SystemColours.h"
#include "resource.h"

namespace vk {
namespace {

// The pictures of both image lists: 16 x 15 pixels each, cut from one bitmap strip, magenta
// transparent.
constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// Shows the hourglass while the user interface thread waits for the network.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

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
    engine_->ExpandNetworkNode(kNoNode, -1);
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
    WaitCursor wait;
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
    }
    return true;
}

} // namespace vk
