// The network tree pane with its real windows on a folder network: the initial update, the check
// boxes under the mouse and the keyboard, browsing by double-click (into the tree and the result
// list), browse failures in a message box, and a search that reads the control's tree from the
// engine's controller thread.

#include "network/win/UpView.h"

#include "document/UserMessages.h"
#include "document/Varnokle2Doc.h"
#include "engine/EngineTexts.h"
#include "engine/SearchEngine.h"
#include "engine/ServerList.h"
#include "framework/MessageLoop.h"
#include "platform/NetworkEnvironment.h"
#include "platform/SystemMessages.h"
#include "resource.h"
#include "results/IconKeyTable.h"
#include "results/MemoryResultList.h"
#include "support/CallGate.h"
#include "support/TempTree.h"
#include "ui/support/DialogWatcher.h"
#include "ui/support/PaneHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vk {
namespace {

using testing::DialogCloser;
using testing::DialogWatcher;
using testing::PaneHost;

class RecordingMessages final : public IUserMessages {
public:
    void ShowMessage(std::wstring_view text, std::wstring_view caption) override {
        shown.push_back(std::wstring(caption) + L": " + std::wstring(text));
    }
    std::vector<std::wstring> shown;
};

// One line per node in tree order, two spaces of indent a level: the mark ("[ ]" unchecked,
// "[x]" checked, "[~]" partly checked, "[?]" anything else) and the text.
void DumpBranch(IScopeTree& tree, TreeNode first, int depth, std::wstring& out) {
    for (TreeNode node = first; node != kNoNode; node = tree.NextSibling(node)) {
        const int state = tree.GetCheckState(node);
        out += std::wstring(static_cast<std::size_t>(depth) * 2, L' ');
        out += state == Unchecked ? L"[ ] " : state == Checked ? L"[x] " : state == PartlyChecked ? L"[~] " : L"[?] ";
        out += tree.Text(node) + L"\n";
        DumpBranch(tree, tree.FirstChild(node), depth + 1, out);
    }
}

std::wstring Dump(IScopeTree& tree) {
    std::wstring out;
    DumpBranch(tree, tree.FirstChild(kNoNode), 0, out);
    return out;
}

// The names of the result rows, sorted.
std::vector<std::wstring> RowNames(const MemoryResultList& list) {
    std::vector<std::wstring> names;
    for (const auto& row : list.Rows()) {
        names.push_back(row.columns[0]);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Sets searchActive for a scope, as a running search does.
class SearchActiveScope {
public:
    explicit SearchActiveScope(CSearchEngine& engine) : engine_(engine) { engine_.searchActive = true; }
    ~SearchActiveScope() { engine_.searchActive = false; }
    SearchActiveScope(const SearchActiveScope&) = delete;
    SearchActiveScope& operator=(const SearchActiveScope&) = delete;

private:
    CSearchEngine& engine_;
};

// A tree pane in a test window, on a folder network:
//   Net / DOM / SRV  shares "share" (a.txt, sub/b.txt, secret/c.txt; secret refuses listing)
//                    and "docs" (d.txt)
//   Net / DOM / SRV2 share "pub" (e.txt)
//   Net / WG / ALONE share "data" (f.txt)
//   Web / CLOUD / NODE share "sync" (g.txt)
class TreePane : public ::testing::Test {
protected:
    void SetUp() override {
        root.MakeFile("Net/DOM/SRV/share/a.txt", "a");
        root.MakeFile("Net/DOM/SRV/share/sub/b.txt", "b");
        root.MakeFile("Net/DOM/SRV/share/secret/c.txt", "c");
        root.MakeFile("Net/DOM/SRV/docs/d.txt", "d");
        root.MakeFile("Net/DOM/SRV2/pub/e.txt", "e");
        root.MakeFile("Net/WG/ALONE/data/f.txt", "f");
        root.MakeFile("Web/CLOUD/NODE/sync/g.txt", "g");
        root.MakeFile("network-faults.txt", Faults());
        ASSERT_EQ(environment.UseFolderNetwork(root.Root()), kErrorSuccess);

        host = std::make_unique<PaneHost>(400, 500);
        document = std::make_unique<CVarnokle2Doc>(environment);
        EngineServices& services = Engine().Services();
        services.resultList = &list;
        services.iconIndex = &icons;
        services.messages = &messages;
        view = std::make_unique<CUpView>(*document);
        ASSERT_TRUE(host->Host(*view));
        Settle();
    }

    // Waits, handling messages, until every node being read has been applied.
    void Settle() {
        ASSERT_TRUE(PaneHost::PumpUntil([this] { return !Engine().Browsing(); }));
    }

    void TearDown() override {
        view.reset();
        document.reset();
        host.reset();
    }

    [[nodiscard]] virtual std::string Faults() const { return "deny \\\\SRV\\share\\secret\n"; }

    CSearchEngine& Engine() { return document->Engine(); }
    CCheckTreeCtrl& Tree() { return view->Tree(); }

    // The node at a path of texts from the top level; kNoNode (and a failure) if there is none.
    TreeNode At(std::initializer_list<const wchar_t*> path) {
        TreeNode node = kNoNode;
        for (const wchar_t* text : path) {
            TreeNode child = Tree().FirstChild(node);
            while (child != kNoNode && Tree().Text(child) != text) {
                child = Tree().NextSibling(child);
            }
            if (child == kNoNode) {
                ADD_FAILURE() << "no node " << std::string(text, text + wcslen(text));
                return kNoNode;
            }
            node = child;
        }
        return node;
    }

    int ChildCount(TreeNode node) {
        int count = 0;
        for (TreeNode child = Tree().FirstChild(node); child != kNoNode; child = Tree().NextSibling(child)) {
            ++count;
        }
        return count;
    }

    // Where a node's check box is: the hit test says so for a 16 pixel run left of its text.
    POINT CheckBoxPoint(TreeNode node) {
        const HTREEITEM item = CCheckTreeCtrl::Item(node);
        Tree().Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
        const RECT text = Tree().ItemRect(item, true);
        const int y = (text.top + text.bottom) / 2;
        int first = -1;
        int last = -1;
        for (int x = 0; x < text.left; ++x) {
            UINT flags = 0;
            if (Tree().HitTest({x, y}, &flags) == item && (flags & TVHT_ONITEMSTATEICON) != 0) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        EXPECT_GE(first, 0) << "no check box left of the text";
        EXPECT_EQ(last - first + 1, 16);
        return {(first + last) / 2, y};
    }

    POINT TextPoint(TreeNode node) {
        const HTREEITEM item = CCheckTreeCtrl::Item(node);
        Tree().Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
        const RECT text = Tree().ItemRect(item, true);
        return {(text.left + text.right) / 2, (text.top + text.bottom) / 2};
    }

    // A press and release of the left button. The release is queued first: a press on a node's
    // text makes the control wait for it (it watches for a drag).
    void Click(POINT point) {
        PostMessageW(Tree().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Tree().Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ui::PumpWaitingMessages();
    }

    // A double-click as the system delivers it: press, release, second press, release.
    void DoubleClick(POINT point) {
        Click(point);
        PostMessageW(Tree().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Tree().Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ui::PumpWaitingMessages();
        Settle();
    }

    // Double-clicks the text of the node at a path.
    void Browse(std::initializer_list<const wchar_t*> path) { DoubleClick(TextPoint(At(path))); }

    // The double-click notification as the tree sends it to the view.
    LRESULT NotifyDoubleClick() {
        NMHDR header{Tree().Handle(), IDC_NETWORK_TREE, static_cast<UINT>(NM_DBLCLK)};
        return SendMessageW(view->Handle(), WM_NOTIFY, IDC_NETWORK_TREE, reinterpret_cast<LPARAM>(&header));
    }

    test::TempTree root;
    NetworkEnvironment environment;
    MemoryResultList list;
    NoIconImages images;
    IconKeyTable icons{images};
    RecordingMessages messages;
    std::unique_ptr<PaneHost> host;
    std::unique_ptr<CVarnokle2Doc> document;
    std::unique_ptr<CUpView> view;
};

// --- Initial update ---------------------------------------------------------------------------

TEST_F(TreePane, InitialUpdateListsTheTopOfTheNetworkCheckedAndGivesTheEngineTheTree) {
    EXPECT_EQ(Dump(Tree()), L"[x] Net\n"
                            L"[x] Web\n");
    // The marks are the program's own state images: painting and every queued message leave them
    // and the picture list as the program set them.
    RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::PumpWaitingMessages();
    EXPECT_EQ(Dump(Tree()), L"[x] Net\n"
                            L"[x] Web\n");
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(Tree().Send(TVM_GETIMAGELIST, TVSIL_STATE)), view->CheckImages());
    EXPECT_EQ(Engine().ScopeTree(), static_cast<IScopeTree*>(&Tree()));
    const TreeNode net = At({L"Net"});
    EXPECT_EQ(Tree().ItemImages(CCheckTreeCtrl::Item(net)), std::make_pair(kImageNetwork, kImageNetwork));
    EXPECT_TRUE(Tree().ItemHasChildrenFlag(CCheckTreeCtrl::Item(net)));
    const NetResource* resource = Engine().NetResourceAt(Tree().Data(net));
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(resource->remoteName, L"Net");
}

TEST_F(TreePane, TopLevelNodesStartAtTheLeftEdgeWithNoLinesBetweenThem) {
    // Without lines at the root, a top-level node's check box stands where a child's connecting
    // line would: less than one indent from the edge.
    const int indent = static_cast<int>(Tree().Send(TVM_GETINDENT));
    EXPECT_LT(CheckBoxPoint(At({L"Net"})).x, indent);
    Browse({L"Net"});
    EXPECT_GT(CheckBoxPoint(At({L"Net", L"DOM"})).x, indent);
}

TEST_F(TreePane, TheTreeIsBlueWithTheNodeAndCheckPicturesAndFillsTheView) {
    EXPECT_EQ(Tree().TextColor(), RGB(0, 0, 255));

    const auto normal = reinterpret_cast<HIMAGELIST>(Tree().Send(TVM_GETIMAGELIST, TVSIL_NORMAL));
    const auto state = reinterpret_cast<HIMAGELIST>(Tree().Send(TVM_GETIMAGELIST, TVSIL_STATE));
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(normal, view->NodeImages());
    EXPECT_EQ(state, view->CheckImages());
    EXPECT_EQ(ImageList_GetImageCount(normal), 6);
    EXPECT_EQ(ImageList_GetImageCount(state), 4);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(state, &width, &height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 15);

    // Resizing keeps the tree over the whole view, without the form's scroll bars.
    SetWindowPos(host->Handle(), nullptr, 0, 0, 520, 430, SWP_NOMOVE | SWP_NOZORDER);
    ui::PumpWaitingMessages();
    RECT viewClient{};
    GetClientRect(view->Handle(), &viewClient);
    RECT treeWindow{};
    GetWindowRect(Tree().Handle(), &treeWindow);
    MapWindowPoints(nullptr, view->Handle(), reinterpret_cast<POINT*>(&treeWindow), 2);
    EXPECT_EQ(treeWindow.left, 0);
    EXPECT_EQ(treeWindow.top, 0);
    EXPECT_EQ(treeWindow.right, viewClient.right);
    EXPECT_EQ(treeWindow.bottom, viewClient.bottom);
    EXPECT_GT(viewClient.right, 400);
    EXPECT_EQ(GetWindowLongW(view->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

// --- Check boxes ------------------------------------------------------------------------------

TEST_F(TreePane, ClicksOnCheckBoxesToggleWithTheBranchAndBringTheAncestorsInLine) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    ASSERT_EQ(Dump(Tree()), L"[x] Net\n"
                            L"  [x] DOM\n"
                            L"    [x] \\\\SRV\n"
                            L"    [x] \\\\SRV2\n"
                            L"  [x] WG\n"
                            L"[x] Web\n");

    Click(CheckBoxPoint(At({L"Net", L"DOM", L"\\\\SRV"})));
    EXPECT_EQ(Dump(Tree()), L"[~] Net\n"
                            L"  [~] DOM\n"
                            L"    [ ] \\\\SRV\n"
                            L"    [x] \\\\SRV2\n"
                            L"  [x] WG\n"
                            L"[x] Web\n");
    Click(CheckBoxPoint(At({L"Net", L"DOM", L"\\\\SRV2"})));
    EXPECT_EQ(Dump(Tree()), L"[~] Net\n"
                            L"  [ ] DOM\n"
                            L"    [ ] \\\\SRV\n"
                            L"    [ ] \\\\SRV2\n"
                            L"  [x] WG\n"
                            L"[x] Web\n");

    // A PartlyChecked node unchecks its whole branch.
    Click(CheckBoxPoint(At({L"Net"})));
    EXPECT_EQ(Dump(Tree()), L"[ ] Net\n"
                            L"  [ ] DOM\n"
                            L"    [ ] \\\\SRV\n"
                            L"    [ ] \\\\SRV2\n"
                            L"  [ ] WG\n"
                            L"[x] Web\n");
}

TEST_F(TreePane, CheckingOneLeafMakesEveryAncestorPartlyChecked) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    Click(CheckBoxPoint(At({L"Net"})));
    Click(CheckBoxPoint(At({L"Net", L"DOM", L"\\\\SRV", L"docs"})));
    EXPECT_EQ(Dump(Tree()), L"[~] Net\n"
                            L"  [~] DOM\n"
                            L"    [~] \\\\SRV\n"
                            L"      [x] docs\n"
                            L"      [ ] share\n"
                            L"    [ ] \\\\SRV2\n"
                            L"  [ ] WG\n"
                            L"[x] Web\n");
}

TEST_F(TreePane, ACheckBoxPressIsConsumedAndAClickOnTheTextSelectsWithoutTouchingTheMarks) {
    Browse({L"Net"});
    const TreeNode dom = At({L"Net", L"DOM"});
    const TreeNode wg = At({L"Net", L"WG"});
    ASSERT_TRUE(Tree().Select(CCheckTreeCtrl::Item(dom)));

    Click(CheckBoxPoint(wg));
    EXPECT_EQ(Tree().GetCheckState(wg), Unchecked);
    EXPECT_EQ(Tree().Selection(), CCheckTreeCtrl::Item(dom)) << "the press on the check box changed the selection";

    const std::wstring before = Dump(Tree());
    Click(TextPoint(wg));
    EXPECT_EQ(Tree().Selection(), CCheckTreeCtrl::Item(wg));
    EXPECT_EQ(Dump(Tree()), before);
    Click(TextPoint(At({L"Web"})));
    EXPECT_EQ(Tree().Selection(), CCheckTreeCtrl::Item(At({L"Web"})));
    EXPECT_EQ(Dump(Tree()), before);
}

TEST_F(TreePane, DoubleClickingACheckBoxTogglesTwiceAndBrowsesNothing) {
    Browse({L"Net"});
    const TreeNode dom = At({L"Net", L"DOM"});
    ASSERT_TRUE(Tree().Select(CCheckTreeCtrl::Item(dom)));
    const int nodes = Tree().Count();

    DoubleClick(CheckBoxPoint(dom));
    EXPECT_EQ(Dump(Tree()), L"[x] Net\n"
                            L"  [x] DOM\n"
                            L"  [x] WG\n"
                            L"[x] Web\n");
    EXPECT_EQ(Tree().Count(), nodes);

    // From PartlyChecked the two presses give Unchecked, then Checked: never a mark of the
    // control's own.
    Click(CheckBoxPoint(At({L"Net", L"WG"})));
    ASSERT_EQ(Tree().GetCheckState(At({L"Net"})), PartlyChecked);
    DoubleClick(CheckBoxPoint(At({L"Net"})));
    EXPECT_EQ(Dump(Tree()), L"[x] Net\n"
                            L"  [x] DOM\n"
                            L"  [x] WG\n"
                            L"[x] Web\n");
}

TEST_F(TreePane, TheSpaceBarTogglesTheSelectedNodeWithItsBranch) {
    Browse({L"Net"});
    const TreeNode net = At({L"Net"});
    ASSERT_TRUE(Tree().Select(CCheckTreeCtrl::Item(net)));
    // Through the message loop, as a key press arrives.
    SetFocus(Tree().Handle());
    PostMessageW(Tree().Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(Tree().Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    ui::PumpWaitingMessages();
    EXPECT_EQ(Dump(Tree()), L"[ ] Net\n"
                            L"  [ ] DOM\n"
                            L"  [ ] WG\n"
                            L"[x] Web\n");

    // A PartlyChecked node goes to Unchecked, not to a state of the control's own.
    Click(CheckBoxPoint(At({L"Net", L"DOM"})));
    ASSERT_EQ(Tree().GetCheckState(net), PartlyChecked);
    Tree().Send(WM_KEYDOWN, VK_SPACE, 0x00390001);
    Tree().Send(WM_CHAR, L' ', 0x00390001);
    EXPECT_EQ(Dump(Tree()), L"[ ] Net\n"
                            L"  [ ] DOM\n"
                            L"  [ ] WG\n"
                            L"[x] Web\n");
}

TEST_F(TreePane, NewNodesTakeTheirParentsMarkAtTheTimeTheyAreAdded) {
    Browse({L"Net"});
    Click(CheckBoxPoint(At({L"Net", L"DOM"})));
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"WG"});
    EXPECT_EQ(Dump(Tree()), L"[~] Net\n"
                            L"  [ ] DOM\n"
                            L"    [ ] \\\\SRV\n"
                            L"    [ ] \\\\SRV2\n"
                            L"  [x] WG\n"
                            L"    [x] \\\\ALONE\n"
                            L"[x] Web\n");
}

// --- Browsing ---------------------------------------------------------------------------------

TEST_F(TreePane, DoubleClickingContainersAddsTheirChildrenOnceWithThePicturesOfTheirKind) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    const TreeNode dom = At({L"Net", L"DOM"});
    EXPECT_EQ(Tree().ItemImages(CCheckTreeCtrl::Item(dom)), std::make_pair(kImageDomain, kImageDomain));
    const TreeNode server = At({L"Net", L"DOM", L"\\\\SRV"});
    EXPECT_EQ(Tree().ItemImages(CCheckTreeCtrl::Item(server)), std::make_pair(kImageServer, kImageServer));
    EXPECT_TRUE(Tree().ItemHasChildrenFlag(CCheckTreeCtrl::Item(server)));
    // The control expanded the node after the engine had filled it.
    EXPECT_NE(Tree().ItemState(CCheckTreeCtrl::Item(dom), TVIS_EXPANDED) & TVIS_EXPANDED, 0u);

    const int nodes = Tree().Count();
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net"});
    EXPECT_EQ(Tree().Count(), nodes);
    EXPECT_EQ(ChildCount(dom), 2);
    EXPECT_TRUE(list.Rows().empty()) << "browsing a container lists nothing";
}

TEST_F(TreePane, DoubleClickingAServerListsItsSharesEveryTimeAndAddsTheNodesOnce) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    EXPECT_EQ(RowNames(list), (std::vector<std::wstring>{L"docs", L"share"}));
    for (const auto& row : list.Rows()) {
        EXPECT_EQ(row.columns[2], L"\\\\SRV");
    }
    const TreeNode server = At({L"Net", L"DOM", L"\\\\SRV"});
    ASSERT_EQ(ChildCount(server), 2);
    const TreeNode share = At({L"Net", L"DOM", L"\\\\SRV", L"share"});
    EXPECT_EQ(Tree().Data(share), NODE_IS_PATH);
    EXPECT_EQ(Tree().ItemImages(CCheckTreeCtrl::Item(share)), std::make_pair(kImageFolder, kImageOpenFolder));
    EXPECT_TRUE(Tree().ItemHasChildrenFlag(CCheckTreeCtrl::Item(share)));

    list.DeleteAllRows();
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    EXPECT_EQ(RowNames(list), (std::vector<std::wstring>{L"docs", L"share"}));
    EXPECT_EQ(ChildCount(server), 2);
}

TEST_F(TreePane, DoubleClickingAShareListsItsEntriesAndAddsItsFoldersOnce) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    Browse({L"Net", L"DOM", L"\\\\SRV", L"share"});
    EXPECT_EQ(RowNames(list), (std::vector<std::wstring>{L"a.txt", L"secret", L"sub"}));
    const TreeNode share = At({L"Net", L"DOM", L"\\\\SRV", L"share"});
    ASSERT_EQ(ChildCount(share), 2);
    const TreeNode sub = At({L"Net", L"DOM", L"\\\\SRV", L"share", L"sub"});
    EXPECT_EQ(Tree().Data(sub), NODE_IS_PATH);
    EXPECT_EQ(Tree().ItemImages(CCheckTreeCtrl::Item(sub)), std::make_pair(kImageFolder, kImageOpenFolder));
    EXPECT_FALSE(Tree().ItemHasChildrenFlag(CCheckTreeCtrl::Item(sub)));

    Browse({L"Net", L"DOM", L"\\\\SRV", L"share", L"sub"});
    EXPECT_EQ(RowNames(list), (std::vector<std::wstring>{L"b.txt"}));
    EXPECT_EQ(list.Rows()[0].columns[2], L"\\\\SRV\\share\\sub\\");
    Browse({L"Net", L"DOM", L"\\\\SRV", L"share"});
    EXPECT_EQ(ChildCount(share), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TreePane, AFolderThatRefusesListingShowsTheSystemsTextAndChangesNothing) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    Browse({L"Net", L"DOM", L"\\\\SRV", L"share"});
    const auto rows = RowNames(list);
    const int nodes = Tree().Count();

    Browse({L"Net", L"DOM", L"\\\\SRV", L"share", L"secret"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], std::wstring(kProgramName) + L": " + SystemErrorText(kErrorAccessDenied));
    EXPECT_EQ(RowNames(list), rows);
    EXPECT_EQ(Tree().Count(), nodes);
}

TEST_F(TreePane, ADoubleClickWithNothingSelectedDoesNothing) {
    ASSERT_TRUE(Tree().Select(nullptr));
    const int nodes = Tree().Count();
    EXPECT_EQ(NotifyDoubleClick(), 0);
    EXPECT_EQ(Tree().Count(), nodes);

    // The same notification with a node selected browses it.
    ASSERT_TRUE(Tree().Select(CCheckTreeCtrl::Item(At({L"Net"}))));
    EXPECT_EQ(NotifyDoubleClick(), 0);
    Settle();
    EXPECT_EQ(ChildCount(At({L"Net"})), 2);
}

TEST_F(TreePane, DuringASearchServersSharesAndFoldersAreNotBrowsedButContainersAre) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    Browse({L"Net", L"DOM", L"\\\\SRV", L"share"});
    list.DeleteAllRows();
    const std::wstring tree = Dump(Tree());
    {
        SearchActiveScope searching(Engine());
        Browse({L"Net", L"DOM", L"\\\\SRV"});
        Browse({L"Net", L"DOM", L"\\\\SRV2"});
        Browse({L"Net", L"DOM", L"\\\\SRV", L"docs"});
        Browse({L"Net", L"DOM", L"\\\\SRV", L"share", L"sub"});
        Browse({L"Net", L"DOM", L"\\\\SRV", L"share", L"secret"});
        EXPECT_TRUE(list.Rows().empty());
        EXPECT_EQ(Dump(Tree()), tree);
        EXPECT_TRUE(messages.shown.empty());

        Browse({L"Net", L"WG"});
        EXPECT_EQ(ChildCount(At({L"Net", L"WG"})), 1);
    }
}

// --- Message boxes ----------------------------------------------------------------------------

TEST_F(TreePane, ABrowseFailureShowsARealMessageBoxCaptionedWithTheProgramsName) {
    MessageBoxMessages boxes;
    Engine().Services().messages = &boxes;
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    Browse({L"Net", L"DOM", L"\\\\SRV", L"share"});

    // The box belongs to the program's active window, which it keeps from input while it is up.
    SetActiveWindow(host->Handle());
    DialogCloser closer;
    Browse({L"Net", L"DOM", L"\\\\SRV", L"share", L"secret"});
    closer.Join();
    ASSERT_TRUE(closer.found) << "no message box captioned Varnokle";
    EXPECT_EQ(closer.text, SystemErrorText(kErrorAccessDenied));
    EXPECT_EQ(closer.owner, host->Handle());
}

// The folder network with every enumeration held at a gate until the test opens it.
class HeldNetwork final : public NetworkServices {
public:
    explicit HeldNetwork(NetworkServices& inner) : inner_(inner) {}
    std::unique_ptr<ResourceEnumeration> OpenEnum(const NetResource* parent, ErrorCode& error) override {
        gate.Pass();
        return inner_.OpenEnum(parent, error);
    }
    ErrorCode ShareEnum(const std::wstring& server, std::vector<ShareInfo>& shares, std::uint32_t& resume) override {
        gate.Pass();
        return inner_.ShareEnum(server, shares, resume);
    }
    testing::CallGate gate;

private:
    NetworkServices& inner_;
};

TEST_F(TreePane, AServerThatDoesNotAnswerLeavesTheWindowAnsweringAndStopAbandonsIt) {
    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    HeldNetwork held(environment.Network());
    Engine().Services().network = &held;
    const TreeNode server = At({L"Net", L"DOM", L"\\\\SRV"});
    Tree().Select(CCheckTreeCtrl::Item(server));
    EXPECT_EQ(NotifyDoubleClick(), 0); // returns while the share listing is held
    held.gate.WaitForArrivals(1);
    EXPECT_EQ(host->statusBar.PaneText(kPaneMessage), L"Reading \\\\SRV...");
    NotifyDoubleClick(); // being read: nothing more
    // Another thread finds the window answering at once.
    std::atomic<bool> asked{false};
    std::atomic<bool> answered{false};
    std::thread asker([&] {
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(view->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result) != 0;
        asked = true;
    });
    EXPECT_TRUE(PaneHost::PumpUntil([&] { return asked.load(); }));
    asker.join();
    EXPECT_TRUE(answered);

    Engine().StopSearch();
    EXPECT_EQ(host->statusBar.PaneText(kPaneMessage), L"Stopped reading \\\\SRV");
    EXPECT_FALSE(Engine().Browsing());
    held.gate.Open();
    Engine().StopBrowsingAndWait();
    Engine().Services().network = &environment.Network();
    ui::PumpWaitingMessages();
    EXPECT_EQ(held.gate.Arrived(), 1);
    EXPECT_EQ(ChildCount(server), 0);
    EXPECT_TRUE(list.Rows().empty());
}

TEST(TreePaneMessages, MessageBoxMessagesShowsTheTextInAnInformationBox) {
    DialogCloser closer;
    MessageBoxMessages boxes;
    boxes.ShowMessage(L"Access denied.", kProgramName);
    closer.Join();
    ASSERT_TRUE(closer.found);
    EXPECT_EQ(closer.text, L"Access denied.");
    EXPECT_EQ(closer.owner, nullptr);
}

// --- The search reads the control -------------------------------------------------------------

// Runs a search for mask and handles the messages of its threads until it has completed.
bool RunSearch(CSearchEngine& engine, PaneHost& host, const std::wstring& mask) {
    engine.Request().fileMask = mask;
    engine.searchRunning = true;
    engine.StartSearch();
    return PaneHost::PumpUntil(
        [&] { return !engine.searchActive && host.statusBar.PaneText(kPaneMessage) == kTextSearchCompleted; });
}

TEST_F(TreePane, ASearchWalksTheControlsCheckedNodesFromTheControllerThread) {
    ASSERT_TRUE(RunSearch(Engine(), *host, L"*.txt"));
    EXPECT_EQ(RowNames(list), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"d.txt", L"e.txt", L"f.txt", L"g.txt"}));

    Browse({L"Net"});
    Browse({L"Net", L"DOM"});
    Browse({L"Net", L"DOM", L"\\\\SRV"});
    Click(CheckBoxPoint(At({L"Net", L"DOM", L"\\\\SRV", L"docs"})));
    Click(CheckBoxPoint(At({L"Net", L"WG"})));
    ASSERT_TRUE(RunSearch(Engine(), *host, L"*.txt"));
    EXPECT_EQ(RowNames(list), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"e.txt", L"g.txt"}));
}

// A network slow enough that a search is still walking when the pane goes.
class SlowTreePane : public TreePane {
protected:
    [[nodiscard]] std::string Faults() const override { return "delay 30ms\n"; }
};

// A form whose buttons take their time to come back: the controller is still at its last steps
// well after the search stopped being active.
class SlowToFinishForm final : public ISearchForm {
public:
    void SetSearchButtons(bool running) override {
        if (!running) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }
};

TEST_F(SlowTreePane, ThePaneStopsARunningSearchAndTakesItsTreeBackWhenItGoes) {
    SlowToFinishForm form;
    Engine().Services().searchForm = &form;
    Engine().Request().fileMask = L"*.txt";
    Engine().searchRunning = true;
    Engine().StartSearch();
    ASSERT_TRUE(PaneHost::PumpUntil([&] { return host->statusBar.PaneText(kPaneMessage).starts_with(kTextSearchIn); }))
        << "the search did not start walking";
    ASSERT_TRUE(Engine().searchActive);

    view->Destroy();
    // Every thread of the search has ended, its last texts shown, before the tree went.
    EXPECT_FALSE(Engine().SearchThreadsRunning());
    EXPECT_FALSE(Engine().searchActive);
    EXPECT_EQ(Engine().ScopeTree(), nullptr);
    EXPECT_FALSE(Engine().searchRunning);
    EXPECT_FALSE(Tree().Exists());
    EXPECT_EQ(host->statusBar.PaneText(kPaneMessage), kTextSearchCompleted);
    Engine().Services().searchForm = nullptr;
}

} // namespace
} // namespace vk

namespace vk {
namespace {

// A provider that lists no computers, and a server added by name in an earlier run.
class UnlistedServersTreePane : public TreePane {
protected:
    void SetUp() override {
        SaveServerList(profile, {L"\\\\SRV2"});
        SetAppProfile(&profile);
        TreePane::SetUp();
    }
    void TearDown() override {
        TreePane::TearDown();
        SetAppProfile(nullptr);
    }
    [[nodiscard]] std::string Faults() const override { return "nobrowse Net\n"; }

    MemoryProfile profile;
};

TEST_F(UnlistedServersTreePane, AddServerTakesAPastedListAndDeleteRemovesAnAddedServerBothKept) {
    EXPECT_EQ(Dump(Tree()), L"[x] Net\n  [x] Added servers\n    [x] \\\\SRV2\n[x] Web\n");

    DialogWatcher dialog(L"Add Server", [](HWND box) {
        SetDlgItemTextW(box, IDC_SERVER_NAMES, L"SRV,\r\n\\\\ALONE\\data");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    view->Send(WM_COMMAND, MAKEWPARAM(ID_TOOLS_ADD_SERVER, 0), 0);
    dialog.Join();
    ASSERT_TRUE(dialog.Found());
    EXPECT_EQ(Dump(Tree()), L"[x] Net\n  [x] Added servers\n    [x] \\\\SRV2\n    [x] \\\\SRV\n    [x] \\\\ALONE\n"
                            L"      [x] data\n[x] Web\n");
    EXPECT_EQ(LoadServerList(profile), (std::vector<std::wstring>{L"\\\\SRV2", L"\\\\SRV", L"\\\\ALONE\\data"}));

    // Delete on an added server, not on anything else.
    Tree().Select(CCheckTreeCtrl::Item(At({L"Net", L"Added servers", L"\\\\ALONE", L"data"})));
    Tree().Send(WM_KEYDOWN, VK_DELETE, 0);
    Tree().Select(CCheckTreeCtrl::Item(At({L"Net", L"Added servers", L"\\\\SRV2"})));
    Tree().Send(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Dump(Tree()),
              L"[x] Net\n  [x] Added servers\n    [x] \\\\SRV\n    [x] \\\\ALONE\n      [x] data\n[x] Web\n");
    EXPECT_EQ(LoadServerList(profile), (std::vector<std::wstring>{L"\\\\SRV", L"\\\\ALONE\\data"}));
}

} // namespace
} // namespace vk
