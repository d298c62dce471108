// The splitter window on its own: panes placed by the splitter rule in one go (panes with an edge
// and splitter panes enlarged, unchanged panes left alone), the bars under the mouse (cursor,
// capture, Escape), and ReplaceView.
#include "framework/PaneSplitter.h"

#include "framework/Controls.h"
#include "framework/MessageLoop.h"
#include "ui/support/TestForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace vk {
namespace {

using testing::TestForm;

// A plain pane that counts how often it was positioned (the system tells a window even when its
// rectangle stays as it was).
class CountingPane final : public ui::Window {
public:
    bool CreateIn(HWND parent, DWORD exStyle = 0) {
        return Create(L"VkCountingPane", L"", WS_CHILD | WS_VISIBLE, exStyle, 0, 0, 10, 10, parent, nullptr);
    }
    int moves = 0;

protected:
    bool ProcessMessage(ui::Message& m) override {
        if (m.message == WM_WINDOWPOSCHANGING) {
            ++moves;
        }
        return ui::Window::ProcessMessage(m);
    }
};

// A form whose holder is nobody: the splitter swaps it directly.
class NoHost final : public IFormHost {
public:
    bool ReplaceForm(bool) override { return false; }
};

PaneRect RectIn(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class PaneSplitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InitCommonControlClasses();
        ASSERT_TRUE(host_.Create(L"VkSplitterHost", L"splitter test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 30,
                                 30, 600, 400, nullptr, nullptr));
        ASSERT_TRUE(splitter_.CreateStatic(host_.Handle(), 1, 2));
    }

    // Two counting panes, the second with a client edge, in a 402 x 300 splitter (400 inside).
    std::pair<CountingPane*, CountingPane*> TwoPanes() {
        auto left = std::make_unique<CountingPane>();
        auto right = std::make_unique<CountingPane>();
        EXPECT_TRUE(left->CreateIn(splitter_.Handle()));
        EXPECT_TRUE(right->CreateIn(splitter_.Handle(), WS_EX_CLIENTEDGE));
        auto* l = left.get();
        auto* r = right.get();
        EXPECT_TRUE(splitter_.AddPane(0, 0, std::move(left), {150, 0}));
        EXPECT_TRUE(splitter_.AddPane(0, 1, std::move(right), {0, 0}));
        MoveWindow(splitter_.Handle(), 0, 0, 402, 300, TRUE);
        return {l, r};
    }

    ui::Window host_;
    CPaneSplitter splitter_;
};

TEST_F(PaneSplitterTest, PanesGoToTheirCellsWithTheirIdsAndEdgedPanesAreEnlarged) {
    auto [left, right] = TwoPanes();
    EXPECT_EQ(GetDlgCtrlID(left->Handle()), 59648);
    EXPECT_EQ(GetDlgCtrlID(right->Handle()), 59649);
    EXPECT_EQ(GetDlgCtrlID(splitter_.Handle()), 59648);
    EXPECT_EQ(RectIn(left->Handle()), (PaneRect{1, 1, 150, 298}));
    // 400 - 150 - 2 = 248 wide from 153, and a pixel beyond its cell on every side.
    EXPECT_EQ(RectIn(right->Handle()), (PaneRect{152, 0, 250, 300}));

    // A splitter as a pane is enlarged too.
    CPaneSplitter outer;
    ASSERT_TRUE(outer.CreateStatic(host_.Handle(), 1, 1, 100));
    auto inner = std::make_unique<CPaneSplitter>();
    ASSERT_TRUE(inner->CreateStatic(outer.Handle(), 1, 1));
    const HWND innerWindow = inner->Handle();
    ASSERT_TRUE(outer.AddPane(0, 0, std::move(inner), {0, 0}));
    MoveWindow(outer.Handle(), 0, 0, 200, 100, TRUE);
    EXPECT_EQ(RectIn(innerWindow), (PaneRect{0, 0, 200, 100}));
}

TEST_F(PaneSplitterTest, ALayoutMovesOnlyThePanesWhoseRectanglesChange) {
    auto [left, right] = TwoPanes();
    const int leftMoves = left->moves;
    const int rightMoves = right->moves;
    splitter_.RecalcLayout();
    EXPECT_EQ(left->moves, leftMoves);
    EXPECT_EQ(right->moves, rightMoves);

    splitter_.SetColumnInfo(0, 100, 0);
    splitter_.RecalcLayout();
    EXPECT_EQ(left->moves, leftMoves + 1);
    EXPECT_EQ(right->moves, rightMoves + 1);
    EXPECT_EQ(RectIn(right->Handle()), (PaneRect{102, 0, 300, 300}));

    // A pane with too little room is hidden, and the other takes the room and the bar.
    splitter_.SetColumnInfo(1, 0, 320);
    splitter_.RecalcLayout();
    EXPECT_EQ(RectIn(left->Handle()).width, 400);
    EXPECT_TRUE(RectIn(right->Handle()).Empty());
}

TEST_F(PaneSplitterTest, AMovedPaneIsPaintedWholeWithTheControlsInIt) {
    auto [left, right] = TwoPanes();
    const HWND control = CreateWindowExW(0, L"BUTTON", L"in the pane", WS_CHILD | WS_VISIBLE, 40, 40, 120, 30,
                                         right->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    const auto paintedAll = [&] {
        RedrawWindow(host_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::PumpWaitingMessages();
        return GetUpdateRect(control, nullptr, FALSE) == FALSE;
    };
    ASSERT_TRUE(paintedAll());

    // The bar moves: the pane on the right moves and grows, and the button in it paints again whole
    // (not just the strip that the move uncovered).
    splitter_.SetColumnInfo(0, 100, 0);
    splitter_.RecalcLayout();
    RECT stale{};
    ASSERT_TRUE(GetUpdateRect(control, &stale, FALSE));
    EXPECT_EQ(stale.left, 0);
    EXPECT_EQ(stale.top, 0);
    EXPECT_EQ(stale.right, 120);
    EXPECT_EQ(stale.bottom, 30);
    DestroyWindow(control);
}

TEST_F(PaneSplitterTest, ABarDraggedWithTheMouseMovesWithItAndEscapeOrALostCaptureTakesItBack) {
    auto [left, right] = TwoPanes();
    ASSERT_EQ(splitter_.ColumnSpans().size(), 2u);
    const int barX = splitter_.ColumnSpans()[0].start + splitter_.ColumnSpans()[0].size; // 151

    // Over the bar the pointer shows the sizing cursor.
    POINT onBar{barX, 100};
    ClientToScreen(splitter_.Handle(), &onBar);
    SetCursorPos(onBar.x, onBar.y);
    splitter_.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(splitter_.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));

    splitter_.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX, 100));
    EXPECT_TRUE(splitter_.Dragging());
    EXPECT_EQ(GetCapture(), splitter_.Handle());
    splitter_.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX + 40, 120));
    EXPECT_EQ(RectIn(left->Handle()).width, 190);
    splitter_.Send(WM_LBUTTONUP, 0, MAKELPARAM(barX + 40, 120));
    EXPECT_FALSE(splitter_.Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(splitter_.ColumnInfo(0).ideal, 190);
    EXPECT_EQ(RectIn(right->Handle()).x, 192);

    // Escape puts the bar back where the drag began.
    splitter_.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX + 40, 100));
    splitter_.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX - 60, 100));
    EXPECT_EQ(RectIn(left->Handle()).width, 90);
    splitter_.Send(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(splitter_.Dragging());
    EXPECT_EQ(RectIn(left->Handle()).width, 190);

    // So does a capture taken by another window.
    splitter_.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX + 40, 100));
    splitter_.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX + 100, 100));
    SetCapture(host_.Handle());
    EXPECT_FALSE(splitter_.Dragging());
    EXPECT_EQ(RectIn(left->Handle()).width, 190);
    ReleaseCapture();

    // A press beside the bar starts nothing.
    splitter_.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 100));
    EXPECT_FALSE(splitter_.Dragging());
}

TEST_F(PaneSplitterTest, ReplaceViewDestroysTheOldViewAndSizesAndUpdatesTheNewOne) {
    CPaneSplitter rows;
    ASSERT_TRUE(rows.CreateStatic(host_.Handle(), 2, 1, 200));
    NoHost host;
    auto first = std::make_unique<TestForm>(false, host);
    const TestForm* firstForm = first.get();
    ASSERT_TRUE(rows.CreateView(1, 0, std::move(first), {0, 0}));
    const HWND oldWindow = firstForm->Handle();
    rows.SetRowInfo(0, 100, 0);
    MoveWindow(rows.Handle(), 0, 0, 300, 302, TRUE);

    TestForm* made = nullptr;
    ASSERT_TRUE(rows.ReplaceView(1, 0, [&] {
        auto form = std::make_unique<TestForm>(true, host);
        made = form.get();
        return form;
    }));
    EXPECT_FALSE(IsWindow(oldWindow));
    ASSERT_EQ(rows.Pane(1, 0), made);
    EXPECT_EQ(GetDlgCtrlID(made->Handle()), static_cast<int>(CPaneSplitter::PaneId(1, 0)));
    EXPECT_EQ(RectIn(made->Handle()), (PaneRect{1, 103, 298, 198}));
    // The size message of 0 by 0 comes after the layout's, and the initial update last.
    ASSERT_FALSE(made->sizes.empty());
    EXPECT_EQ(made->sizes.back().cx, 0);
    EXPECT_EQ(made->sizes.back().cy, 0);
    EXPECT_EQ(made->initialUpdates, 1);
    EXPECT_EQ(made->sizesAtInitialUpdate, made->sizes.size());

    // A view that cannot be made leaves the cell as it was, and the splitter goes on working.
    EXPECT_FALSE(rows.ReplaceView(1, 0, [] { return std::unique_ptr<ui::FormView>(); }));
    EXPECT_EQ(rows.Pane(1, 0), made);
    EXPECT_TRUE(IsWindow(made->Handle()));
    MoveWindow(rows.Handle(), 0, 0, 300, 250, TRUE);
    ui::PumpWaitingMessages(); // the retired views go
}

} // namespace
} // namespace vk
